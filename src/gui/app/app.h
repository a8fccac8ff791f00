#pragma once

#include "gui/ui/launcher.h"

#include <QIcon>

#include <string>

namespace hartool {

// The application object: shows the main dialog, and starts other programs for the dialogs.
class App {
  public:
    // Shows the main dialog modally and returns when it has ended.
    int START();
    // Starts a command line such as "NotePad " + file, without waiting for it to end.
    static ui::LaunchResult Run(const std::string& commandLine);
    // The window icon, in every size the program carries.
    static QIcon icon();
    // The player's help file: in the working folder, else beside the program (a build), else where an install
    // puts it (<prefix>/share/hartool/ for a program in <prefix>/bin/); "" when none is there. programFolder
    // ends in a separator.
    static std::string helpFile(const std::string& programFolder);
};

}  // namespace hartool
