#pragma once

// The world of a dialog test: a fresh working folder, a Wine prefix, an empty home folder and a configuration
// folder of its own (so that no game of the machine is found and the settings never reach the user's), a
// generated game folder and the message-box double.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/game/gamecheck.h"
#include "core/platform/profile.h"
#include "core/platform/settings.h"
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
        environment.set("XDG_CONFIG_HOME", work.folder() + "config");
    }
    ~GameWorld() override { std::filesystem::current_path(oldCwd_); }

    // Where the tool keeps its settings now.
    std::string ini() const { return platform::iniFile(); }
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
