#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;

namespace hartool::ui {

// The tool's own plain text editor, for a player whose desktop opens no editor (or who chose it with the
// settings' EDITOR key). It keeps the file's bytes: saved unchanged, the file stays as it was; saved after an
// edit, it gets the file's own line ends. Saving is atomic, and closing with changes asks first. Resizable.
class TextEditor : public QDialog {
    Q_OBJECT
  public:
    // file: the path as the file system takes it; shown: the file as messages name it. Both Windows-1252.
    TextEditor(const std::string& file, const std::string& shown, QWidget* owner = nullptr);

    QPlainTextEdit* view() const { return view_; }
    // False when the file could not be read: the editor then shows nothing and saves nothing.
    bool readInFull() const { return readOk_; }
    // Writes the file; false after telling the player why it could not be.
    bool save();
    // Asks before changes are discarded.
    void reject() override;

  private:
    QPlainTextEdit* view_;
    std::string file_;
    std::string shown_;
    std::string bytes_;    // as read, written back unchanged
    std::string lineEnd_;  // the file's
    bool readOk_ = false;
};

}  // namespace hartool::ui
