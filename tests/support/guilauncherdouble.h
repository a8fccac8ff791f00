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
    ui::LaunchResult follow(const std::string& commandLine, const ui::LateFailure& late) override {
        late_ = late;
        return run(commandLine);
    }
    const std::vector<std::string>& commandLines() const { return commandLines_; }
    // From now on, what a desktop without a usable text editor gives.
    void failStarts() { result_ = failure(); }
    // From now on, a handler that is still running when the start returns, as if it showed the file.
    void handlerRuns() { result_ = {{{"xdg-open", ui::LaunchAttempt::Outcome::StillRunning}}, "", ""}; }
    // The handler of the last start ends with an error, as the real launcher tells it from the event loop.
    void handlerFailsLate() {
        if (late_) late_(failure());
    }
    static ui::LaunchResult failure() {
        return {
            {{"xdg-open", ui::LaunchAttempt::Outcome::ExitedWithError, 3}},
            "no text editor found",
            "install a text editor such as gedit or mousepad, or name one as EDITOR in the TOOL section of "
            "the settings"};
    }

  private:
    ui::Launcher* previous_;
    std::vector<std::string> commandLines_;
    ui::LaunchResult result_;
    ui::LateFailure late_;
};

}  // namespace hartool::test
