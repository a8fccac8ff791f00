#include "demo/demogame.h"
#include "demo/pictures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/game/gamepaths.h"
#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"
#include "support/failingfilesystem.h"
#include "support/gamefolder.h"
#include "support/tempdir.h"

namespace hartool::demo {
namespace {

using platform::upper1252;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
        end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(start, end - start));
    }
    return out;
}

struct Mission {
    std::string file;
    std::string title;
    std::string text;
};

std::vector<Mission> allMissions() {
    std::vector<Mission> missions;
    for (int c = 0; c < static_cast<int>(kCampaigns.size()); ++c)
        for (int m = 0; m <= kCampaigns[c].lastMission; ++m)
            missions.push_back({campaignMissionFile(c, m), campaignTitle(c, m), campaignMissionText(c, m)});
    for (const PlayerFile& f : playerFiles())
        if (f.name.ends_with(".TXT")) missions.push_back({f.name, f.title, f.content});
    return missions;
}

TEST(DemoGame, WritesEveryFileAndNothingElse) {
    test::GameFolder game;
    for (const DemoFile& f : demoFiles()) EXPECT_EQ(game.read(f.path), f.content) << f.path;

    for (const Campaign& c : kCampaigns) {
        std::set<std::string> expected;
        for (int m = 0; m <= c.lastMission; ++m) expected.insert("CAMP" + std::to_string(m));
        const auto files = game.files(std::string("Data\\Battles\\") + c.folder);
        EXPECT_EQ(std::set<std::string>(files.begin(), files.end()), expected) << c.folder;
    }
    EXPECT_EQ(game.files(kPlayerFolder), (std::vector<std::string>{"BATTLE0001.TXT", "S01.TXT", "S02.TXT",
                                                                   "S1.DAT", "S10.TXT", "T1.TXT"}));
    // Spelled on disk as the game spells it; the tool finds it whatever case it uses.
    EXPECT_TRUE(std::filesystem::is_directory(game.nativeFolder() + "Data/Battles/Player"));
    EXPECT_TRUE(game.exists("HARVANE.EXE"));
    EXPECT_FALSE(game.exists("Data\\Backup"));  // saving the originals is the player's first step
}

TEST(DemoGame, CampaignTitlesCarryTheirCodeAndNumber) {
    std::set<std::string> titles;
    for (int c = 0; c < static_cast<int>(kCampaigns.size()); ++c) {
        for (int m = 0; m <= kCampaigns[c].lastMission; ++m) {
            const std::string title = campaignTitle(c, m);
            const std::string text = campaignMissionText(c, m);
            SCOPED_TRACE(title);
            EXPECT_TRUE(text.starts_with("TITLE: " + title + "\r\n"));
            EXPECT_TRUE(title.ends_with(" " + std::to_string(m)));
            // The transfer list filters by code anywhere in the title: no title may match another campaign.
            for (const Campaign& other : kCampaigns)
                EXPECT_EQ(upper1252(title).find(other.code) != std::string::npos, &other == &kCampaigns[c])
                    << other.code;
            EXPECT_NE(text.find("\r\nSIDE: " + std::to_string(campaignSide(c)) + "\r\n"), std::string::npos);
            EXPECT_TRUE(titles.insert(title).second);
        }
    }
    EXPECT_EQ(campaignSide(3), kRed);  // the RUS campaign plays red
    EXPECT_EQ(campaignTitle(0, 1), "UK Strike 1");
}

TEST(DemoGame, PlayerFilesMatchTheirMasksAndCarryNoCampaignCode) {
    for (const PlayerFile& f : playerFiles()) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(platform::matchesMask(f.name, "S*.TXT"), f.singleMission);
        EXPECT_EQ(platform::matchesMask(f.name, "BATTLE*.TXT"), f.singleBattle);
        EXPECT_TRUE(f.content.starts_with("TITLE: " + f.title + "\r\n"));
        for (const Campaign& c : kCampaigns) EXPECT_EQ(upper1252(f.title).find(c.code), std::string::npos);
    }
}

