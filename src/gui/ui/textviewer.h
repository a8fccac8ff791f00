#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;

namespace hartool::ui {

// A text shown for reading only, when no editor could show it. Esc or Close ends it.
class TextViewer : public QDialog {
    Q_OBJECT
  public:
    // Caption and text are Windows-1252 bytes.
    TextViewer(const std::string& caption, const std::string& text, QWidget* owner = nullptr);

    QPlainTextEdit* view() const { return view_; }

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    QPlainTextEdit* view_;
    QSize openedSize_;
};

}  // namespace hartool::ui
