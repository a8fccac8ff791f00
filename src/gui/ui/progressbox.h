#pragma once

#include <QProgressDialog>
#include <string>

#include "core/base/progress.h"

namespace hartool::ui {

// The progress of one operation over many files, for the player to watch and stop. It appears only when the
// work lasts longer than about a second, and blocks the window it belongs to while it is up.
class ProgressBox {
  public:
    ProgressBox(QWidget* owner, const std::string& caption);
    ProgressBox(const ProgressBox&) = delete;
    ProgressBox& operator=(const ProgressBox&) = delete;

    // For the core operation: false once the player has pressed Cancel. Valid while the box lives.
    Progress callback();
    // What the Cancel button does.
    void cancel() { dialog_.cancel(); }
    const QProgressDialog& dialog() const { return dialog_; }

  private:
    bool step(std::size_t done, std::size_t total);

    QProgressDialog dialog_;
    std::string caption_;
};

// "1,234 of 18,065 files"
std::string filesDone(std::size_t done, std::size_t total);

}  // namespace hartool::ui
