#include "gui/app/app.h"

#include "core/platform/filesystem.h"
#include "gui/app/patchdialog.h"
#include "gui/ui/launcher.h"
#include "gui/ui/modal.h"

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

QIcon App::icon() {
    // PNG only: an SVG would need the SVG image plug-in at run time.
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QString(":/icons/%1/org.hartool.Hartool.png").arg(size), QSize(size, size));
    return icon;
}

std::string App::helpFile(const std::string& programFolder) {
    const std::string name = "ReadmeENG.TXT";
    // The prefix is cut from the text of the path: "bin/.." would not pass a link or a missing folder.
    std::string prefix = programFolder;
    while (!prefix.empty() && (prefix.back() == '/' || prefix.back() == '\\')) prefix.pop_back();
    prefix.erase(prefix.find_last_of("/\\") + 1);
    for (const std::string& candidate : {name, programFolder + name, prefix + "share/hartool/" + name}) {
        if (platform::fileExists(candidate)) return candidate;
    }
    return {};
}

}  // namespace hartool
