#pragma once

#include "gui/ui/launcher.h"

#include <string>
#include <vector>

namespace hartool::test {

// Installed while it lives; records the command lines instead of starting anything.
class LauncherDouble : public ui::Launcher {
  public:
    LauncherDouble() : previous_(ui::installLauncher(this)) {}
    ~LauncherDouble() override { ui::installLauncher(previous_); }
    LauncherDouble(const LauncherDouble&) = delete;
    LauncherDouble& operator=(const LauncherDouble&) = delete;

    ui::LaunchResult run(const std::string& commandLine) override {
        commandLines_.push_back(commandLine);
        return result_;
    }
    const std::vector<std::string>& commandLines() const { return commandLines_; }
    // From now on, what a desktop without a usable text editor gives.
    void failStarts() {
        result_ = {{{"xdg-open", ui::LaunchAttempt::Outcome::ExitedWithError, 3}},
                   "no text editor found",
                   "Install a text editor such as gedit or mousepad."};
    }

  private:
    ui::Launcher* previous_;
    std::vector<std::string> commandLines_;
    ui::LaunchResult result_;
};

}  // namespace hartool::test
