#pragma once

#include "gui/ui/messagebox.h"

#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

class QWidget;

namespace hartool::test {

// Installed while it lives. Records every box and answers questions from a script; a question without
// a scripted answer fails the test and is answered No, and answers left over fail it too. Closing a box
// reactivates its owner's window, as on the desktop.
class MessageBoxDouble : public ui::MessageBoxes {
  public:
    enum class Kind { Information, Question };
    struct Box {
        Kind kind;
        std::string caption;
        std::string text;
        ui::Ask ask;  // of a question; compared on its own, not by ==
        bool operator==(const Box& o) const {
            return kind == o.kind && caption == o.caption && text == o.text;
        }
    };

    MessageBoxDouble();
    ~MessageBoxDouble() override;
    MessageBoxDouble(const MessageBoxDouble&) = delete;
    MessageBoxDouble& operator=(const MessageBoxDouble&) = delete;

    // The reply to the next question.
    void answer(ui::Reply reply) { answers_.push_back(reply); }
    const std::vector<Box>& boxes() const { return boxes_; }
    void clear() { boxes_.clear(); }
    // Called while each box is open, to look at what the dialog shows behind it.
    std::function<void()> onShow;

    void information(QWidget* owner, const std::string& caption, const std::string& text) override;
    ui::Reply question(QWidget* owner, const std::string& caption, const std::string& text,
                       ui::Ask ask) override;

  private:
    ui::MessageBoxes* previous_;
    std::deque<ui::Reply> answers_;
    std::vector<Box> boxes_;
};

inline MessageBoxDouble::Box info(std::string caption, std::string text) {
    return {MessageBoxDouble::Kind::Information, std::move(caption), std::move(text), {}};
}
inline MessageBoxDouble::Box question(std::string caption, std::string text) {
    return {MessageBoxDouble::Kind::Question, std::move(caption), std::move(text), {}};
}
std::ostream& operator<<(std::ostream& out, const MessageBoxDouble::Box& box);

// Sends the window of a widget the activation it gets when a box or dialog over it closes.
void reactivate(QWidget* owner);

}  // namespace hartool::test
