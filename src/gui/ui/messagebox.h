#pragma once

// The two message boxes of every dialog. Captions and texts are Windows-1252 bytes.

#include <memory>
#include <string>

class QMessageBox;
class QWidget;

namespace hartool::ui {

enum class Reply { Yes, No, Cancel };

// How a question is put: the button Enter presses, and whether Cancel stands beside Yes and No.
struct Ask {
    Reply byDefault = Reply::Yes;
    bool withCancel = false;
};
// For questions that delete or replace: Enter pressed twice must never do either.
inline constexpr Ask kNoByDefault{Reply::No, false};

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual void information(QWidget* owner, const std::string& caption, const std::string& text) = 0;
    virtual Reply question(QWidget* owner, const std::string& caption, const std::string& text, Ask ask) = 0;
};

// The real box, built but not yet shown: at least as wide as its caption needs in the title bar.
enum class BoxKind { Information, Question };
std::unique_ptr<QMessageBox> makeMessageBox(BoxKind kind, QWidget* owner, const std::string& caption,
                                            const std::string& text);

// The boxes in use; install returns the previous ones (nullptr puts the real boxes back).
MessageBoxes& messageBoxes();
MessageBoxes* installMessageBoxes(MessageBoxes* boxes);

// Information icon and OK.
void INFOBOX(QWidget* owner, const std::string& caption, const std::string& text);
// Question icon, Yes and No (and Cancel when asked for).
Reply WARNINGBOX(QWidget* owner, const std::string& caption, const std::string& text, Ask ask = {});
// The guarded action runs only on Yes.
inline bool confirmed(QWidget* owner, const std::string& caption, const std::string& text, Ask ask = {}) {
    return WARNINGBOX(owner, caption, text, ask) == Reply::Yes;
}

}  // namespace hartool::ui
