// The file work of the briefing buttons, on a generated game folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/missions/briefingfiles.h"
#include "core/platform/codepage.h"
#include "demo/demogame.h"
#include "support/failingfilesystem.h"
#include "support/gamefolder.h"
#include "support/generatedmission.h"

namespace hartool::test {
namespace {

using Op = FailingFileSystem::Op;

const std::string kMission = "Data\\Battles\\Player\\S01.TXT";
const std::string kBriefings = "Data\\Backup\\Briefings\\";

// Names of what differs between two snapshots: a short message where the whole game folder would be long.
std::vector<std::string> changes(const std::map<std::string, std::string>& before,
                                 const std::map<std::string, std::string>& after) {
    std::vector<std::string> names;
    for (const auto& [name, content] : after) {
        const auto old = before.find(name);
        if (old == before.end() || old->second != content) names.push_back(name);
    }
    for (const auto& [name, content] : before)
        if (!after.contains(name)) names.push_back(name);
    return names;
}

class BriefingFilesTest : public ::testing::Test {
  protected:
    std::string path(const std::string& relative) const { return game.path(relative); }
    std::string briefing(const std::string& name) const { return game.path(kBriefings + name); }

    GameFolder game;
};

TEST(BriefingName, MakesEveryTitleAFileNameInsideTheFolder) {
    struct Case {
        std::string title, name;
    };
    const Case cases[] = {
        {"Night Raid", "Night Raid"},
        // Windows drops a trailing dot: the name says so.
        {"Night Raid.", "Night Raid"},
        {"", "_"},
        {".", "_"},
        {"..", "_"},
        {" . ", "_"},
        {"..\\..\\x", ".._.._x"},
        {"../x", ".._x"},
        {"a\\b/c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"},
        {"tab\there\x01", "tab_here_"},
        {"C:", "C_"},
        {"con", "con_"},
        {"Lpt1.txt", "Lpt1_.txt"},
        {"Console", "Console"},
        {"Caf\xe9", "Caf\xe9"},
    };
    for (const Case& c : cases) {
        const BriefingName got = briefingName(c.title);
        EXPECT_EQ(got.name, c.name) << c.title;
        EXPECT_EQ(got.changed, c.name != c.title) << c.title;
    }
}

TEST_F(BriefingFilesTest, ExistBriefNeedsAFileWithABracket) {
    game.write("a.txt", "TITLE: A\r\n[Briefing 0]\r\n");
    game.write("b.txt", "TITLE: B\r\n");
    EXPECT_TRUE(EXISTBRIEF(path("a.txt")));
    EXPECT_FALSE(EXISTBRIEF(path("b.txt")));
    EXPECT_FALSE(EXISTBRIEF(path("c.txt")));
}

TEST_F(BriefingFilesTest, ExtractWritesTheBriefingPartAlone) {
    game.write("m.txt", "TITLE: A\r\n[Briefing 1]\r\nX");
    game.write(kBriefings + "A", "old");
    for (int run = 0; run < 2; ++run) {  // into an existing file, then into a new folder
        const Report report = extractBriefing(path("m.txt"), path(kBriefings), "A");
        EXPECT_TRUE(report.ok()) << report.text("");
        EXPECT_EQ(report.done, 1u);
        EXPECT_EQ(game.read(kBriefings + "A"), "[Briefing 1]\r\nX");
        EXPECT_EQ(game.read("m.txt"), "TITLE: A\r\n[Briefing 1]\r\nX");
        game.remove(kBriefings + "A");
        std::filesystem::remove(game.nativePath(kBriefings));
    }
}

TEST_F(BriefingFilesTest, ExtractNamesTheFileSafely) {
    game.write("m.txt", "TITLE: x\r\n[Briefing 0]\r\n");
    for (const std::string title : {"../../evil", "", "a:b"}) {
        ASSERT_TRUE(extractBriefing(path("m.txt"), path(kBriefings), title).ok()) << title;
        EXPECT_EQ(game.read(kBriefings + briefingName(title).name), "[Briefing 0]\r\n") << title;
    }
    EXPECT_EQ(game.files(kBriefings), (std::vector<std::string>{".._.._evil", "_", "a_b"}));
}

// A game below a folder the code page cannot spell: titles (game text) become UTF-8 file names and come back
// as the game's names; a file whose name the code page cannot spell is no briefing of the list.
TEST(BriefingFilesBelowCyrillic, TitlesBecomeUtf8FileNamesAndComeBackAsGameNames) {
#ifdef _WIN32
    GTEST_SKIP() << "the helpers spell native names the POSIX way; windowsfilesystem_test covers Windows";
#endif
    GameFolder game("home/ivan/\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B");  // ".../Игры/Harvane"
    game.write("m.txt",
               "TITLE: \xDC"
               "berfall\r\n[Briefing 1]\r\nX");
    game.write(kBriefings + "\xD0\x96\xD1\x83\xD0\xBA", "[Briefing 1]\r\n");  // "Жук"
    const Report report = extractBriefing(game.path("m.txt"), game.path(kBriefings),
                                          "\xDC"
                                          "berfall");
    ASSERT_TRUE(report.ok()) << report.text("");
    const std::vector<std::string> onDisk = game.files(kBriefings);
    EXPECT_NE(std::find(onDisk.begin(), onDisk.end(),
                        "\xC3\x9C"
                        "berfall"),
              onDisk.end());
    EXPECT_EQ(game.read(kBriefings + "\xC3\x9C"
                                     "berfall"),
              "[Briefing 1]\r\nX");
    const std::vector<std::string> listed = readBriefingNames(game.folders().briefings);
    EXPECT_EQ(listed, std::vector<std::string>{"\xDC"
                                               "berfall"});
    EXPECT_EQ(newBriefingNameProblem(game.folders().briefings,
                                     "\xFC"
                                     "berfall"),
              "a file of this name exists");
    const Report copied = copyBriefing(game.folders().briefings + platform::fileNameOf("\xDC"
                                                                                       "berfall"),
                                       game.folders().briefings + platform::fileNameOf("Copy \xE9"));
    EXPECT_TRUE(copied.ok()) << copied.text("");
    EXPECT_EQ(game.read(kBriefings + "Copy \xC3\xA9"), "[Briefing 1]\r\nX");
}

TEST_F(BriefingFilesTest, AttachReplacesTheBriefingPart) {
    struct Case {
        std::string name, briefing, mission, written;
    };
    const Case cases[] = {
        {"example", "  [Briefing 1]\r\nY  ", "TITLE: A\r\n\r\n\r\n[Briefing 1]\r\nX",
         "TITLE: A\r\n\r\n[Briefing 1]\r\nY"},
        {"mission without briefing", "[B]\r\n", "TITLE: A\r\nSIDE: 1\r\n",
         "TITLE: A\r\nSIDE: 1\r\n\r\n[B]\r\n"},
        {"empty mission", "[B]", "", "\r\n\r\n[B]"},
        {"one line break is kept", "[B]", "\r\n", "\r\n\r\n\r\n[B]"},
        {"CR line ends", "[B]", "TITLE: A\rSIDE: 1\r\r[Briefing 1]\rX", "TITLE: A\rSIDE: 1\r\n\r\n[B]"},
        // A mission is one encoding: marked briefings go in as Windows-1252, and a ^Z ends a briefing.
        {"UTF-16", std::string("\xFF\xFE[\0B\0]\0\r\0\n\0\xE9\0", 14), "T", "T\r\n\r\n[B]\r\n\xE9"},
        {"UTF-8 mark", "\xEF\xBB\xBF[B]\r\n\xC3\xA9", "T", "T\r\n\r\n[B]\r\n\xE9"},
        {"^Z", "[B]\r\nk=1\r\n\x1a\x1a", "T", "T\r\n\r\n[B]\r\nk=1\r\n"},
    };
    for (const Case& c : cases) {
        game.write("b.txt", c.briefing);
        game.write("m.txt", c.mission);
        const Report report = attachBriefing(path("b.txt"), path("m.txt"));
        EXPECT_TRUE(report.ok()) << c.name << report.text("");
        EXPECT_EQ(game.read("m.txt"), c.written) << c.name;
        EXPECT_EQ(game.read("b.txt"), c.briefing) << c.name;
    }
}

// Each refusal names the file and why, and leaves the disk as it was.
TEST_F(BriefingFilesTest, RefusalsWriteNothing) {
    game.write("m.txt", "TITLE: A\r\n[Briefing 0]\r\nHeading = 9, H\r\nSprite 0 = 1 1 s.bmp\r\n");
    game.write("plain.txt", "TITLE: P\r\n");
    game.write("wide.txt", std::string("\xFF\xFE[\0B\0]\0\x2D\x4E", 10));
    game.write("b.txt", "[Briefing 0]\r\nHeading = 9, H\r\nSprite 0 = 1 1 s.bmp\r\n");
    game.write("marked.txt", "\xEF\xBB\xBFTITLE: M\r\n[Briefing 0]\r\nHeading = 9, Caf\xC3\xA9\r\n");
    const std::string unicode =
        "the mission is saved as Unicode (it begins with a byte-order mark): save it as ANSI first";
    struct Case {
        std::string name;
        std::string failRead;  // "" for none
        std::function<Report()> run;
        std::string file, reason;
        int failNthRead = 0;  // 0 for none
    };
    const Case cases[] = {
        {"extract: mission unreadable", "m.txt",
         [&] { return extractBriefing(path("m.txt"), path(kBriefings), "A"); }, "m.txt", "injected failure"},
        {"extract: no briefing part", "",
         [&] { return extractBriefing(path("plain.txt"), path(kBriefings), "P"); }, "plain.txt",
         "no briefingtext found"},
        {"extract: mission missing", "",
         [&] { return extractBriefing(path("gone.txt"), path(kBriefings), "A"); }, "gone.txt",
         "file not found"},
        {"attach: briefing missing", "", [&] { return attachBriefing(path("gone.txt"), path("m.txt")); },
         "gone.txt", "file not found"},
        {"attach: briefing unreadable", "b.txt", [&] { return attachBriefing(path("b.txt"), path("m.txt")); },
         "b.txt", "injected failure"},
        {"attach: mission missing", "", [&] { return attachBriefing(path("b.txt"), path("gone.txt")); },
         "gone.txt", "file not found"},
        {"attach: mission unreadable", "m.txt", [&] { return attachBriefing(path("b.txt"), path("m.txt")); },
         "m.txt", "injected failure"},
        {"attach: briefing with what Windows-1252 cannot spell", "",
         [&] { return attachBriefing(path("wide.txt"), path("m.txt")); }, "wide.txt",
         "holds characters that Windows-1252 cannot spell (UTF-16 text); save it as ANSI first"},
        {"attach: briefing without a bracket", "",
         [&] { return attachBriefing(path("plain.txt"), path("m.txt")); }, "plain.txt",
         "no briefingtext found"},
        // A mission in another encoding would get a Windows-1252 briefing part.
        {"extract: mission saved as Unicode", "",
         [&] { return extractBriefing(path("marked.txt"), path(kBriefings), "M"); }, "marked.txt", unicode},
        {"attach: mission saved as Unicode", "",
         [&] { return attachBriefing(path("b.txt"), path("marked.txt")); }, "marked.txt", unicode},
        {"analyze in place: mission saved as Unicode", "", [&] { return analyzeMission(path("marked.txt")); },
         "marked.txt", unicode},
        {"analyze: mission missing", "", [&] { return analyzeBriefing(path("gone.txt"), path("b.txt")); },
         "gone.txt", "file not found"},
        {"analyze: mission unreadable", "m.txt",
         [&] { return analyzeBriefing(path("m.txt"), path("b.txt")); }, "m.txt", "injected failure"},
        {"analyze: briefing unreadable", "b.txt",
         [&] { return analyzeBriefing(path("m.txt"), path("b.txt")); }, "b.txt", "injected failure"},
        // Read whole when looked at, broken off when read for the analysis: its pages must not be replaced.
        {"analyze: briefing breaks off later", "",
         [&] { return analyzeBriefing(path("m.txt"), path("b.txt")); }, "b.txt", "file could not be read", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = game.snapshot();
        FailingFileSystem failing;
        if (!c.failRead.empty()) failing.failOn(Op::Read, c.failRead);
        if (c.failNthRead) failing.failNth(Op::Read, c.failNthRead);
        const Report report = c.run();
        EXPECT_FALSE(report.ok());
        EXPECT_EQ(report.done, 0u);
        const auto& list = report.failures.empty() ? report.skipped : report.failures;
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list[0], (Failure{path(c.file), c.reason}));
        EXPECT_EQ(changes(before, game.snapshot()), std::vector<std::string>{});
    }
}

TEST_F(BriefingFilesTest, FailedChangesAreReportedWithFileAndReason) {
    game.write("m.txt", "TITLE: A\r\n[Briefing 0]\r\nHeading = 9, H\r\n");
    game.write("b.txt", "[Briefing 0]\r\nHeading = 9, H\r\n");
    game.write(kBriefings + "other", "");
    struct Case {
        std::string name;
        Op op;
        std::function<Report()> run;
        std::string file;
    };
    const Case cases[] = {
        {"extract: folder", Op::MakeFolder,
         [&] { return extractBriefing(path("m.txt"), path("New\\Briefings\\"), "A"); }, "New"},
        {"extract: write", Op::Write, [&] { return extractBriefing(path("m.txt"), path(kBriefings), "A"); },
         kBriefings + "A"},
        {"attach: write", Op::Write, [&] { return attachBriefing(path("b.txt"), path("m.txt")); }, "m.txt"},
        {"analyze: write", Op::Write, [&] { return analyzeBriefing(path("m.txt"), path("b.txt")); }, "b.txt"},
        {"copy", Op::Copy, [&] { return copyBriefing(path("b.txt"), path("c.txt")); }, "c.txt"},
        {"delete", Op::Remove, [&] { return deleteBriefing(path("b.txt"), DeleteMode::FOR_GOOD).report; },
         "b.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = game.snapshot();
        FailingFileSystem failing;
        failing.failOn(c.op, "", "disk full");
        const Report report = c.run();
        EXPECT_EQ(report.failures, (std::vector<Failure>{{path(c.file), "disk full"}}));
        EXPECT_EQ(report.done, 0u);
        EXPECT_EQ(changes(before, game.snapshot()), std::vector<std::string>{});
    }
}

TEST_F(BriefingFilesTest, CopyAndDelete) {
    game.write("b.txt", "[Briefing 0]\r\n");
    ASSERT_TRUE(copyBriefing(path("b.txt"), path("c.txt")).ok());
    EXPECT_EQ(game.read("c.txt"), "[Briefing 0]\r\n");
    ASSERT_EQ(deleteBriefing(path("b.txt")).report.done, 1u);
    EXPECT_FALSE(game.exists("b.txt"));
    EXPECT_EQ(deleteBriefing(path("b.txt")).report.done, 1u) << "gone already is what the player asked for";
}

TEST_F(BriefingFilesTest, AnalyzedGraphicsTravelBackIntoTheMission) {
    const std::string mission = game.read(kMission);
    const std::string data = mission.substr(0, mission.find('['));
    ASSERT_TRUE(extractBriefing(path(kMission), path(kBriefings), "Night Raid").ok());
    const std::string extracted = game.read(kBriefings + "Night Raid");

    const Report analyzed = analyzeBriefing(path(kMission), briefing("Night Raid"));
    ASSERT_TRUE(analyzed.ok()) << analyzed.text("");
    const std::string drawn = game.read(kBriefings + "Night Raid");
    EXPECT_NE(drawn, extracted);
    EXPECT_NE(drawn.find("\r\nSprite 0 = "), std::string::npos) << drawn;
    EXPECT_EQ(game.read(kMission), mission);

    ASSERT_TRUE(attachBriefing(briefing("Night Raid"), path(kMission)).ok());
    const std::string attached = game.read(kMission);
    // The mission data keeps its lines; one empty line parts it from the briefing.
    ASSERT_TRUE(data.ends_with("0\r\n"));
    EXPECT_EQ(attached.substr(0, attached.find('[')), data + "\r\n");
    EXPECT_NE(attached.find("\r\nSprite 0 = "), std::string::npos);
    EXPECT_TRUE(EXISTBRIEF(path(kMission)));
}

TEST_F(BriefingFilesTest, AnalyzeMissionDrawsInPlaceWhatExtractAnalyzeAttachWouldDraw) {
    for (const char* name : {"S01.TXT", "S02.TXT"}) {  // one side, and blue and red
        const std::string file = "Data\\Battles\\Player\\" + std::string(name);
        const std::string mission = game.read(file);
        ASSERT_TRUE(extractBriefing(path(file), path(kBriefings), "b").ok());
        ASSERT_TRUE(analyzeBriefing(path(file), briefing("b")).ok());

        const Report report = analyzeMission(path(file));
        ASSERT_TRUE(report.ok()) << report.text("");
        EXPECT_EQ(report.done, 1u);
        // The mission data byte for byte, then the briefing part exactly as the analysed briefing file holds
        // it.
        EXPECT_EQ(game.read(file), mission.substr(0, mission.find('[')) + game.read(kBriefings + "b"))
            << name;
    }
    const std::string plain = game.read("Data\\Battles\\Player\\T1.TXT");
    const Report none = analyzeMission(path("Data\\Battles\\Player\\T1.TXT"));
    EXPECT_EQ(none.skipped.size(), 1u);
    EXPECT_EQ(game.read("Data\\Battles\\Player\\T1.TXT"), plain);
}

TEST_F(BriefingFilesTest, AnalyzeOfAnEmptyMissionIsNoFailure) {
    game.write("m.txt", "");
    const Report report = analyzeBriefing(path("m.txt"), path("new.txt"));
    EXPECT_TRUE(report.ok()) << report.text("");
    EXPECT_TRUE(game.exists("new.txt"));
}

constexpr std::uint64_t kFnvBasis = 0xcbf29ce484222325;

std::uint64_t fnv1a(std::string_view bytes, std::uint64_t hash = kFnvBasis) {
    for (char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3;
    return hash;
}

// The bytes an analysis writes, pinned by their hash: making the analysis quicker must not change one.
TEST_F(BriefingFilesTest, AnalysesWriteTheBytesTheyAlwaysWrote) {
    const std::string mission = generatedMission(1);
    game.write("g.txt", mission);
    game.write("b.txt", pagesOnly());
    game.write("own.txt", mission + "\r\n" + pagesOnly());
    // Each twice: into pages without graphics, then into those the first analysis drew.
    for (const char* round : {"fresh", "into graphics"}) {
        ASSERT_TRUE(analyzeBriefing(path("g.txt"), path("b.txt")).ok()) << round;
        EXPECT_EQ(fnv1a(game.read("b.txt")), 0x028c63c4abe24880u) << round;
        ASSERT_TRUE(analyzeMission(path("own.txt")).ok()) << round;
        EXPECT_EQ(fnv1a(game.read("own.txt")), 0xc2fa244a05107829u) << round;
    }
    // Every mission of the demo game, the player's ones twice over, as analyze --all leaves them.
    std::vector<std::string> missions;
    for (const demo::DemoFile& f : demo::demoFiles())
        if (f.content.find("TITLE") != std::string::npos) missions.push_back(f.content);
    for (const demo::PlayerFile& f : demo::playerFiles()) missions.push_back(f.content);
    std::uint64_t hash = kFnvBasis;
    for (const std::string& text : missions) {
        game.write("d.txt", text);
        analyzeMission(path("d.txt"));
        hash = fnv1a(game.read("d.txt") + '\0', hash);
    }
    EXPECT_EQ(missions.size(), 74u);
    EXPECT_EQ(hash, 0xcee3b1377bbe180du);
}

}  // namespace
}  // namespace hartool::test
