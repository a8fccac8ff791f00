#include "gui/ui/textviewer.h"

#include "gui/ui/dialog.h"
#include "gui/ui/textconvert.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHideEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace hartool::ui {

namespace {
const char* const kSizeKey = "TextViewer";
}  // namespace

TextViewer::TextViewer(const std::string& caption, const std::string& text, QWidget* owner)
    : QDialog(owner), view_(new QPlainTextEdit(this)) {
    setObjectName("TextViewer");
    setWindowTitle(toQt(caption));
    view_->setObjectName("TEXT");
    view_->setReadOnly(true);
    // Plain-text files line up their tables with blanks.
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
    view_->setPlainText(toQt(text));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_);
    layout->addWidget(buttons);

    // As the player left it, within the screen.
    QSize size = textWindowSize(owner, view_->font());
    if (const QSize remembered = rememberedSize(kSizeKey); remembered.isValid())
        size = remembered.boundedTo(roomOnScreen(owner));
    resize(size);
    openedSize_ = size;
}

void TextViewer::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (size() == openedSize_ || event->spontaneous()) return;
    rememberSize(kSizeKey, size());
    openedSize_ = size();
}

}  // namespace hartool::ui
