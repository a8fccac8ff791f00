// The search for the game in the usual Wine prefixes, "~" and the on-disk spelling of a folder.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/game/gamepaths.h"
#include "core/platform/gamesearch.h"
#include "support/tempdir.h"

namespace fs = std::filesystem;
using namespace hartool::platform;
using hartool::test::TempDir;

namespace {

class GameSearchTest : public ::testing::Test {
  protected:
    // A home folder and a data folder beside it; the current prefix is given per test.
    SearchPlaces places(const std::string& prefix = "", bool xdgData = false) const {
        return {home(), prefix, xdgData ? root.folder() + "xdg" : home() + "/.local/share"};
    }
    std::string home() const { return root.folder() + "home"; }
    // Creates folder (below the temporary folder) with an empty file of the given name in it.
    std::string put(const std::string& folder, const std::string& file = "HARVANE.EXE") const {
        root.write(folder + "/" + file, "");
        return root.folder() + folder + "/";
    }
    static void touchMany(const fs::path& folder, int count) {
        fs::create_directories(folder);
        for (int i = 0; i < count; ++i) {
            const std::string name = (folder / ("file" + std::to_string(i) + ".dat")).string();
            std::FILE* f = std::fopen(name.c_str(), "w");
            ASSERT_NE(f, nullptr) << name;
            std::fclose(f);
        }
    }

