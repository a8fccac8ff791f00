#include "gui/ui/messagebox.h"

#include "gui/ui/dialog.h"
#include "gui/ui/textconvert.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QStyle>

#include <algorithm>

#include "core/base/seam.h"

namespace hartool::ui {

namespace {

// A file name or path is one long word to the label, which cuts what does not fit instead of wrapping it.
// A zero-width space after each separator lets it break there.
QString breakablePaths(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        out += c;
        if (c == u'\\' || c == u'/') out += QChar(0x200B);
    }
    return out;
}

}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(BoxKind kind, QWidget* owner, const std::string& caption,
                                            const std::string& text) {
    const bool question = kind == BoxKind::Question;
    auto box = std::make_unique<QMessageBox>(
        question ? QMessageBox::Question : QMessageBox::Information, toQt(caption),
        breakablePaths(toQt(text)), question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner);
    if (question) box->setDefaultButton(QMessageBox::Yes);
    // The box sizes itself to its layout's minimum when shown; a spacer across the grid raises that minimum,
    // within two thirds of the screen, which is as wide as the box lets its text grow.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        const int width = std::min(captionWidth(*box), roomOnScreen(owner).width() * 2 / 3);
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(),
                      0, 1, grid->columnCount());
    }
    return box;
}

namespace {

class QtMessageBoxes : public MessageBoxes {
  public:
    void information(QWidget* owner, const std::string& caption, const std::string& text) override {
        makeMessageBox(BoxKind::Information, owner, caption, text)->exec();
    }

    Reply question(QWidget* owner, const std::string& caption, const std::string& text, Ask ask) override {
        const std::unique_ptr<QMessageBox> box = makeMessageBox(BoxKind::Question, owner, caption, text);
        if (ask.withCancel) box->addButton(QMessageBox::Cancel);
        box->setDefaultButton(ask.byDefault == Reply::Yes  ? QMessageBox::Yes
                              : ask.byDefault == Reply::No ? QMessageBox::No
                                                           : QMessageBox::Cancel);
        const int pressed = box->exec();
        if (pressed == QMessageBox::Yes) return Reply::Yes;
        // Esc and the close button: No, unless Cancel is offered.
        return ask.withCancel && pressed != QMessageBox::No ? Reply::Cancel : Reply::No;
    }
};

Seam<MessageBoxes>& boxSeam() {
    return seamOf<MessageBoxes, QtMessageBoxes>();
}

}  // namespace

MessageBoxes& messageBoxes() {
    return boxSeam().get();
}

MessageBoxes* installMessageBoxes(MessageBoxes* boxes) {
    return boxSeam().install(boxes);
}

void INFOBOX(QWidget* owner, const std::string& caption, const std::string& text) {
    messageBoxes().information(owner, caption, text);
}

Reply WARNINGBOX(QWidget* owner, const std::string& caption, const std::string& text, Ask ask) {
    return messageBoxes().question(owner, caption, text, ask);
}

}  // namespace hartool::ui
