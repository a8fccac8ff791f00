#include "support/guimessageboxdouble.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <gtest/gtest.h>

namespace hartool::test {

MessageBoxDouble::MessageBoxDouble() : previous_(ui::installMessageBoxes(this)) {}

MessageBoxDouble::~MessageBoxDouble() {
    ui::installMessageBoxes(previous_);
    if (!answers_.empty()) ADD_FAILURE() << answers_.size() << " scripted answer(s) were not asked for";
}

void MessageBoxDouble::information(QWidget* owner, const std::string& caption, const std::string& text) {
    boxes_.push_back(info(caption, text));
    if (onShow) onShow();
    reactivate(owner);
}

ui::Reply MessageBoxDouble::question(QWidget* owner, const std::string& caption, const std::string& text,
                                     ui::Ask ask) {
    boxes_.push_back(test::question(caption, text));
    boxes_.back().ask = ask;
    if (onShow) onShow();
    ui::Reply reply = ui::Reply::No;
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question \"" << caption << "\" / \"" << text << "\"";
    } else {
        reply = answers_.front();
        answers_.pop_front();
    }
    reactivate(owner);
    return reply;
}

std::ostream& operator<<(std::ostream& out, const MessageBoxDouble::Box& box) {
    return out << (box.kind == MessageBoxDouble::Kind::Information ? "info" : "question") << " \""
               << box.caption << "\" / \"" << box.text << "\"";
}

void reactivate(QWidget* owner) {
    if (!owner || !owner->window()) return;
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(owner->window(), &activate);
}

}  // namespace hartool::test
