#include "ui/messagebox.h"

#include "ui/textconvert.h"

#include <QMessageBox>

#include "base/seam.h"

namespace hartool::ui {

namespace {

class QtMessageBoxes : public MessageBoxes {
  public:
    void information(QWidget* owner, const std::string& caption, const std::string& text) override {
        QMessageBox box(QMessageBox::Information, toQt(caption), toQt(text), QMessageBox::Ok, owner);
        box.exec();
    }

    Reply question(QWidget* owner, const std::string& caption, const std::string& text) override {
        QMessageBox box(QMessageBox::Question, toQt(caption), toQt(text), QMessageBox::Yes | QMessageBox::No,
                        owner);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? Reply::Yes : Reply::No;
    }
};

QtMessageBoxes gQtBoxes;
Seam<MessageBoxes> gBoxes(gQtBoxes);

}  // namespace

MessageBoxes& messageBoxes() {
    return gBoxes.get();
}

MessageBoxes* installMessageBoxes(MessageBoxes* boxes) {
    return gBoxes.install(boxes);
}

void INFOBOX(QWidget* owner, const std::string& caption, const std::string& text) {
    messageBoxes().information(owner, caption, text);
}

Reply WARNINGBOX(QWidget* owner, const std::string& caption, const std::string& text) {
    return messageBoxes().question(owner, caption, text);
}

}  // namespace hartool::ui
