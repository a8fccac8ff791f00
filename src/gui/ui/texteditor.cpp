#include "gui/ui/texteditor.h"

#include "core/platform/filesystem.h"
#include "core/text/textfile.h"
#include "gui/ui/dialog.h"
#include "gui/ui/messagebox.h"
#include "gui/ui/textconvert.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace hartool::ui {

namespace {
const char* const kCaption = "text editor";
}  // namespace

TextEditor::TextEditor(const std::string& file, const std::string& shown, QWidget* owner)
    : QDialog(owner), view_(new QPlainTextEdit(this)), file_(file), shown_(shown) {
    setObjectName("TextEditor");
    setWindowTitle(toQt(shown + " - " + kCaption));
    setSizeGripEnabled(true);
    view_->setObjectName("TEXT");
    // Mission files line up their values with blanks.
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);

    const platform::ReadResult read = platform::fileSystem().read(file_);
    readOk_ = read.ok;
    if (readOk_) {
        bytes_ = read.content;
        EditableText text = editableText(bytes_);
        lineEnd_ = std::move(text.lineEnd);
        view_->setPlainText(toQt(text.text));
    } else {
        view_->setReadOnly(true);
        view_->setPlainText(toQt(
            shown_ + " could not be read: " + (read.missing ? std::string("file not found") : read.error)));
    }
    view_->document()->setModified(false);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Save)->setObjectName("PSHSAVE");
    buttons->button(QDialogButtonBox::Save)->setEnabled(readOk_);
    buttons->button(QDialogButtonBox::Close)->setObjectName("PSHCLOSE");
    // Return types a line break: no button is pressed by it.
    for (QAbstractButton* b : buttons->buttons())
        if (auto* push = qobject_cast<QPushButton*>(b)) push->setAutoDefault(false);
    connect(buttons->button(QDialogButtonBox::Save), &QPushButton::clicked, this, [this] { save(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &TextEditor::reject);
    auto* saveKey = new QShortcut(QKeySequence::Save, this);
    connect(saveKey, &QShortcut::activated, this, [this] { save(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_);
    layout->addWidget(buttons);

    // The player may resize it.
    resize(textWindowSize(owner, view_->font()));
    view_->setFocus();
}

bool TextEditor::save() {
    if (!readOk_) return false;
    // Unchanged, the file gets back exactly the bytes it held.
    const bool edited = view_->document()->isModified();
    const std::string content = edited ? savedText(fromQt(view_->toPlainText()), lineEnd_) : bytes_;
    const platform::Status written = platform::writeFile(file_, content);
    if (!written) {
        INFOBOX(this, kCaption, shown_ + " could not be saved: " + written.error);
        return false;
    }
    bytes_ = content;
    view_->document()->setModified(false);
    return true;
}

void TextEditor::reject() {
    if (view_->document()->isModified() &&
        !confirmed(this, kCaption, "discard the changes to " + shown_ + " ?"))
        return;
    QDialog::reject();
}

}  // namespace hartool::ui
