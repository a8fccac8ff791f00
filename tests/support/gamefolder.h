#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/game/gamepaths.h"
#include "support/faketrash.h"
#include "support/tempdir.h"

namespace hartool::test {

// A fresh demo game installation for one test, in a folder of its own that goes with the object.
// Generation failing fails the test (and throws, so the test stops there).
//
// Relative names are below the game folder, with "\" or "/" between folders, e.g.
// "Data\Battles\Player\S01.TXT". The helpers work on the disk directly, not through the platform layer,
// so they stay a neutral witness when a test installs a failing file system; like the game on Windows they
// match each name without regard to case (exact spelling first).
class GameFolder {
  public:
    GameFolder() : GameFolder("") {}
    // The game folder below the folders of below (UTF-8, "/" between them; "Игры" for one the code page
    // cannot spell).
    explicit GameFolder(const std::string& below);

    // Scratch space beside the game folder (for an INI file, briefings to import, ...).
    const std::filesystem::path& root() const { return temp_.path(); }
    // The game folder as the operating system spells it, ending in a separator.
    const std::string& nativeFolder() const { return nativeFolder_; }
    // The game path as the tool holds it: PATHOK of the native folder (upper case, ending in "\").
    const std::string& gamePath() const { return gamePath_; }
    const GameFolders& folders() const { return folders_; }

    // Where the tool's deletes go while the object lives: a trash of its own beside the game folder.
    const FakeTrash& trash() const { return trash_; }

    // gamePath() + relative: a path as the tool would build it.
    std::string path(const std::string& relative) const { return gamePath_ + relative; }
    // The native path of an existing file or folder; names that do not exist keep the spelling given.
    std::string nativePath(const std::string& relative) const;

    bool exists(const std::string& relative) const;
    std::string read(const std::string& relative) const;  // "" when missing
    // Creates missing folders; replaces the file even when it is read-only.
    void write(const std::string& relative, const std::string& content) const;
    void remove(const std::string& relative) const;
    // No write permission bit set (how the platform layer keeps read-only on POSIX).
    bool isReadOnly(const std::string& relative) const;
    // Names of the ordinary files of a folder, sorted.
    std::vector<std::string> files(const std::string& relativeFolder) const;
    // Every file and folder of the game folder by its relative native path: a file's content with "<ro>"
    // behind a read-only one, "<folder>" for a folder. Equal snapshots mean nothing on disk changed.
    std::map<std::string, std::string> snapshot() const;

  private:
    TempDir temp_;
    std::filesystem::path game_;
    FakeTrash trash_{temp_.path() / "data-home"};
    std::string nativeFolder_;
    std::string gamePath_;
    GameFolders folders_;
};

}  // namespace hartool::test
