// The one rule for names the player types, and how messages name files.

#include <gtest/gtest.h>

#include "core/missions/briefingfiles.h"
#include "core/platform/filesystem.h"
#include "support/tempdir.h"

namespace hartool::test {
namespace {

TEST(FileNameRule, RefusesWhatWindowsOrTheFolderWouldNotKeepAsTyped) {
    struct Case {
        const char* name;
        const char* problem;  // a part of the reason; "" when the name is fine
    };
    const Case cases[] = {
        {"S124.TXT", ""},
        {"night raid 2.txt", ""},
        {"..S1.TXT", ""},
        {"CONSOLE.TXT", ""},
        {"COM10", ""},
        {"", "type a file name"},
        {"   ", "type a file name"},
        {"../x", "must not hold \\, / or :"},
        {"a\\b", "must not hold \\, / or :"},
        {"C:x", "must not hold \\, / or :"},
        {"a?", "must not hold * ?"},
        {"a\tb", "control characters"},
        {"..", "only dots"},
        {"Fine.", "saved as \"Fine\""},
        {"evil. ", "saved as \"evil\""},
        {"CON", "device name"},
        {"aux.txt", "device name"},
        {"COM1 .TXT", "device name"},
        {"CONIN$", "device name"},
        {"conout$.txt", "device name"},
        {"LPT0", "device name"},
    };
    for (const Case& c : cases) {
        const std::string problem = platform::fileNameProblem(c.name);
        if (*c.problem == '\0')
            EXPECT_EQ(problem, "") << '"' << c.name << '"';
        else
            EXPECT_NE(problem.find(c.problem), std::string::npos) << '"' << c.name << "\": " << problem;
    }
}

TEST(FileNameRule, ATitleBecomesTheNameTheDiskKeepsAndSaysSo) {
    struct Case {
        const char* title;
        const char* name;
        bool changed;
    };
    for (const Case& c : {Case{"Night Raid", "Night Raid", false}, Case{"evil.", "evil", true},
                          Case{"Fine. . ", "Fine", true}, Case{"CONIN$", "CONIN$_", true},
                          Case{"COM1 ", "COM1_", true}, Case{"...", "_", true}}) {
        const BriefingName name = briefingName(c.title);
        EXPECT_EQ(name.name, c.name) << c.title;
        EXPECT_EQ(name.changed, c.changed) << c.title;
    }
}

TEST(ShownPath, AsTheDiskSpellsItRelativeToTheGameFolderInsideIt) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX spelling";
#endif
    TempDir dir;
    dir.write("Game/Data/Battles/Player/S01.TXT", "x");
    const std::string game = dir.folder() + "GAME\\";
    // Below a folder the code page cannot spell ("Игры"): a message shows "?" for each of its letters.
    dir.write(
        "\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B/Harvane!/Data/\xC3\x9C"
        "berfall",
        "x");
    const std::string games = dir.folder() + "\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B\\HARVANE!\\";
    struct Case {
        std::string path, base, shown;
    };
    const Case cases[] = {
        {game + "DATA\\BATTLES\\PLAYER\\s01.txt", game, "Data/Battles/Player/S01.TXT"},
        {game + "Data\\Backup\\Briefings\\Gone", game, "Data/Backup/Briefings/Gone"},
        {game + "DATA\\BATTLES\\PLAYER\\S01.TXT", "", dir.folder() + "Game/Data/Battles/Player/S01.TXT"},
        {dir.folder() + "Other/F", game, dir.folder() + "Other/F"},
        {"", game, ""},
        {games + "DATA\\\xC3\x9C"
                 "BERFALL",
         games,
         "Data/\xDC"
         "berfall"},
        {games + "DATA\\\xC3\x9C"
                 "BERFALL",
         "",
         dir.folder() + "????"
                        "/Harvane!/Data/\xDC"
                        "berfall"},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::shownPath(c.path, c.base), c.shown) << c.path;
}

}  // namespace
}  // namespace hartool::test
