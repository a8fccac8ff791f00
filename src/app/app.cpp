#include "app/app.h"

#include "app/patchdialog.h"
#include "ui/launcher.h"
#include "ui/modal.h"

namespace hartool {

int App::START() {
    // The platform's own widget style stands in for the three-dimensional control look.
    PatchDialog dialog;
    ui::showModal(dialog);
    return 0;
}

ui::LaunchResult App::Run(const std::string& commandLine) {
    return ui::runCommandLine(commandLine);
}

}  // namespace hartool
