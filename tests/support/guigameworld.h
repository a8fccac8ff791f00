#pragma once

// The world of a dialog test: a fresh working folder (where the INI file lives), a Wine prefix and an empty
// home folder of its own (so that no game of the machine is found), a generated game folder and the
// message-box double.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/profile.h"
#include "support/gamefolder.h"
#include "support/guimessageboxdouble.h"
#include "support/scopedenvironment.h"
#include "support/tempdir.h"

namespace hartool::test {

class GameWorld : public ::testing::Test {
  protected:
    GameWorld() : oldCwd_(std::filesystem::current_path()) {
        std::filesystem::current_path(work.path());
        environment.set("WINEPREFIX", work.folder() + "wine");
        environment.set("HOME", work.folder() + "home");
        environment.set("XDG_DATA_HOME", std::nullopt);
    }
    ~GameWorld() override { std::filesystem::current_path(oldCwd_); }

    std::string ini() const { return work.folder() + "HARTOOL.INI"; }
    // The game path the next main dialog starts with.
    void usePath(const std::string& path) const {
        ASSERT_TRUE(platform::WRITEENVIRONMENT("TOOL", "PATH", path, ini()));
    }

    TempDir work;
    GameFolder game;
    MessageBoxDouble boxes;
    ScopedEnvironment environment;

  private:
    std::filesystem::path oldCwd_;
};

}  // namespace hartool::test
