// The rewriters, the lists and the operations of the campaign transfer, on a generated game folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "core/text/entries.h"
#include "core/transfer/transfer.h"
#include "demo/demogame.h"
#include "support/failingfilesystem.h"
#include "support/gamefolder.h"
#include "support/separators.h"

namespace hartool::test {
namespace {

using Op = FailingFileSystem::Op;

const Campaign& uk = kCampaigns[0];
const std::string kPlayer = "Data/Battles/Player/";
const std::string kUk = "Data/Battles/1stUKArmDiv/";

class TransferTest : public ::testing::Test {
  protected:
    std::string player(const std::string& name) const { return game.folders().player + name; }
    GameFolder game;
};

TEST_F(TransferTest, PutTitleRewritesTheFirstLine) {
    struct Case {
        const char* name;
        std::string before;
        TitleMode mode;
        std::string newTitle;
        std::string line;
        std::string after;
    };
    const Case cases[] = {
        {"marked", "TITLE: UK Strike 1\r\nSIDE: 0\r\n", TitleMode::MISSION, "", "TITLE:  ORG_UK_Strike_1",
         "TITLE:  ORG_UK_Strike_1\r\nSIDE: 0\r\n"},
        {"unmarked", "TITLE: ORG_UK_Strike_1\r\nSIDE: 0\r\n", TitleMode::KAMPAGNE, "", "TITLE:  UK Strike 1",
         "TITLE:  UK Strike 1\r\nSIDE: 0\r\n"},
        {"lower-case mark", "TITLE: org_x\r\n", TitleMode::KAMPAGNE, "", "TITLE:  x", "TITLE:  x\r\n"},
        {"the mark alone stays", "TITLE: ORG_\r\n", TitleMode::KAMPAGNE, "", "TITLE:  ORG ",
         "TITLE:  ORG \r\n"},
        {"given title unchanged", "TITLE: ORG_A_B\r\n", TitleMode::KAMPAGNE, "Own_Title 4",
         "TITLE:  Own_Title 4", "TITLE:  Own_Title 4\r\n"},
        {"first line lost, empty lines and bare line feeds go", "; note\nSIDE: 1\n\n\nTITLE: A B\n",
         TitleMode::MISSION, "", "TITLE:  ORG_A_B", "TITLE:  ORG_A_B\r\nSIDE: 1\r\nTITLE: A B\r\n"},
        {"no title", "SIDE: 1\r\nX\r\n", TitleMode::MISSION, "", "TITLE:  ORG_", "TITLE:  ORG_\r\nX\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        game.write("M.TXT", c.before);
        const TitleWrite w = PUTTITLE(game.path("m.txt"), c.mode, c.newTitle);
        EXPECT_TRUE(w.status);
        EXPECT_EQ(w.line, c.line);
        EXPECT_EQ(game.read("M.TXT"), c.after);
    }
    EXPECT_FALSE(PUTTITLE(game.path("MISSING.TXT"), TitleMode::MISSION).status);
    EXPECT_FALSE(game.exists("MISSING.TXT"));
}

TEST_F(TransferTest, PutBriefingAppendsOnlyToAFileWithoutSections) {
    struct Case {
        const char* name;
        std::string source, target, after;
    };
    const Case cases[] = {
        {"appended", "TITLE: a\r\nX\r\n[Briefing 0]\r\nText = 1\r\n", "TITLE: b\r\nY",
         "TITLE: b\r\nY\r\n\r\n\r\n[Briefing 0]\r\nText = 1\r\n"},
        {"target has a section", "[Briefing 0]\r\n", "TITLE: b\r\n[Misc]\r\n", "TITLE: b\r\n[Misc]\r\n"},
        {"source has none", "TITLE: a\r\n", "TITLE: b\r\n", "TITLE: b\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        game.write("SRC", c.source);
        game.write("DST", c.target);
        EXPECT_TRUE(PUTBRIEFING(game.path("src."), game.path("dst")));
        EXPECT_EQ(game.read("DST"), c.after);
    }
}

TEST_F(TransferTest, NamesAndItems) {
    EXPECT_EQ(singleBattleName(uk, 0), "BATTLE3000.TXT");
    EXPECT_EQ(singleBattleName(uk, 11), "BATTLE3011.TXT");
    EXPECT_EQ(singleBattleName(kCampaigns[4], 12), "BATTLE3092.TXT");
    const std::pair<std::pair<const char*, const char*>, const char*> items[] = {
        {{"ORG_UK_Strike_1", "BATTLE3001.TXT"}, "ORG_UK_STRIKE_1 - BATTLE3001"},
        {{"short", "BATTLE9.TXT"}, "SHORT           - BATTLE9"},
        {{"A title of thirty characters..", "X.TXT"}, "A TITLE OF THIR - X"},
        {{"", "A.B.TXT"}, "                - A"},
    };
    for (const auto& [in, item] : items) EXPECT_EQ(singleBattleItem(in.first, in.second), item) << in.first;
}

TEST_F(TransferTest, ListsFilterByCodeInCharacterOrder) {
    game.write(kPlayer + "BATTLE9.TXT", "TITLE: ORG_uk_nine\r\n");
    game.write(kPlayer + "BATTLE10.TXT", "TITLE: ORG_UK_Strike_1\r\n");
    game.write(kPlayer + "BATTLE11.TXT", "SIDE: 0\r\n");
    game.write(kPlayer + "battle12.txt", "TITLE: ARMOR 3\r\n");

    const MissionLists filtered = transferLists(game.folders(), uk, false);
    EXPECT_EQ(filtered.fileNames, (std::vector<std::string>{"BATTLE10.TXT", "BATTLE9.TXT"}));
    EXPECT_EQ(filtered.battleItems,
              (std::vector<std::string>{"ORG_UK_STRIKE_1 - BATTLE10", "ORG_UK_NINE     - BATTLE9"}));
    EXPECT_EQ(filtered.campaignItems.size(), 12u);
    EXPECT_EQ(filtered.campaignItems.back(), "CAMP11");

    const MissionLists all = transferLists(game.folders(), uk, true);
    EXPECT_EQ(all.fileNames,
              (std::vector<std::string>{"BATTLE0001.TXT", "BATTLE10.TXT", "BATTLE11.TXT", "BATTLE9.TXT",
                                        "S01.TXT", "S02.TXT", "S10.TXT", "T1.TXT", "battle12.txt"}));
    EXPECT_EQ(transferLists(game.folders(), kCampaigns[3], false).campaignItems.size(), 13u);

    std::filesystem::remove_all(game.nativePath("Data/Battles/Player"));
    EXPECT_TRUE(transferLists(game.folders(), uk, true).fileNames.empty());
}

TEST_F(TransferTest, CopyToSingleBattlesKeepsChangedOnesWhenAsked) {
    game.write(kPlayer + "BATTLE3002.TXT", "TITLE: ORG_edited\r\n");
    EXPECT_TRUE(copyToSingleBattles(game.folders(), uk, {1}).ok());
    // An unchanged copy is no loss; an edited one is.
    EXPECT_EQ(changedSingleBattles(game.folders(), uk, {1, 2, 3}), std::vector<std::size_t>{2});

    const Report r = copyToSingleBattles(game.folders(), uk, {2, 3, 40}, {2});
    EXPECT_EQ(r.done, 1u);
    EXPECT_EQ(game.read(kPlayer + "BATTLE3002.TXT"), "TITLE: ORG_edited\r\n");
    ASSERT_EQ(r.kept.size(), 1u);
    EXPECT_EQ(r.kept[0].file, player("BATTLE3002.TXT"));
    ASSERT_EQ(r.skipped.size(), 1u);
    EXPECT_TRUE(r.skipped[0].file.ends_with("CAMP40"));
    std::string marked = "ORG_" + demo::campaignTitle(0, 3);
    std::replace(marked.begin(), marked.end(), ' ', '_');
    EXPECT_EQ(GETTITLE(player("BATTLE3003.TXT")), marked);
}

TEST_F(TransferTest, UnpairedBackTakesTheTitlesNumberAndRefusesATitleWithoutOne) {
    game.write(kPlayer + "A.TXT", "TITLE: ORG_UK_Strike_7\r\nSIDE: 0\r\n");
    game.write(kPlayer + "B.TXT", "TITLE: ORG_UK_Strike\r\n");

    const Report r = copyToCampaign(game.folders(), uk, {"A.TXT", "B.TXT", "GONE.TXT"});
    EXPECT_EQ(r.done, 1u);
    EXPECT_EQ(game.read(kUk + "CAMP7"), "TITLE:  UK Strike 7\r\nSIDE: 0\r\n");
    EXPECT_TRUE(game.isReadOnly(kUk + "CAMP7"));
    EXPECT_EQ(r.skipped.size(), 2u);
    EXPECT_EQ(r.text("1 files transfered", "transferred", game.gamePath()),
              withSystemSeparators("not everything could be done: 1 of 3 files were transferred.\n\nnot "
                                   "transferred:\n"
                                   "Data/Battles/Player/B.TXT: its title does not end in a mission number\n"
                                   "Data/Battles/Player/GONE.TXT: the file does not exist"));
}

TEST_F(TransferTest, FailuresAreReportedAndTheCampaignStaysProtected) {
    game.write(kPlayer + "A.TXT", "TITLE: ORG_UK_Strike_1\r\n");
    FailingFileSystem failing;
    failing.failOn(Op::Write, "CAMP1", "disk full");
    failing.failOn(Op::Trash, "S01", "no trash");
    failing.failOn(Op::Remove, "S01", "busy");
    const Report back = copyToCampaign(game.folders(), uk, {"A.TXT"});
    EXPECT_EQ(back.done, 0u);
    ASSERT_EQ(back.failures.size(), 1u);
    EXPECT_EQ(back.failures[0].reason, "disk full");
    EXPECT_NE(game.read(kUk + "CAMP1"), "TITLE:  UK Strike 1\r\n");
    EXPECT_TRUE(game.isReadOnly(kUk + "CAMP1"));

    const Deletion del = deleteSingleBattles(game.folders(), {"S01.TXT", "S02.TXT"});
    EXPECT_EQ(del.report.done, 1u);
    EXPECT_EQ(del.notTrashed, (std::vector<Failure>{{player("S01.TXT"), "no trash"}}));
    const Deletion forGood = deleteSingleBattles(game.folders(), {"S01.TXT"}, {}, DeleteMode::FOR_GOOD);
    EXPECT_EQ(forGood.report.text("1 single battles file deleted", "deleted"),
              "not everything could be done: 0 of 1 file was deleted.\n\nfailed:\n" +
                  game.nativePath(kPlayer + "S01.TXT") + ": busy");
    EXPECT_TRUE(game.exists(kPlayer + "S01.TXT"));
    EXPECT_FALSE(game.exists(kPlayer + "S02.TXT"));
    EXPECT_EQ(deleteSingleBattles(game.folders(), {"S10.TXT"}).report.text("ok", "deleted"), "ok");
}

TEST_F(TransferTest, DeletedSingleBattlesGoToTheTrashOrStayWithoutOne) {
#ifdef _WIN32
    GTEST_SKIP() << "the desktop trash of these rows is the freedesktop one";
#endif
    for (const bool trashFails : {false, true}) {
        SCOPED_TRACE(trashFails ? "no trash" : "trash");
        game.write(kPlayer + "BATTLE3001.TXT", "battle");
        FailingFileSystem failing;
        if (trashFails) failing.failOn(Op::Trash, "", "no trash");
        const Deletion d = deleteSingleBattles(game.folders(), {"BATTLE3001.TXT"});
        EXPECT_EQ(d.report.ok(), !trashFails);
        EXPECT_EQ(d.notTrashed.size(), trashFails ? 1u : 0u);
        EXPECT_EQ(game.exists(kPlayer + "BATTLE3001.TXT"), trashFails);
        EXPECT_EQ(game.trash().files(), std::vector<std::string>{"BATTLE3001.TXT"}) << "the first one only";
    }
    EXPECT_EQ(game.trash().read("BATTLE3001.TXT"), "battle");
    EXPECT_TRUE(game.trash().infoOf("BATTLE3001.TXT").starts_with("[Trash Info]\nPath=/"));
}

// Stopped after the second file: the third is as it was, and the report tells why.
TEST_F(TransferTest, ACancelledTransferStopsBetweenFiles) {
    for (const char* name : {"S01.TXT", "S02.TXT", "S10.TXT"})
        game.write(kPlayer + name, std::string("TITLE: ORG_UK_Strike_") + name[2] + "\r\n");
    const std::vector<std::string> battles = {"S01.TXT", "S02.TXT", "S10.TXT"};
    struct Case {
        const char* name;
        std::function<Report(const Progress&)> run;
        std::string untouched;  // the file the third step would have changed
    };
    const Case cases[] = {
        {"to single battles",
         [&](const Progress& p) {
             return copyToSingleBattles(game.folders(), uk, {1, 2, 3}, {}, p);
         },
         kPlayer + "BATTLE3003.TXT"},
        {"to the campaign",
         [&](const Progress& p) { return copyToCampaign(game.folders(), uk, battles, std::nullopt, p); },
         kUk + "CAMP0"},
        {"delete", [&](const Progress& p) { return deleteSingleBattles(game.folders(), battles, p).report; },
         kPlayer + "S10.TXT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = game.snapshot();
        const Report r = c.run([](std::size_t done, std::size_t total) { return done < 2 && total == 3; });
        EXPECT_EQ(r.done, 2u);
        EXPECT_TRUE(r.failures.empty());
        ASSERT_EQ(r.skipped.size(), 1u);
        EXPECT_EQ(r.skipped[0].reason, kCancelled);
        EXPECT_NE(r.text("ok", "copied").find("2 of 3 files were copied"), std::string::npos);
        const auto after = game.snapshot();
        const std::string rel = game.nativePath(c.untouched).substr(game.nativeFolder().size());
        ASSERT_EQ(after.count(rel), before.count(rel));
        if (before.count(rel)) {
            EXPECT_EQ(after.at(rel), before.at(rel));
        }
    }
}

}  // namespace
}  // namespace hartool::test
