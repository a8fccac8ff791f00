// hartool-cli run as a program on a generated game folder: every command once, its text and JSON, the exit
// statuses, the refusals without --force, and analyze --all keeping what it must keep.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "support/failingfilesystem.h"
#include "support/gamefolder.h"

namespace hartool::test {
namespace {

using Json = nlohmann::ordered_json;

const std::string kPlayer = "Data\\Battles\\Player\\";
const std::string kBriefings = "Data\\Backup\\Briefings\\";

// What a run of the program printed, and its exit status.
struct Ran {
    int status = -1;
    std::string out, err;
    Json json() const { return Json::parse(out); }
};

std::string quoted(const std::string& word) {
    std::string q = "'";
    for (char ch : word) q += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return q + "'";
}

class CliTest : public ::testing::Test {
  protected:
    // The game below the folders of below (see GameFolder).
    explicit CliTest(const std::string& below = "") : game(below) {}

    // The program in the scratch folder beside the game, with settings of its own there; --game unless
    // withGame is false.
    Ran cli(const std::vector<std::string>& args, bool withGame = true) const {
        const std::string root = game.root().string() + "/";
        std::string command = "cd " + quoted(root) + " && HOME=" + quoted(root + "home") +
                              " XDG_CONFIG_HOME=" + quoted(root + "config") +
                              " WINEPREFIX= " + quoted(HARTOOL_CLI_PROGRAM);
        if (withGame) command += " --game " + quoted(game.nativeFolder());
        for (const std::string& a : args) command += " " + quoted(a);
        command += " >" + quoted(root + "out") + " 2>" + quoted(root + "err");
        Ran run;
        const int raw = std::system(command.c_str());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = read("out");
        run.err = read("err");
        return run;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(game.root() / name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    void runSteps(const std::vector<struct Step>& steps) const;

    GameFolder game;
};

// Status, and a piece of standard output (or of standard error where the output is empty) for each step;
// the steps run in order on one game folder, each on what the ones before left.
struct Step {
    std::vector<std::string> args;
    int status;
    std::string shows;
};

void CliTest::runSteps(const std::vector<Step>& steps) const {
    for (const Step& s : steps) {
        const Ran r = cli(s.args);
        std::string line;
        for (const std::string& a : s.args) line += a + " ";
        EXPECT_EQ(r.status, s.status) << line << "\n" << r.out << r.err;
        EXPECT_NE((r.out + r.err).find(s.shows), std::string::npos) << line << "\n" << r.out << r.err;
    }
}

TEST_F(CliTest, EveryCommandOnceWithItsStatusAndText) {
    const std::string changed = "the single battle has changed since it was copied: --force replaces it";
    std::vector<Step> steps = {
        {{"--version"}, 0, "hartool-cli "},
        {{"--help"}, 0, "restore-originals [--campaign NAME]"},
        {{"extract", "--help"}, 0, "usage: hartool-cli [OPTIONS] extract MISSION [--as NAME]"},
        {{"frobnicate"}, 2, "no command frobnicate"},
        {{"extract"}, 2, "usage: hartool-cli [OPTIONS] extract MISSION"},
        {{"missions", "--as", "x"}, 2, "missions has no option --as"},
        {{"properties", "S01", "--side", "green"}, 2, "--side is blue or red"},
        {{"missions"}, 0, "S01.TXT\tNight Raid\tblue\tyes\n"},
        {{"missions"}, 0, "T1.TXT\tTraining Flight\tblue\tno\n"},
        {{"extract", "s01"}, 0, "briefing Night Raid extracted"},
        {{"extract", "S01.txt"}, 1, "Night Raid: a briefing of this name exists: --force replaces it"},
        {{"extract", "S01", "--force"}, 0, "briefing Night Raid extracted"},
        {{"extract", "S01", "--as", "a/b"}, 1, "a/b: not a file name"},
        {{"extract", "T1"}, 1, "T1.TXT: no briefingtext found"},
        {{"extract", "S99"}, 1, "S99: no such mission in the player folder"},
        {{"briefings"}, 0, "Night Raid\t3\t1\n"},
        {{"attach", "S02", "Night Raid"}, 1, "S02.TXT: the mission holds a briefing: --force replaces it"},
        {{"attach", "S02", "night raid", "--force"}, 0, "briefing night raid connected"},
        {{"analyze", "S10", "Night Raid"}, 0, "graphics data added to briefing Night Raid"},
        {{"analyze", "S10"}, 0, "graphics redrawn in the briefing of mission S10"},
        {{"analyze"}, 2, "analyze --all"},
        {{"copy", "S01", "S05", "--title", "Dawn Patrol"},
         0,
         "mission S01.TXT - Night Raid has been copied to S05.TXT - Dawn Patrol"},
        {{"copy", "S10", "s05.txt"},
         1,
         "Data/Battles/Player/S05.TXT: a mission of this name exists: --force replaces it"},
        {{"copy", "S10", "s05.txt", "--force"}, 0, "has been copied to"},
        {{"copy", "S10", "..\\S06"}, 1, "the file name must not hold"},
        {{"retitle", "s05", "Dusk Patrol"}, 0, "has been renamed to S05.TXT - Dusk Patrol"},
        {{"retitle", "s05", "Dusk\r\nSIDE: 1"}, 1, "the title must not hold line breaks"},
        {{"properties", "S05"}, 0, "side\tblue\nnation\tGER\n"},
        {{"properties", "S05", "--side", "red", "--nation", "uk"}, 0, "mission S05 saved"},
        {{"properties", "S05"}, 0, "side\tred\nnation\tUK\n"},
        {{"properties", "S05", "--nation", "Atlantis"}, 2, "--nation is one of USA, UK, GER"},
    };
    runSteps(steps);
    // A read-only mission is made writable first, as the mission tools' list does.
    std::filesystem::permissions(game.nativePath(kPlayer + "S05.TXT"), std::filesystem::perms::owner_read);
    steps = {
        {{"delete", "S05", "S07"}, 1, "S07: no such mission in the player folder"},
        {{"new-briefing", "Both", "--blue-and-red"}, 0, "briefing Both made"},
        {{"new-briefing", "both"}, 1, "both: a file of this name exists"},
        {{"new-briefing", "CON"}, 1, "CON: the file name must not be a device name"},
        {{"copy-briefing", "Both", "Copied"}, 0, "briefing Both has been copied to Copied"},
        {{"briefings"}, 0, "Copied\t1/1\t2\n"},
        {{"delete-briefing", "copied", "Both"}, 0, "2 briefings deleted"},
        {{"restore-originals"}, 1, "the original campaigns have not been saved (save-originals)"},
        {{"save-originals", "--quiet"}, 0, "The original campaigns have been saved"},
        {{"save-originals"}, 1, "the original campaigns are saved already"},
        {{"restore-originals"}, 1, "--force restores them"},
        {{"restore-originals", "--force"}, 0, "The original campaigns have been restored"},
        {{"restore-originals", "--campaign", "5THPANZER", "--force"},
         0,
         "the original campaign has been restored"},
        {{"restore-originals", "--campaign", "Atlantis"}, 2, "no campaign Atlantis"},
        {{"restore-crew"}, 1, "no saved crew data (save-crew)"},
        {{"save-crew"}, 0, "have been saved"},
        {{"restore-crew"}, 1, "restoring replaces the crew data being played: --force restores them"},
        {{"restore-crew", "--force"}, 0, "have been restored"},
        {{"to-battles", "1st Armoured Division (UK)", "0", "1"}, 0, "2 Files copied"},
        {{"to-battles", "1stUKArmDiv", "12"}, 2, "12: not a mission number of 1st Armoured Division (UK)"},
        {{"to-campaign", "1stukarmdiv", "battle3001"}, 0, "1 files transfered"},
        {{"to-campaign", "1stukarmdiv", "battle3001", "battle3000", "--paired", "3"},
         2,
         "--paired takes exactly one battle"},
        {{"to-campaign", "1stukarmdiv", "battle3001", "--paired", "3"}, 0, "1 files transfered"},
    };
    runSteps(steps);

    EXPECT_EQ(game.trash().files(), (std::vector<std::string>{"Both", "Copied", "S05.TXT"}));
    // A single battle changed by the battle builder is kept unless forced.
    game.write(kPlayer + "BATTLE3000.TXT", game.read(kPlayer + "BATTLE3000.TXT") + "; edited\r\n");
    const std::vector<Step> battles = {
        {{"to-battles", "1stUKArmDiv", "0", "1"}, 1, "BATTLE3000.TXT: " + changed},
        {{"to-battles", "1stUKArmDiv", "0", "1", "--force"}, 0, "2 Files copied"},
    };
    runSteps(battles);
    EXPECT_EQ(game.read(kPlayer + "BATTLE3000.TXT").find("; edited"), std::string::npos);
}

TEST_F(CliTest, JsonDocuments) {
    const Json missions = cli({"missions", "--json"}).json();
    ASSERT_EQ(missions.size(), 5u);
    EXPECT_EQ(missions[0],
              Json({{"file", "S02.TXT"}, {"title", "Border Watch"}, {"side", "red"}, {"briefing", true}}));

    EXPECT_EQ(cli({"new-briefing", "Both", "--blue-and-red", "--json"}).status, 0);
    EXPECT_EQ(cli({"--json", "briefings"}).json(),
              Json::parse(R"([{"name": "Both", "pages": [1, 1], "sides": 2}])"));
    EXPECT_EQ(cli({"properties", "S02", "--json"}).json(), Json::parse(R"({"side": "red", "nation": "-"})"));

    const Ran refused = cli({"extract", "S01", "--as", "Both", "--json"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.json(), Json::parse(R"({"selected": 1, "done": 0, "failures": [], "skipped": [
        {"file": "Data\\Backup\\Briefings\\Both", "reason": "a briefing of this name exists: --force replaces it"}],
        "kept": [], "warnings": []})"));
    const Json done = cli({"extract", "S01", "--as", "Both", "--json", "--force"}).json();
    EXPECT_EQ(done["done"], 1);
    EXPECT_TRUE(done["skipped"].empty());
}

TEST_F(CliTest, CheckPrintsFindingsAndFailsOnAnError) {
    const Ran clean = cli({"check"});
    EXPECT_EQ(clean.status, 0) << clean.out << clean.err;
    EXPECT_NE(clean.out.find("Data\\Battles\\Player\\T1.TXT: note: briefing-missing: "), std::string::npos)
        << clean.out;
    EXPECT_EQ(clean.out.find(": warning: "), std::string::npos) << clean.out;

    std::string faulty = game.read(kPlayer + "S02.TXT");
    faulty.replace(faulty.find("SIDE: 1"), 7, "SIDE: 7");
    game.write(kPlayer + "S20.TXT", faulty);
    const Ran text = cli({"check", "s20"});
    EXPECT_EQ(text.status, 1);
    EXPECT_NE(text.out.find("Data\\Battles\\Player\\S20.TXT:2: error: side-unknown: SIDE is \"7\""),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("S20.TXT:1: warning: title-duplicate: "), std::string::npos) << text.out;

    const Json json = cli({"check", "S20", "--json"}).json();
    ASSERT_EQ(json.size(), 2u) << json.dump();
    EXPECT_EQ(json[0]["file"], "Data\\Battles\\Player\\S20.TXT");
    EXPECT_EQ(json[0]["line"], 1);
    EXPECT_EQ(json[0]["severity"], "warning");
    EXPECT_EQ(json[1]["rule"], "side-unknown");
    EXPECT_EQ(json[1]["severity"], "error");
    EXPECT_EQ(cli({"check", "S99", "--json"}).json()[0]["rule"], "file-unreadable");
}

TEST_F(CliTest, GameFolderFromTheSettingsElseNone) {
    const Ran none = cli({"missions"}, false);
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("no game folder found"), std::string::npos) << none.err;
    EXPECT_EQ(cli({"--game", game.root().string() + "/nowhere", "missions"}, false).status, 2);

    // The settings file in the working folder wins, as for the dialogs.
    std::ofstream(game.root() / "HARTOOL.INI") << "[TOOL]\r\nPATH=" << game.nativeFolder() << "\r\n";
    const Ran found = cli({"missions"}, false);
    EXPECT_EQ(found.status, 0);
    EXPECT_NE(found.out.find("S01.TXT\tNight Raid"), std::string::npos);
}

class CliBelowCyrillicTest : public CliTest {
  protected:
    CliBelowCyrillicTest() : CliTest("\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B") {}  // ".../Игры/Harvane"
};

// --game and the settings' PATH are the file system's bytes; names typed stay game names.
TEST_F(CliBelowCyrillicTest, AGameBelowAFolderTheCodePageCannotSpell) {
    const Ran missions = cli({"missions", "--json"});
    ASSERT_EQ(missions.status, 0) << missions.err;
    ASSERT_EQ(missions.json().size(), 5u);
    EXPECT_EQ(missions.json()[0]["file"], "S02.TXT");

    const Ran extracted = cli({"extract", "S01", "--as",
                               "\xC3\x9C"
                               "berfall"});  // typed in UTF-8
    EXPECT_EQ(extracted.status, 0) << extracted.err;
    EXPECT_EQ(extracted.out,
              "briefing \xC3\x9C"
              "berfall extracted\n");
    EXPECT_TRUE(game.exists(kBriefings + "\xC3\x9C"
                                         "berfall"));
    EXPECT_EQ(cli({"briefings"}).out,
              "\xC3\x9C"
              "berfall\t3\t1\n");

    const std::string nowhere = game.root().string() + "/\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B/nowhere";
    const Ran none = cli({"--game", nowhere, "missions"}, false);
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("--game " + nowhere + ": no such folder"), std::string::npos) << none.err;