// The readers find keys as substrings anywhere in a line or file, so a key must never turn up where it
// does not belong: not in a title, not in a briefing text, not inside another line.
TEST(DemoGame, MissionTextsKeepToTheGrammar) {
    const std::vector<std::string> lineKeys{"PLATOON", "SUPPORT", "ADDWAYPT", "ORDER_ASMBLY_", "OBJECTIVE"};
    const std::vector<std::string> headerKeys{"TITLE", "SIDE", "BATTLESIZE", "BATTLEFIELD"};
    for (const Mission& m : allMissions()) {
        SCOPED_TRACE(m.file);
        const std::string upper = upper1252(m.text);
        ASSERT_TRUE(m.text.ends_with("\r\n"));
        for (std::size_t i = 0; i < m.text.size(); ++i) {
            if (m.text[i] == '\n') {
                ASSERT_TRUE(i > 0 && m.text[i - 1] == '\r') << "bare LF at " << i;
            }
            if (m.text[i] == '\r') {
                ASSERT_TRUE(i + 1 < m.text.size() && m.text[i + 1] == '\n') << "bare CR at " << i;
            }
        }
        for (const std::string& key : headerKeys) {
            const std::size_t at = upper.find(key);
            ASSERT_NE(at, std::string::npos) << key;
            EXPECT_TRUE(at == 0 || upper.compare(at - 2, 2, "\r\n") == 0) << key;
            EXPECT_EQ(upper.compare(at, key.size() + 2, key + ": "), 0) << key;
        }
        const std::size_t briefing = m.text.find('[');
        bool platoonSeen = false, flightOpen = false;
        for (const std::string& line : lines(upper.substr(0, briefing))) {
            for (const std::string& key : lineKeys)
                EXPECT_TRUE(line.find(key) == std::string::npos || line.starts_with(key)) << line;
            if (line.starts_with("OBJECTIVE")) {
                EXPECT_FALSE(platoonSeen) << "objectives are read before units";
            }
            if (line.starts_with("PLATOON")) {
                EXPECT_FALSE(flightOpen) << "a flight's orders end with SUPPORT";
                platoonSeen = true;
                const int type = std::stoi(line.substr(9));
                flightOpen = std::set<int>{18, 21, 130, 129, 127, 112, 128, 62}.contains(type);
            }
            if (line.starts_with("SUPPORT")) flightOpen = false;
        }
        EXPECT_TRUE(platoonSeen);
        EXPECT_FALSE(flightOpen);
        if (briefing == std::string::npos) continue;
        for (const std::string& key : lineKeys)
            EXPECT_EQ(upper.find(key, briefing), std::string::npos) << key << " in the briefing part";
    }
}

TEST(DemoGame, UpperCaseGamePathReachesTheFiles) {
    test::GameFolder game;
    const std::string& path = game.gamePath();
    ASSERT_EQ(path, upper1252(path));
    ASSERT_TRUE(path.ends_with("\\"));
    EXPECT_TRUE(platform::fileExists(path + "HARVANE.EXE"));
    EXPECT_TRUE(platform::fileExists(path + "DATA\\CAMPAIGN.DAT"));
    EXPECT_EQ(platform::readFile(path + "DATA\\campaign.dat"), crewData());
    EXPECT_EQ(platform::readFile(game.folders().battles + "1STUKARMDIV\\camp1."), campaignMissionText(0, 1));
    std::vector<std::string> singles;
    for (const platform::FileEntry& e : platform::listFiles(game.folders().battles + "PLAYER\\S*.TXT"))
        singles.push_back(e.name);
    EXPECT_EQ(singles, (std::vector<std::string>{"S01.TXT", "S02.TXT", "S10.TXT"}));
}

TEST(DemoGame, CrewDataIsOpaqueBytes) {
    const std::string data = crewData();
    EXPECT_GE(data.size(), 200u);
    EXPECT_LE(data.size(), 1000u);
    EXPECT_NE(data.find('\0'), std::string::npos);
    EXPECT_NE(data.find('\xff'), std::string::npos);
}

TEST(DemoGame, ReportsTheFirstFailureWithItsFile) {
    using Op = test::FailingFileSystem::Op;
    const struct {
        Op op;
        std::string fragment;
    } cases[] = {{Op::Write, "CAMP3"}, {Op::MakeFolder, "Player"}, {Op::Write, "campaign.dat"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fragment);
        test::TempDir temp;
        test::FailingFileSystem failing;
        failing.failOn(c.op, c.fragment, "disk full");
        const platform::Status st = writeDemoGame((temp.path() / "game").string());
        ASSERT_FALSE(st.ok);
        EXPECT_NE(st.error.find(c.fragment), std::string::npos) << st.error;
        EXPECT_NE(st.error.find("disk full"), std::string::npos) << st.error;
        EXPECT_EQ(failing.failures(), 1);  // it stops there
    }
}

TEST(DemoGame, CreatesMissingFoldersAboveTheGameFolder) {
    test::TempDir temp;
    ASSERT_TRUE(writeDemoGame((temp.path() / "a" / "b" / "Game").string()));
    EXPECT_TRUE(temp.exists("a/b/Game/Data/campaign.dat"));
    EXPECT_EQ(demoFiles().size(), 1 + 12 + 12 + 12 + 13 + 13 + 6 + 1 + demoPictures().size());
}

}  // namespace
}  // namespace hartool::demo
