#pragma once

// The world of a dialog test: a fresh working folder (where the INI file lives), a Wine prefix of its own, a
// generated game folder and the message-box double.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/profile.h"
#include "support/gamefolder.h"
#include "support/guimessageboxdouble.h"
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

    std::string ini() const { return work.folder() + "HARTOOL.INI"; }
    // The game path the next main dialog starts with.
    void usePath(const std::string& path) const {
        ASSERT_TRUE(platform::WRITEENVIRONMENT("TOOL", "PATH", path, ini()));
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
