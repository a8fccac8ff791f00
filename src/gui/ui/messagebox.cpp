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

Reply WARNINGBOX(QWidget* owner, const std::string& caption, const std::string& text, Ask ask) {
    return messageBoxes().question(owner, caption, text, ask);
}

}  // namespace hartool::ui
