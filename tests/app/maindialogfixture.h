#pragma once

// A main dialog's world for one test: a fresh working folder (where the INI file lives), a Wine prefix of its
// own, a generated game folder and the message-box double.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "app/patchdialog.h"
#include "platform/profile.h"
#include "support/gamefolder.h"
#include "support/guimessageboxdouble.h"
#include "support/tempdir.h"
#include "ui/controls.h"

namespace hartool::test {

class MainDialogFixture : public ::testing::Test {
  protected:
    MainDialogFixture() : oldCwd_(std::filesystem::current_path()) {
        std::filesystem::current_path(work.path());
        const char* prefix = std::getenv("WINEPREFIX");
        hadPrefix_ = prefix != nullptr;
        oldPrefix_ = prefix ? prefix : "";
        ::setenv("WINEPREFIX", (work.folder() + "wine").c_str(), 1);
    }
    ~MainDialogFixture() override {
        std::filesystem::current_path(oldCwd_);
        if (hadPrefix_)
            ::setenv("WINEPREFIX", oldPrefix_.c_str(), 1);
        else
            ::unsetenv("WINEPREFIX");
    }

    std::string ini() const { return work.folder() + "HARTOOL.INI"; }
    // The game path the next dialog starts with.
    void usePath(const std::string& path) const {
        ASSERT_TRUE(platform::WRITEENVIRONMENT("TOOL", "PATH", path, ini()));
    }

    static bool enabled(const PatchDialog& d, const char* name) {
        return d.control<ui::MYPUSHBUTTON>(name)->isEnabled();
    }
    // The enabled state of the six function buttons.
    static std::map<std::string, bool> functions(const PatchDialog& d) {
        std::map<std::string, bool> on;
        for (const char* n : {"PSHSAVE", "PSHREST", "PSHCAMP", "PSHMISSTOOLS", "PSHSAVECREW", "PSHRESTCREW"})
            on[n] = enabled(d, n);
        return on;
    }
    static std::map<std::string, bool> states(bool save, bool restore, bool tools, bool crew) {
        return {{"PSHSAVE", save},       {"PSHREST", restore},  {"PSHCAMP", tools},
                {"PSHMISSTOOLS", tools}, {"PSHSAVECREW", crew}, {"PSHRESTCREW", crew}};
    }

    TempDir work;
    GameFolder game;
    MessageBoxDouble boxes;

  private:
    std::filesystem::path oldCwd_;
    std::string oldPrefix_;
    bool hadPrefix_ = false;
};

}  // namespace hartool::test