    std::ofstream(game.root() / "HARTOOL.INI") << "[TOOL]\r\nPATH=" << game.nativeFolder() << "\r\n";
    const Ran found = cli({"missions"}, false);
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_NE(found.out.find("S01.TXT\tNight Raid"), std::string::npos);
}

// A word the code page cannot spell is refused, and the refusal shows it as it was typed.
TEST_F(CliTest, AnArgumentRefusedIsShownAsTyped) {
    const std::string cyrillic = "\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B";  // "Игры"
    const struct {
        std::vector<std::string> args;
        std::string shown;
    } cases[] = {
        {{"copy", "S01", cyrillic + ".txt"},
         cyrillic + ".txt: a character the game's code page does not have"},
        {{"copy", "S01", "NEW", "--title", cyrillic},
         cyrillic + ": a character the game's code page does not have"},
        {{cyrillic}, "no command " + cyrillic},
        {{"missions", "--" + cyrillic}, "missions has no option --" + cyrillic},
    };
    for (const auto& c : cases) {
        const Ran ran = cli(c.args);
        EXPECT_EQ(ran.status, 2);
        EXPECT_NE(ran.err.find("hartool-cli: " + c.shown + "\n"), std::string::npos) << ran.err;
    }
}

// The mission data before the first "[", and the heading and text lines of the briefing part.
std::vector<std::string> keptParts(const std::string& mission) {
    const std::size_t start = mission.find('[');
    std::vector<std::string> parts{mission.substr(0, start)};
    std::istringstream lines(start == std::string::npos ? "" : mission.substr(start));
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with("Heading") || line.starts_with("Text") || line.starts_with("["))
            parts.push_back(line);
    return parts;
}

TEST_F(CliTest, AnalyzeAllRedrawsEveryBriefingAndKeepsDataHeadingsAndTexts) {
    std::map<std::string, std::vector<std::string>> before;
    std::size_t withBriefing = 0;
    for (const std::string& name : game.files(kPlayer)) {
        before[name] = keptParts(game.read(kPlayer + name));
        if (before[name].size() > 1) ++withBriefing;
    }
    const Ran run = cli({"analyze", "--all", "--json"});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(run.json()["done"], withBriefing);
    EXPECT_TRUE(run.err.empty()) << "no progress where no one watches: " << run.err;
    for (const auto& [name, parts] : before) {
        const std::string after = game.read(kPlayer + name);
        EXPECT_EQ(keptParts(after), parts) << name;
        if (parts.size() > 1) {
            EXPECT_NE(after.find("Sprite 0 = "), std::string::npos) << name;
        }
    }
}

// A read that fails needs the file system double, so the commands run in this process.
TEST_F(CliTest, UnreadableMissionOrBriefingWritesNothing) {
    ASSERT_EQ(cli({"extract", "S02"}).status, 0);
    const auto snapshot = game.snapshot();
    struct Case {
        std::string unreadable;
        std::vector<std::string> args;
    };
    const Case cases[] = {
        {"S01.TXT", {"analyze", "S01"}},
        {"S01.TXT", {"analyze", "S01", "Border Watch"}},
        {"S01.TXT", {"extract", "S01", "--as", "New"}},
        {"Border Watch", {"analyze", "S01", "Border Watch"}},
        {"Border Watch", {"attach", "S01", "Border Watch", "--force"}},
    };
    const auto runFailing = [&](const std::string& unreadable, std::vector<std::string> args) {
        FailingFileSystem failing;
        failing.failOn(FailingFileSystem::Op::Read, unreadable, "unreadable");
        args.insert(args.begin(), {"--game", game.nativeFolder()});
        std::ostringstream out, err;
        const int status = cli::run(args, "", out, err, false);
        return Ran{status, out.str(), err.str()};
    };
    for (const Case& c : cases) {
        const Ran r = runFailing(c.unreadable, c.args);
        EXPECT_EQ(r.status, 1) << c.args[0] << " " << c.unreadable;
        EXPECT_NE(r.out.find(c.unreadable + ": unreadable"), std::string::npos) << r.out;
        EXPECT_EQ(game.snapshot(), snapshot) << c.args[0] << " " << c.unreadable;
    }
    // --all does the others, and says which it could not read.
    const Ran all = runFailing("S01.TXT", {"analyze", "--all"});
    EXPECT_EQ(all.status, 1);
    EXPECT_NE(all.out.find("S01.TXT: unreadable"), std::string::npos) << all.out;
    EXPECT_EQ(game.snapshot().at("Data/Battles/Player/S01.TXT"), snapshot.at("Data/Battles/Player/S01.TXT"));
}

}  // namespace
}  // namespace hartool::test
