#pragma once

#include <QApplication>

namespace hartool::ui {

// For work that keeps the GUI thread busy: the pointer shows that the window is not frozen, while it lasts.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace hartool::ui
