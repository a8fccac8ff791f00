// The mission list and the copy-name check of the mission tools, on a generated game folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/missions/briefingfiles.h"
#include "core/missions/missions.h"
#include "core/platform/filesystem.h"
#include "support/failingfilesystem.h"
#include "support/gamefolder.h"

namespace hartool::test {
namespace {

const std::string kPlayer = "Data/Battles/Player/";
const std::string k30 = "Thirty characters of title 123";

TEST(MissionItem, PadsOrCutsTheTitleAndEndsInTheBaseName) {
    struct Case {
        std::string title, file, item;
    };
    const Case cases[] = {
        {k30, "S1.TXT", k30 + " - S1"},
        {k30 + "4", "S1.TXT", k30 + " - S1"},
        {"Night Raid", "S1.A.TXT", "Night Raid                     - S1"},
        {"", "NOEXT", std::string(30, ' ') + " - NOEXT"},
    };
    for (const Case& c : cases) EXPECT_EQ(missionItem(c.title, c.file), c.item) << c.title;
}

TEST(CopyName, RefusesNamesOutsideThePlayerFolderOrUnfitForWindows) {
    for (const char* bad :
         {"", "   ", ".", "..", "..\\S1.TXT", "sub/S1.TXT", "C:S1.TXT", "S1.TXT.", "S?.TXT", "S1\t.TXT"})
        EXPECT_NE(copyNameProblem(bad), "") << '"' << bad << '"';
    for (const char* good : {"S124.TXT", " S124.TXT ", "night raid 2.txt", "S124.DAT", "..S1.TXT"})
        EXPECT_EQ(copyNameProblem(good), "") << '"' << good << '"';
}

class MissionListTest : public ::testing::Test {
  protected:
    GameFolder game;
};

TEST(TitleProblem, RefusesWhatWouldBreakTheTitleLine) {
    for (const char* fine : {"", "Night Raid", "Tab\there", "Caf\xe9 (2)"})
        EXPECT_EQ(titleProblem(fine), "") << fine;
    for (const char* bad : {"a\r\nSIDE: 1", "a\nb", "bell\x07", "a [Briefing 0]"})
        EXPECT_NE(titleProblem(bad), "") << bad;
}

TEST_F(MissionListTest, SortsByPaddedTitleThenBaseNameAndClearsReadOnly) {
    for (const char* name : {"S01.TXT", "S02.TXT", "S10.TXT", "T1.TXT", "BATTLE0001.TXT"})
        game.remove(kPlayer + name);
    game.write(kPlayer + "X2.TXT", "TITLE: Twin\r\n");
    game.write(kPlayer + "S1.A.TXT", "TITLE: Twin\r\n");
    game.write(kPlayer + "A.TXT", "SIDE: 0\r\n");
    // Titles equal in their first 30 characters sort by base name.
    game.write(kPlayer + "B.TXT", "TITLE: " + k30 + "z\r\n");
    game.write(kPlayer + "C.TXT", "TITLE: " + k30 + "a\r\n");
    ASSERT_TRUE(platform::setAttributes(game.path(kPlayer + "X2.TXT"), platform::READONLY));

    const MissionList list = readMissionList(game.folders().player);
    EXPECT_EQ(list.fileNames, (std::vector<std::string>{"A.TXT", "B.TXT", "C.TXT", "S1.A.TXT", "X2.TXT"}));
    EXPECT_EQ(list.titles, (std::vector<std::string>{"", k30 + "z", k30 + "a", "Twin", "Twin"}));
    EXPECT_EQ(list.items[0], std::string(30, ' ') + " - A");
    EXPECT_EQ(list.items[3], "Twin                           - S1");
    EXPECT_FALSE(game.isReadOnly(kPlayer + "X2.TXT"));
}

TEST_F(MissionListTest, AFileThatStaysReadOnlyIsListedAndItsDeleteSaysWhy) {
    ASSERT_TRUE(platform::setAttributes(game.path(kPlayer + "S01.TXT"), platform::READONLY));
    FailingFileSystem failing;
    failing.failOn(FailingFileSystem::Op::SetAttributes, "S01.TXT", "Operation not permitted");
    EXPECT_EQ(readMissionList(game.folders().player).fileNames.size(), 5u);
    const Report report = deleteMission(game.folders().player + "S01.TXT").report;
    EXPECT_EQ(report.failures,
              (std::vector<Failure>{{game.folders().player + "S01.TXT", "the file is read-only"}}));
    EXPECT_TRUE(game.exists(kPlayer + "S01.TXT"));
}

TEST_F(MissionListTest, MissingFoldersListNothing) {
    EXPECT_TRUE(readMissionList(game.folders().player + "NONE\\").items.empty());
    EXPECT_TRUE(readBriefingNames(game.folders().briefings).empty());
    game.write("Data/Backup/Briefings/b.brf", "x");
    game.write("Data/Backup/Briefings/A", "x");
    EXPECT_EQ(readBriefingNames(game.folders().briefings), (std::vector<std::string>{"A", "b.brf"}));
}

// A mistaken delete can be undone from the trash; without a usable trash the file stays until the player
// agrees to delete it for good.
TEST_F(MissionListTest, DeletedMissionsAndBriefingsGoToTheTrash) {
#ifdef _WIN32
    GTEST_SKIP() << "the desktop trash of these rows is the freedesktop one";
#endif
    struct Case {
        const char* name;
        std::string file;  // relative to the game folder
        std::function<Deletion(const std::string&, DeleteMode)> remove;
        bool trashFails;
    };
    const auto mission = [](const std::string& f, DeleteMode m) { return deleteMission(f, m); };
    const auto briefing = [](const std::string& f, DeleteMode m) { return deleteBriefing(f, m); };
    const Case cases[] = {
        {"mission", kPlayer + "S01.TXT", mission, false},
        {"briefing", "Data/Backup/Briefings/Night Raid", briefing, false},
        {"mission without trash", kPlayer + "S02.TXT", mission, true},
        {"briefing without trash", "Data/Backup/Briefings/Dawn", briefing, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        game.write(c.file, std::string("text of ") + c.name);
        const std::string base = c.file.substr(c.file.find_last_of('/') + 1);
        FailingFileSystem failing;
        if (c.trashFails) failing.failOn(FailingFileSystem::Op::Trash, "", "no trash");
        const Deletion deletion = c.remove(game.path(c.file), DeleteMode::TRASH);
        EXPECT_EQ(deletion.report.ok(), !c.trashFails) << "a file left where it was is not done";
        EXPECT_EQ(deletion.report.done, c.trashFails ? 0u : 1u);
        EXPECT_EQ(deletion.notTrashed.size(), c.trashFails ? 1u : 0u);
        EXPECT_EQ(game.exists(c.file), c.trashFails);
        if (c.trashFails) {
            EXPECT_EQ(c.remove(game.path(c.file), DeleteMode::FOR_GOOD).report.done, 1u);
            EXPECT_FALSE(game.exists(c.file));
        }
        const std::vector<std::string> trashed = game.trash().files();
        EXPECT_EQ(std::count(trashed.begin(), trashed.end(), base), c.trashFails ? 0 : 1);
        if (c.trashFails) continue;
        EXPECT_EQ(game.trash().read(base), std::string("text of ") + c.name);
        const std::string info = game.trash().infoOf(base);
        EXPECT_TRUE(info.starts_with("[Trash Info]\nPath=/")) << info;
        EXPECT_NE(info.find("\nDeletionDate="), std::string::npos) << info;
    }
}

TEST_F(MissionListTest, ASecondDeleteOfTheSameNameKeepsTheFirstInTheTrash) {
#ifdef _WIN32
    GTEST_SKIP() << "the desktop trash of these rows is the freedesktop one";
#endif
    game.write(kPlayer + "S01.TXT", "first");
    ASSERT_EQ(deleteMission(game.folders().player + "S01.TXT").report.done, 1u);
    game.write(kPlayer + "S01.TXT", "second");
    ASSERT_EQ(deleteMission(game.folders().player + "S01.TXT").report.done, 1u);
    EXPECT_EQ(game.trash().files(), (std::vector<std::string>{"S01.2.TXT", "S01.TXT"}));
    EXPECT_EQ(game.trash().read("S01.TXT"), "first");
    EXPECT_EQ(game.trash().read("S01.2.TXT"), "second");
    EXPECT_NE(game.trash().infoOf("S01.2.TXT"), "");
}

}  // namespace
}  // namespace hartool::test
