// The check of missions and briefings: each rule on a demo game holding exactly that fault, the demo game
// itself, and the text and JSON the findings are written as.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "core/backup/backup.h"
#include "core/check/check.h"
#include "core/game/gamepaths.h"
#include "core/transfer/transfer.h"
#include "demo/missionbuilder.h"
#include "support/gamefolder.h"

namespace hartool::test {
namespace {

const std::string kPlayer = "Data/Battles/Player/";

struct Parts {
    std::string title = "Fault Test";
    std::string side = "0";
    demo::Platoon unit{2, 3000, 5000};
    std::string heading = "Orders";
    std::string text = "Fly north, then east";
    std::string sprite = "images\\uahb.pcx, 100, 120";
    bool briefing = true;
};

// A mission that draws no finding, with one of its parts made faulty by the caller.
std::string mission(const Parts& p) {
    demo::MissionBuilder b(p.title);
    b.entry("SIDE", p.side).battleSize(16000, 16000).battlefield("Farrow_Downs", 4000, 4000);
    demo::Flight f;
    f.platoon = {21, 4000, 4000, 0, 2, 4500, 3500};
    f.waypoints = {{4500, 3500}, {6000, 2000, demo::WaypointKind::Patrol}};
    b.flight(f).platoon(p.unit);
    if (p.briefing) {
        demo::BriefingPage page;
        page.heading = p.heading;
        page.text = p.text;
        page.map = "maps\\Farrow_Downs.pcx";
        page.sprites = {p.sprite};
        page.lines = {"255, 0, 0, 10, 10, 200, 200"};
        b.page("Briefing", page);
    }
    return b.text();
}

std::string replaced(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

std::vector<Finding> above(const std::vector<Finding>& all, Severity worst) {
    std::vector<Finding> out;
    for (const Finding& f : all)
        if (f.severity < worst) out.push_back(f);
    return out;
}

std::string listed(const std::vector<Finding>& findings) {
    return findingsText(findings);
}

TEST(Check, TheDemoGameShowsNotesAtMost) {
    GameFolder game;
    for (bool campaigns : {false, true}) {
        const auto findings = checkMissions(game.folders(), {{}, campaigns});
        EXPECT_EQ(above(findings, Severity::Note), std::vector<Finding>{}) << listed(findings);
    }
    // Saving the originals leaves the demo game without a finding at all.
    ASSERT_TRUE(saveOriginals(game.folders()).ok());
    const auto findings = checkMissions(game.folders());
    for (const Finding& f : findings) EXPECT_EQ(f.rule, "briefing-missing") << listed(findings);
}

struct Case {
    std::string rule;
    std::string file;      // written below the player folder, or "" when the fault lies elsewhere
    std::size_t line = 0;  // of the first finding of the rule
    std::function<std::string()> content;
    std::function<void(GameFolder&)> more = {};
};

TEST(Check, EachRuleFindsExactlyItsFault) {
    const auto with = [](auto change) {
        return [change] {
            Parts p;
            change(p);
            return mission(p);
        };
    };
    const std::vector<Case> cases = {
        {"title-missing", "F.TXT", 0, [] { return replaced(mission({}), "TITLE: Fault Test\r\n", ""); }},
        {"side-unknown", "F.TXT", 2, with([](Parts& p) { p.side = "2"; })},
        {"value-too-long", "F.TXT", 0, with([](Parts& p) { p.text = std::string(1100, 'a'); })},
        {"title-long", "F.TXT", 1, with([](Parts& p) { p.title = std::string(31, 'T'); })},
        {"title-long", "BATTLE0100.TXT", 1, with([](Parts& p) { p.title = "Sixteen letters!"; })},
        {"title-duplicate", "F.TXT", 1, with([](Parts& p) { p.title = "night raid"; })},
        {"line-ends", "F.TXT", 3,
         [] { return replaced(mission({}), "BATTLESIZE: 16000 16000\r\n", "BATTLESIZE: 16000 16000\n"); }},
        {"unit-type-unknown", "F.TXT", 0, with([](Parts& p) { p.unit.type = 9999; })},
        {"outside-battle-area", "F.TXT", 0, with([](Parts& p) { p.unit.x = 12001; })},
        {"bracket-in-text", "F.TXT", 0, with([](Parts& p) { p.heading = "Orders [read twice]"; })},
        {"graphics-off-map", "F.TXT", 0, with([](Parts& p) { p.sprite = "images\\uahb.pcx, 330, 10"; })},
        {"graphics-unreadable", "F.TXT", 0, with([](Parts& p) { p.sprite = "images\\uahb.pcx, west, 10"; })},
        {"picture-missing", "F.TXT", 0, with([](Parts& p) { p.sprite = "images\\unone.pcx, 10, 10"; })},
        {"picture-unreadable", "F.TXT", 0, with([](Parts& p) { p.sprite = "images\\ubad.pcx, 10, 10"; }),
         [](GameFolder& g) { g.write("Images/ubad.pcx", "not a picture"); }},
        {"briefing-missing", "F.TXT", 0, with([](Parts& p) { p.briefing = false; })},
        // A briefing file in UTF-16 is read as the game reads it, converted.
        {"picture-missing",
         "",
         0,
         {},
         [](GameFolder& g) {
             std::string wide = "\xFF\xFE";
             for (char c : std::string("[Briefing 0]\r\nHeading = 9, Orders\r\nText = 1, 1, Go\r\n"
                                       "Sprite 0 = images\\unone.pcx, 10, 10\r\n"))
                 wide += {c, '\0'};
             g.write("Data/Backup/Briefings/Wide", wide);
         }},
        {"battle-changed",
         "",
         0,
         {},
         [](GameFolder& g) {
             ASSERT_TRUE(copyToSingleBattles(g.folders(), kCampaigns[0], {1}).ok());
             const std::string battle = kPlayer + singleBattleName(kCampaigns[0], 1);
             g.write(battle, g.read(battle) + "PLATOON: 2 5000 5000 0 4 0 0 2 0\r\n");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule + " in " + c.file);
        GameFolder game;
        ASSERT_TRUE(saveOriginals(game.folders()).ok());
        if (!c.file.empty()) game.write(kPlayer + c.file, c.content());
        if (c.more) c.more(game);
        const auto findings = checkMissions(game.folders());
        std::set<std::string> rules;
        const Finding* first = nullptr;
        for (const Finding& f : findings) {
            if (f.rule == "briefing-missing" && c.rule != "briefing-missing") continue;  // the demo's battle
            rules.insert(f.rule);
            if (!first && f.rule == c.rule && (c.file.empty() || f.file == game.folders().player + c.file))
                first = &f;
        }
        EXPECT_EQ(rules, std::set<std::string>{c.rule}) << listed(findings);
        ASSERT_NE(first, nullptr);
        for (const CheckRule& r : checkRules()) {
            if (r.id == c.rule) {
                EXPECT_EQ(first->severity, r.severity);
            }
        }
        if (c.line > 0) {
            EXPECT_EQ(first->line, c.line);
        }
        EXPECT_FALSE(first->text.empty());
    }
}

// The unit lines and line ends are read by a pass of their own over every byte: its findings must be those
// of the tool's readers for odd spacing, cases and words, and for carriage returns and line feeds anywhere.
TEST(Check, UnitLinesAndLineEndsAreReadAsTheToolReadsThem) {
    const std::string plain = mission({});
    const std::string unit = "PLATOON: 2 3000 5000 ";
    ASSERT_NE(plain.find(unit), std::string::npos);
    const auto unitAs = [&](const std::string& line) { return replaced(plain, unit, line); };
    const std::size_t lastAt = plain.rfind("\r\n", plain.size() - 3) + 2;
    const std::string lastLine = plain.substr(lastAt, plain.size() - 2 - lastAt);
    struct LineCase {
        std::string what;
        std::string content;
        std::string found;  // "rule at line: words of its text", "" for none
        std::string line;   // the finding's line, as a piece of it; "" for the line after the last
    };
    const std::vector<LineCase> cases = {
        {"negative", unitAs("PLATOON: 2 -4001 5000 "), "outside-battle-area: the unit at -4001, 5000",
         "PLATOON: 2 -"},
        {"spaced", unitAs("PLATOON:  2   3000  -4001 "), "outside-battle-area: the unit at 3000, -4001",
         "PLATOON:  2"},
        {"lower case, after a tab", unitAs("\tplatoon: 2 13000 5000 "),
         "outside-battle-area: the unit at 13000", "platoon"},
        {"a word that is no number reads 0", unitAs("PLATOON: 2 13000x 5000 "), "", ""},
        {"nineteen digits", unitAs("PLATOON: 2 1000000000000000000 5000 "),
         "outside-battle-area: the unit at 1000000000000000000, 5000", "PLATOON: 2 1000"},
        {"a colon ends the numbers", unitAs("PLATOON: 2 13000:5000 "),
         "outside-battle-area: the unit at 13000, 0", "PLATOON: 2 13000:"},
        {"a carriage return inside a line", replaced(plain, "PATROL\r\n", "PATROL\r\r\n"),
         "line-ends: 1 line ends", "ORDER_ASMBLY_PATROL"},
        {"a line feed alone", replaced(plain, "SIDE: 0\r\n", "SIDE: 0\n"), "line-ends: 1 line ends", "SIDE"},
        {"a carriage return at the end", plain + "\r", "line-ends: 1 line ends", ""},
        {"the last line without its end", plain.substr(0, plain.size() - 2) + "\n", "line-ends: 1 line ends",
         lastLine},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.what);
        GameFolder game;
        ASSERT_TRUE(saveOriginals(game.folders()).ok());
        game.write(kPlayer + "F.TXT", c.content);
        const auto findings = above(checkMissions(game.folders()), Severity::Note);
        if (c.found.empty()) {
            EXPECT_EQ(findings, std::vector<Finding>{}) << listed(findings);
            continue;
        }
        ASSERT_EQ(findings.size(), 1u) << listed(findings);
        EXPECT_EQ((findings[0].rule + ": " + findings[0].text).substr(0, c.found.size()), c.found);
        const std::size_t at = c.line.empty() ? c.content.size() : c.content.find(c.line);
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(findings[0].line, 1 + std::count(c.content.begin(), c.content.begin() + at, '\n'));
    }
}

// The line ends are found sixty-four bytes at a time: a stray carriage return or line feed, or a carriage
// return taken from its line feed, must be found wherever it falls against those blocks, and counted as a
// line-by-line walk counts it.
TEST(Check, LineEndsAreFoundWhereverTheyFallAgainstTheBlocksTheyAreReadIn) {
    const std::string plain = mission({});
    ASSERT_GT(plain.size(), 200u);
    // Lines not ended by CR LF or holding another carriage return, and the first of them.
    const auto expected = [](const std::string& text) -> std::pair<std::size_t, std::size_t> {
        std::size_t bad = 0, first = 0, line = 0;
        for (std::size_t pos = 0; pos < text.size();) {
            ++line;
            std::size_t end = text.find('\n', pos);
            const bool fed = end != std::string::npos;
            if (!fed) end = text.size();
            std::size_t stop = end;
            bool ok = fed && stop > pos && text[stop - 1] == '\r';
            if (ok) --stop;
            if (text.find('\r', pos) < stop) ok = false;
            if (!ok && bad++ == 0) first = line;
            pos = end + 1;
        }
        return {bad, first};
    };
    GameFolder game;
    ASSERT_TRUE(saveOriginals(game.folders()).ok());
    std::vector<std::string> texts;
    for (std::size_t at = 60; at < 200; ++at) {
        texts.push_back(plain.substr(0, at) + "\r" + plain.substr(at));
        texts.push_back(plain.substr(0, at) + "\n" + plain.substr(at));
        const std::size_t pair = plain.find("\r\n", at);
        texts.push_back(plain.substr(0, pair) + plain.substr(pair + 1));
    }
    // A carriage return as a file's last byte, at a block's end and within one.
    texts.push_back(plain.substr(0, 127) + "\r");
    texts.push_back(plain.substr(0, 130) + "\r");
    for (std::size_t i = 0; i < texts.size(); ++i)
        game.write(kPlayer + "F" + std::to_string(1000 + i) + ".TXT", texts[i]);
    const auto findings = checkMissions(game.folders());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string file = game.folders().player + "F" + std::to_string(1000 + i) + ".TXT";
        const auto [bad, first] = expected(texts[i]);
        const auto found = std::find_if(findings.begin(), findings.end(), [&](const Finding& f) {
            return f.file == file && f.rule == "line-ends";
        });
        SCOPED_TRACE(std::to_string(i));
        ASSERT_EQ(found != findings.end(), bad > 0);
        if (bad == 0) continue;
        EXPECT_EQ(found->line, first);
        EXPECT_EQ(found->text.substr(0, found->text.find(' ')), std::to_string(bad));
    }
}

// TITLE, SIDE, BATTLESIZE and BATTLEFIELD are found in one walk over a mission's first lines: each must still
// be the entry the tool reads, on the first line that begins with it, else where it first occurs at all.
TEST(Check, EntriesAreFoundAsTheToolFindsThem) {
    const std::string units = "PLATOON: 2 3000 5000 0 4 0 0 2 0\r\n";
    const std::string briefing = "[Briefing 0]\r\nHeading = 9, Orders\r\n";
    struct EntryCase {
        std::string text;
        std::string found;  // "rule:line" of the title, side and battle-area findings, by line
    };
    const std::vector<EntryCase> cases = {
        {"TITLEX: no\r\n \tTitle: " + std::string(31, 'T') + "\r\nSIDE: 0\r\n" + units + briefing,
         "title-long:2"},
        {"TITLE: T\r\nSIDE_B: 4\r\n\tside\t: 5\r\n" + units + briefing, "side-unknown:3"},
        {"TITLE: T\r\nOUTSIDE: 4\r\n" + units + briefing, "side-unknown:2"},
        {"TITLE: T\rSIDE: 6\r\n" + units + briefing, "side-unknown:1"},
        {"TITLE: T\r\n" + units + briefing + "SIDE: 9\r\n", ""},
        {"TITLE: T\r\n" + units + "SIDE" + briefing, "side-unknown:3"},
        {"SIDE: 0\r\n" + units + briefing + "TITLE: Late\r\n", ""},
        {"SIDE: 0\r\nBATTLESIZE: 4000 4000\r\n" + units + "BATTLESIZE: 90000 90000\r\n" + briefing,
         "title-missing:0 outside-battle-area:3"},
        {"TITLE: T\r\nBATTLESIZE: 2000 2000\r\nBATTLEFIELDS: F 3000 5000\r\nbattlefield: F 9000 9000\r\n" +
             units + briefing,
         "outside-battle-area:5"},
    };
    GameFolder game;
    ASSERT_TRUE(saveOriginals(game.folders()).ok());
    for (std::size_t i = 0; i < cases.size(); ++i)
        game.write(kPlayer + "E" + std::to_string(i) + ".TXT", cases[i].text);
    const auto findings = checkMissions(game.folders());
    const std::set<std::string> rules = {"title-missing", "title-long", "side-unknown",
                                         "outside-battle-area"};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        std::string found;
        for (const Finding& f : findings)
            if (f.file == game.folders().player + "E" + std::to_string(i) + ".TXT" && rules.count(f.rule))
                found += (found.empty() ? "" : " ") + f.rule + ":" + std::to_string(f.line);
        EXPECT_EQ(found, cases[i].found) << i << "\n" << listed(findings);
    }
}

// The player folder's missions are checked by several threads at once: any number of them finds the same,
// in the same order.
TEST(Check, AnyNumberOfThreadsFindsTheSame) {
    GameFolder game;
    const std::vector<std::function<void(Parts&)>> faults = {
        [](Parts&) {},
        [](Parts& p) { p.title = "Night Raid"; },
        [](Parts& p) { p.side = "7"; },
        [](Parts& p) { p.unit.x = 40000; },
        [](Parts& p) { p.unit.type = 9999; },
        [](Parts& p) { p.sprite = "images\\unone.pcx, 400, 10"; },
        [](Parts& p) { p.text = std::string(1024, 'a') + "["; },
        [](Parts& p) { p.briefing = false; },
    };
    for (std::size_t i = 0; i < 100; ++i) {
        Parts p;
        p.title = "Mission " + std::to_string(i % 40);
        faults[i % faults.size()](p);
        game.write(kPlayer + "M" + std::to_string(i) + ".TXT", mission(p));
    }
    game.write(kPlayer + "M7.TXT", "TITLE: Mission 1\nSIDE: 1\r");
    CheckOptions options;
    options.threads = 1;
    const auto one = checkMissions(game.folders(), options);
    ASSERT_GT(above(one, Severity::Note).size(), 100u);
    for (std::size_t threads : {2, 3, 0}) {
        options.threads = threads;
        EXPECT_EQ(checkMissions(game.folders(), options), one) << threads << " threads";
    }
}

TEST(Check, AGraphicsFindingNamesItsEntryAsThePreviewFindsIt) {
    GameFolder game;
    Parts p;
    p.sprite = "images\\uahb.pcx, -100, 10";  // the picture ends before the map begins
    game.write(kPlayer + "F.TXT", mission(p));
    const auto findings = checkMissions(game.folders(), {{"F.TXT"}});
    ASSERT_EQ(findings.size(), 1u) << listed(findings);
    ASSERT_TRUE(findings[0].entry.has_value());
    EXPECT_EQ(*findings[0].entry, (EntryPlace{"", 1, MapEntryKind::Sprite, 0}));
    BriefSupport briefing(game.path(kPlayer + "F.TXT"));
    const auto at = locateEntry(mapPages(briefing), *findings[0].entry);
    ASSERT_TRUE(at.has_value());
    EXPECT_EQ(at->page, 0u);
    EXPECT_EQ(mapPages(briefing)[0].entries[at->entry].at, (MapPoint{-100, 10}));
}

TEST(Check, NamedMissionsAreCheckedAloneAndAMissingOneIsAnError) {
    GameFolder game;
    Parts p;
    p.title = "Border Watch";
    game.write(kPlayer + "F.TXT", mission(p));
    const auto findings = checkMissions(game.folders(), {{"F.TXT", "NOSUCH.TXT"}});
    ASSERT_EQ(findings.size(), 2u) << listed(findings);
    EXPECT_EQ(findings[0].rule, "title-duplicate");  // against a mission not named
    EXPECT_NE(findings[0].text.find("S02.TXT"), std::string::npos);
    EXPECT_EQ(findings[1].rule, "file-unreadable");
    EXPECT_TRUE(anyErrors(findings));
}

TEST(Check, FindingsAreWrittenAsLinesAndAsJson) {
    std::vector<Finding> findings(2);
    findings[0] = {"C:\\G\\Data\\A.TXT", 3, Severity::Warning, "line-ends", "a \"quoted\" \xe9",
                   CheckedFile::Mission, {}};
    findings[1] = {"C:\\G\\Data\\B.TXT", 0, Severity::Error, "title-missing", "none",
                   CheckedFile::Mission, {}};
    EXPECT_EQ(findingsText(findings, "C:\\G\\"),
              "Data\\A.TXT:3: warning: line-ends: a \"quoted\" \xe9\n"
              "Data\\B.TXT: error: title-missing: none\n");
    EXPECT_EQ(
        findingsJson(findings, "C:\\G\\"),
        "[\n {\"file\": \"Data\\\\A.TXT\", \"line\": 3, \"severity\": \"warning\", \"rule\": \"line-ends\", "
        "\"text\": \"a \\\"quoted\\\" \xc3\xa9\"},\n"
        " {\"file\": \"Data\\\\B.TXT\", \"line\": 0, \"severity\": \"error\", \"rule\": \"title-missing\", "
        "\"text\": \"none\"}\n]\n");
    EXPECT_EQ(findingsJson({}), "[]\n");
}

}  // namespace
}  // namespace hartool::test
