#include "gui/ui/progressbox.h"

#include <algorithm>
#include <climits>

#include "gui/ui/dialog.h"
#include "gui/ui/textconvert.h"

namespace hartool::ui {

namespace {
constexpr int kShowAfterMs = 1000;

int clamped(std::size_t n) {
    return static_cast<int>(std::min<std::size_t>(n, INT_MAX));
}

std::string grouped(std::size_t n) {
    std::string digits = std::to_string(n);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
    return digits;
}
}  // namespace

std::string filesDone(std::size_t done, std::size_t total) {
    return grouped(done) + " of " + grouped(total) + (total == 1 ? " file" : " files");
}

ProgressBox::ProgressBox(QWidget* owner, const std::string& caption) : dialog_(owner), caption_(caption) {
    dialog_.setWindowTitle(toQt(caption));
    dialog_.setLabelText(toQt(caption));
    dialog_.setCancelButtonText(QStringLiteral("Cancel"));
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(kShowAfterMs);
    // The operation ends the box; reaching the last file must not reset a Cancel pressed just before.
    dialog_.setAutoReset(false);
    dialog_.setAutoClose(false);
    // The box sizes itself to its label and button, which left the caption in the title bar cut.
    dialog_.setMinimumWidth(std::min(captionWidth(dialog_), roomOnScreen(owner).width()));
}

Progress ProgressBox::callback() {
    return [this](std::size_t done, std::size_t total) { return step(done, total); };
}

bool ProgressBox::step(std::size_t done, std::size_t total) {
    if (dialog_.wasCanceled()) return false;
    dialog_.setMaximum(clamped(total));
    dialog_.setLabelText(toQt(caption_ + "\n" + filesDone(done, total)));
    // A window-modal box handles events here once it is shown, which is how Cancel gets clicked.
    dialog_.setValue(clamped(done));
    return !dialog_.wasCanceled();
}

}  // namespace hartool::ui
