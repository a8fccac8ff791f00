#pragma once

#include "ui/launcher.h"

#include <string>

namespace hartool {

// The application object: shows the main dialog, and starts other programs for the dialogs.
class App {
  public:
    // Shows the main dialog modally and returns when it has ended.
    int START();
    // Starts a command line such as "NotePad " + file, without waiting for it to end.
    static ui::LaunchResult Run(const std::string& commandLine);
};

}  // namespace hartool
