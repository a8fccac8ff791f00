#pragma once

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace hartool::ui {

// For work that keeps the GUI thread busy: the pointer shows that the window is not frozen, while it lasts.
// Without a GUI application (a core tool, a test without windows) there is no pointer to change.
class WaitCursor {
  public:
    WaitCursor() : shown_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (shown_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor() {
        if (shown_) QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    bool shown_;
};

}  // namespace hartool::ui
