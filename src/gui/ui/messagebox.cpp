#include "gui/ui/messagebox.h"

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

// A box is as wide as its text, and a short text left the caption cut in the title bar. The window manager
// draws the title, often bold and centred between the window's buttons, so the width allows for both.
int captionWidth(const QMessageBox& box) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int button = std::max(box.style()->pixelMetric(QStyle::PM_TitleBarHeight), 2 * metrics.height());
    return metrics.horizontalAdvance(box.windowTitle()) + 4 * button;
}

}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(BoxKind kind, QWidget* owner, const std::string& caption,
                                            const std::string& text) {
    const bool question = kind == BoxKind::Question;
    auto box = std::make_unique<QMessageBox>(
        question ? QMessageBox::Question : QMessageBox::Information, toQt(caption), toQt(text),
        question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner);
    if (question) box->setDefaultButton(QMessageBox::Yes);
    // The box sizes itself to its layout's minimum when shown; a spacer across the grid raises that minimum.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        grid->addItem(new QSpacerItem(captionWidth(*box), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return box;
}

namespace {

class QtMessageBoxes : public MessageBoxes {
  public:
    void information(QWidget* owner, const std::string& caption, const std::string& text) override {
        makeMessageBox(BoxKind::Information, owner, caption, text)->exec();
    }

    Reply question(QWidget* owner, const std::string& caption, const std::string& text) override {
        const int pressed = makeMessageBox(BoxKind::Question, owner, caption, text)->exec();
        return pressed == QMessageBox::Yes ? Reply::Yes : Reply::No;
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

Reply WARNINGBOX(QWidget* owner, const std::string& caption, const std::string& text) {
    return messageBoxes().question(owner, caption, text);
}

}  // namespace hartool::ui
