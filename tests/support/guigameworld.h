#pragma once

// The world of a dialog test: a fresh working folder, a Wine prefix and a configuration folder of its own (so
// the settings never reach the user's), a generated game folder and the message-box double.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "game/gamecheck.h"
#include "platform/profile.h"
#include "support/gamefolder.h"
#include "support/guimessageboxdouble.h"
#include "support/scopedenv.h"
#include "support/tempdir.h"

namespace hartool::test {

class GameWorld : public ::testing::Test {
  protected:
    GameWorld() : oldCwd_(std::filesystem::current_path()) {
        std::filesystem::current_path(work.path());
        const char* prefix = std::getenv("WINEPREFIX");
        hadPrefix_ = prefix != nullptr;
        oldPrefix_ = prefix ? prefix : "";
        ::setenv("WINEPREFIX", (work.folder() + "wine").c_str(), 1);
    }
    ~GameWorld() override {
        std::filesystem::current_path(oldCwd_);
        if (hadPrefix_)
            ::setenv("WINEPREFIX", oldPrefix_.c_str(), 1);
        else
            ::unsetenv("WINEPREFIX");
    }

    // Where the tool keeps its settings now.
    std::string ini() const { return iniFile(); }
    // The game path the next main dialog starts with.
    void usePath(const std::string& path) const {
        ASSERT_TRUE(platform::WRITEENVIRONMENT("TOOL", "PATH", path, ini()));
    }

    TempDir work;
    ScopedEnv config{"XDG_CONFIG_HOME", work.folder() + "config"};
    GameFolder game;
    MessageBoxDouble boxes;

  private:
    std::filesystem::path oldCwd_;
    std::string oldPrefix_;
    bool hadPrefix_ = false;
};

}  // namespace hartool::test
