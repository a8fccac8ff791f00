#pragma once

#include "ui/launcher.h"

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

    bool run(const std::string& commandLine) override {
        commandLines_.push_back(commandLine);
        return succeeds_;
    }
    const std::vector<std::string>& commandLines() const { return commandLines_; }
    void failStarts() { succeeds_ = false; }

  private:
    ui::Launcher* previous_;
    std::vector<std::string> commandLines_;
    bool succeeds_ = true;
};

}  // namespace hartool::test