    TempDir root;
};

TEST_F(GameSearchTest, FindsTheGameInEachKindOfPrefix) {
    struct Case {
        const char* name;
        const char* gameFolder;  // below the temporary folder
        const char* executable;
        const char* prefix;  // $WINEPREFIX below the temporary folder, or ""
        bool xdgData;
    };
    const Case cases[] = {
        {"current prefix", "mine/drive_c/Program Files/Vantrope/Harvane!", "HARVANE.EXE", "mine", false},
        {"~/.wine, x86, lower case", "home/.wine/drive_c/Program Files (x86)/Vantrope/Harvane!",
         "harvane.exe", "", false},
        {"launcher prefix, one level", "home/Games/harvane/drive_c/Games/Harvane", "Harvane.exe", "", false},
        {"Heroic", "home/Games/Heroic/Prefixes/default/Harvane/drive_c/Program Files/Vantrope/Harvane!",
         "HARVANE.EXE", "", false},
        {"Heroic, older layout", "home/Games/Heroic/Prefixes/Harvane/drive_c/Program Files/Vantrope/Harvane!",
         "HARVANE.EXE", "", false},
        {"wineprefixes", "home/.local/share/wineprefixes/hv/drive_c/Program Files/VT/Harvane!", "HARVANE.EXE",
         "", false},
        {"wineprefixes below XDG_DATA_HOME", "xdg/wineprefixes/hv/drive_c/Program Files/Harvane!",
         "HARVANE.EXE", "", true},
        {"Steam", "home/.steam/steam/steamapps/compatdata/4711/pfx/drive_c/Program Files/Vantrope/Harvane!",
         "HARVANE.EXE", "", false},
        {"Steam below the data folder",
         "home/.local/share/Steam/steamapps/compatdata/815/pfx/drive_c/Program Files (x86)/Harvane!",
         "HARVANE.EXE", "", false},
        {"Bottles", "home/.local/share/bottles/bottles/Harvane/drive_c/Program Files/Vantrope/Harvane!",
         "HARVANE.EXE", "", false},
        {"launcher prefix in folders 1252 cannot spell",
         "home/Games/\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B/drive_c/Program "
         "Files/\xD0\x92\xD0\xB0\xD0\xBD/Harvane!",
         "HARVANE.EXE", "", false},
        {"Bottles from Flatpak",
         "home/.var/app/com.usebottles.bottles/data/bottles/bottles/Games/drive_c/Games/Vantrope/Harvane!",
         "HARVANE.EXE", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string expected = put(c.gameFolder, c.executable);
        const std::string prefix = *c.prefix ? root.folder() + c.prefix : "";
        const GameSearch found = findGameFolder(places(prefix, c.xdgData), hartool::kGameExecutable);
        EXPECT_EQ(found.folder, expected);
        EXPECT_GT(found.foldersOpened, 0u);
        fs::remove_all(root.path() / "home");
        fs::remove_all(root.path() / "xdg");
        fs::remove_all(root.path() / "mine");
    }
}

TEST_F(GameSearchTest, FindsNothingOutsideTheNamedPlaces) {
    struct Case {
        const char* name;
        const char* folder;
        const char* file;
    };
    const Case cases[] = {
        {"three levels deep", "home/.wine/drive_c/Program Files/A/B/C", "HARVANE.EXE"},
        {"directly in Program Files", "home/.wine/drive_c/Program Files", "HARVANE.EXE"},
        {"outside the named folders", "home/.wine/drive_c/windows/Harvane!", "HARVANE.EXE"},
        {"in the home folder", "home/Harvane!", "HARVANE.EXE"},
        {"another program", "home/.wine/drive_c/Program Files/Vantrope/Harvane!", "HARVANE.DLL"},
        {"a folder of the name", "home/.wine/drive_c/Program Files/Vantrope/Harvane!/HARVANE.EXE", "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        put(c.folder, c.file);
        EXPECT_EQ(findGameFolder(places(), hartool::kGameExecutable).folder, "");
        fs::remove_all(root.path() / "home");
    }
}

TEST_F(GameSearchTest, TheCurrentPrefixComesFirst) {
    put("home/.wine/drive_c/Program Files/Vantrope/Harvane!");
    const std::string mine = put("mine/drive_c/Games/Harvane!");
    EXPECT_EQ(findGameFolder(places(root.folder() + "mine"), hartool::kGameExecutable).folder, mine);
}

TEST_F(GameSearchTest, AHomeOfManyFilesOpensOnlyTheNamedFolders) {
    // A file costs the search one entry of a listing whatever the count: the counter of folders opened is
    // what tells a search that wanders, so a few files stand for a home of many, and folders below the
    // places it must not enter would count if it did.
    touchMany(root.path() / "home/Documents", 40);
    touchMany(root.path() / "home/Documents/Old/Older", 4);
    touchMany(root.path() / "home/.wine/drive_c/windows/system32", 30);
    touchMany(root.path() / "home/.wine/drive_c/windows/system32/drivers", 3);
    touchMany(root.path() / "home/.wine/drive_c/Program Files/Common Files", 29);
    touchMany(root.path() / "home/.wine/drive_c/Program Files/Vendor/App", 5);
    touchMany(root.path() / "home/.wine/drive_c/Program Files/Vendor/App/Sub/Deep", 5);
    fs::create_directories(root.path() / "home/Games/not-a-prefix/data");
    touchMany(root.path() / "home/Games/other/drive_c/Games/Solitaire", 0);
    fs::create_directories(root.path() / "home/.local/share/Steam/steamapps/compatdata/1/pfx");
    fs::create_directories(root.path() / "home/.local/share/Steam/steamapps/compatdata/2");
    touchMany(root.path() / "home/.local/share/Steam/steamapps/compatdata/3/pfx/drive_c/Program Files/Tool",
              0);

    // The current prefix is ~/.wine: searched once.
    const GameSearch found = findGameFolder(places(home() + "/.wine"), hartool::kGameExecutable);
    EXPECT_EQ(found.folder, "");
    // ~/.wine: Program Files, Common Files, Vendor, App. ~/Games and other's Games and Solitaire. Steam's
    // compatdata and prefix 3's Program Files and Tool.
    EXPECT_EQ(found.foldersOpened, 4u + 3u + 3u);
}

TEST_F(GameSearchTest, ATildeMeansTheHomeFolder) {
    struct Case {
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {"~", "/home/me"},
        {"~/Games/Harvane!", "/home/me/Games/Harvane!"},
        {"~\\Games", "/home/me\\Games"},
        {"~other/Games", "~other/Games"},
        {"/opt/~/x", "/opt/~/x"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(expandHome(c.typed, "/home/me"), c.expected);
    }
}

TEST_F(GameSearchTest, AFolderIsSpeltAsOnDisk) {
    const std::string game = put("Games/Harvane!");
    struct Case {
        std::string given;
        std::string expected;
    };
    const Case cases[] = {
        {hartool::PATHOK(game.substr(0, game.size() - 1)), game},
        {game.substr(0, game.size() - 1), game},
        {game, game},
        {root.folder() + "GAMES\\NONE\\", root.folder() + "GAMES\\NONE\\"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        EXPECT_EQ(spelledOnDisk(c.given), c.expected);
    }
}

}  // namespace
