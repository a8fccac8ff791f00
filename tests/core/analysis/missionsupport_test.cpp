#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "core/analysis/missionsupport.h"
#include "core/briefing/briefsupport.h"
#include "demo/demogame.h"
#include "support/tempdir.h"

namespace hartool {
namespace {

using Lines = std::vector<std::string>;

std::string crlf(const Lines& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\r\n";
    return s;
}

class Mission : public ::testing::Test {
  protected:
    // A fresh object over a mission of these lines, READNAT done.
    MissionSupport& load(const Lines& lines) {
        path_ = dir_.write("M.TXT", crlf(lines));
        m_ = std::make_unique<MissionSupport>(path_);
        m_->READNAT();
        return *m_;
    }
    // A briefing not yet on disk: five empty pages per side.
    BriefSupport& briefing(bool twoSides = false) {
        b_ = std::make_unique<BriefSupport>(dir_.folder() + "B" + std::to_string(++briefings_) + ".TXT",
                                            twoSides);
        return *b_;
    }
    test::TempDir dir_;
    std::string path_;
    std::unique_ptr<MissionSupport> m_;
    std::unique_ptr<BriefSupport> b_;
    int briefings_ = 0;
};

TEST(WordNumber, LeadingIntegerOrZero) {
    const std::pair<const char*, std::int64_t> cases[] = {
        {"12", 12}, {"-7", -7}, {"+3", 3},  {"12.7", 12}, {"-3.5", -3}, {"8.", 8},    {".5", 0},
        {"abc", 0}, {"", 0},    {"12a", 0}, {"-", 0},     {".", 0},     {"1.2.3", 0},
    };
    for (const auto& [word, want] : cases) EXPECT_EQ(wordNumber(word), want) << word;
}

TEST_F(Mission, TransformRoundsHalvesAwayFromZeroAndCapsAt320) {
    MissionSupport& m = load({"SIDE: 0"});
    m.READDIMENSIONS();
    const std::pair<Point, Point> cases[] = {
        {{1000, 2000}, {170, 178}},   {{25, 1000}, {151, 158}},  // 160.5 rounds up
        {{-8025, -8025}, {-11, -23}},                            // -0.5 rounds down
        {{900000, 0}, {320, 138}},    {{-900000, 0}, {-17850, 138}},
    };
    for (const auto& [in, want] : cases) EXPECT_EQ(m.NEWCOORD(in), want) << in.X << "," << in.Y;
}

// The transform as doubles and llround give it, for any battle area, ties and numbers past 2^40 included.
TEST_F(Mission, TransformAgreesWithTheDoublesEverywhere) {
    const auto reference = [](std::int64_t at, std::int64_t centre, std::int64_t size, std::int64_t shift) {
        const double low = static_cast<double>(centre) - static_cast<double>(size) / 2.0;
        return std::min<std::int64_t>(std::llround((static_cast<double>(at) - low) / 50.0) - shift, 320);
    };
    const std::int64_t big = std::int64_t{1} << 40;
    for (const auto& [cx, cy, w, h] :
         {std::tuple<std::int64_t, std::int64_t, std::int64_t, std::int64_t>{5000, 7000, 20000, 12001},
          {-3, 0, 7, 16000},
          {big, -big, 3, 5}}) {
        MissionSupport& m = load({"BATTLESIZE: " + std::to_string(w) + " " + std::to_string(h),
                                  "BATTLEFIELD: Gen " + std::to_string(cx) + " " + std::to_string(cy)});
        m.READDIMENSIONS();
        for (std::int64_t at = -2550; at <= 2550; at += 17) {
            for (const std::int64_t v : {at, at + big, at - big, at * 1000003}) {
                const Point got = m.NEWCOORD({v, v + 25});
                EXPECT_EQ(got.X, reference(v, cx, w, 10)) << v;
                EXPECT_EQ(got.Y, reference(v + 25, cy, h, 22)) << v;
            }
        }
    }
}

TEST(Shift, CorrectPointKindsAndImages) {
    const Point p{100, 100};
    const std::pair<Shift, Point> kinds[] = {
        {Shift::OBJ, {95, 100}},   {Shift::ONE, {70, 80}},      {Shift::TWO, {30, 40}},
        {Shift::THREE, {-5, 0}},   {Shift::SECTOR, {110, 120}}, {Shift::LINEEND, {110, 120}},
        {Shift::NONE, {100, 100}},
    };
    for (const auto& [k, want] : kinds) EXPECT_EQ(CORRECTPOINT(p, k), want) << static_cast<int>(k);
    EXPECT_EQ(CORRECTPOINT({315, 318}, Shift::SECTOR), (Point{320, 320}));
    EXPECT_EQ(CORRECTPOINT({400, 400}, Shift::NONE), (Point{320, 320}));
    const std::pair<const char*, Point> images[] = {
        {"uadv2b", {70, 80}}, {"RSAM2x", {70, 80}},  {"rsam4b", {30, 40}}, {"usam4b", {30, 40}},
        {"rsam6b", {-5, 0}},  {"rsam8b", {95, 100}}, {"", {95, 100}},      {"utnkp", {95, 100}},
    };
    for (const auto& [image, want] : images) EXPECT_EQ(CORRECTPOINT2(p, image), want) << image;
}

TEST_F(Mission, NationalityIsThatOfTheFirstNationalFlight) {
    struct Case {
        Lines codes;
        int nationality;
        std::vector<int> listed;
    } cases[] = {
        {{"17"}, 1, {21}},
        {{"109", "130"}, 1, {18, 130}},
        {{"131"}, 2, {129}},
        {{"62", "128", "127"}, 3, {62, 128, 127}},
        {{"62", "128"}, 0, {62, 128}},
        {{"1", "35", "112"}, 3, {112}},
    };
    for (const Case& c : cases) {
        Lines lines{"SIDE: 0", "XPLATOON: 21 0 0 0 0 0 0 0 1201"};
        for (const std::string& code : c.codes) lines.push_back("  platoon: " + code + " 0 0 0 2 0 0 2 1201");
        MissionSupport& m = load(lines);
        EXPECT_EQ(m.NATIONALITY(), c.nationality) << c.codes[0];
        std::vector<int> listed;
        for (const FlightEntry& f : m.flights()) listed.push_back(f.type);
        EXPECT_EQ(listed, c.listed) << c.codes[0];
    }
}

TEST_F(Mission, DimensionsAndDefaults) {
    MissionSupport& m = load({"BATTLESIZE: 20000 12000", "BATTLEFIELD: Asterbrook 5000 7000"});
    m.READDIMENSIONS();
    EXPECT_EQ(m.centre(), (Point{5000, 7000}));
    EXPECT_EQ(m.size(), (Dimension{20000, 12000}));
    MissionSupport& d = load({"TITLE: Plain"});
    d.READDIMENSIONS();
    EXPECT_EQ(d.READSIDE(), 0);
    EXPECT_EQ(d.centre(), (Point{0, 0}));
    EXPECT_EQ(d.size(), (Dimension{16000, 16000}));
}

TEST_F(Mission, RoutesInheritKindsAndEndAtPlatoonOrSupport) {
    MissionSupport& m = load({
        "PLATOON: 17 1000 2000 0 2 1100 2100 2 1201",
        "ADDWAYPT: 1200 2200",
        "ORDER_ASMBLY_LZ",
        "ADDWAYPT: 1300 2300",
        "SUPPORT: 82 1",
        "ADDWAYPT: 9 9",
        "PLATOON: 62 5 6 0 2 7 8 2 7",
        "ADDWAYPT: 10 11",
        "ORDER_ASMBLY_BATTLEPOS",
        "XPLATOON: 1 0 0",
        "ADDWAYPT: 12 13",
    });
    m.READWP();
    ASSERT_EQ(m.routes().size(), 2u);
    const FlightRoute& a = m.routes()[0];
    EXPECT_EQ(a.side, 0);
    EXPECT_EQ(a.start.type, 17);
    EXPECT_EQ(a.start.callSign, "Raider");
    ASSERT_EQ(a.waypoints.size(), 3u);
    const std::tuple<int, int, int> wantA[] = {{1100, 2100, 1}, {1200, 2200, 5}, {1300, 2300, 5}};
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(std::tuple(int(a.waypoints[i].x), int(a.waypoints[i].y), a.waypoints[i].kind), wantA[i])
            << i;
    const FlightRoute& b = m.routes()[1];
    EXPECT_EQ(b.side, 1);
    EXPECT_EQ(b.start.callSign, "Reaper");
    ASSERT_EQ(b.waypoints.size(), 2u);
    EXPECT_EQ(b.waypoints[0].kind, 1);
    EXPECT_EQ(b.waypoints[1].kind, 3);
}

// The words that make a line a unit, a waypoint, an order or a route's end count anywhere in the line and in
// any case, and only when whole.
TEST_F(Mission, LineWordsAnywhereInAnyCase) {
    MissionSupport& m = load({
        "PLATOON: 17 1000 2000 0 2 1100 2100 2 1201",
        "addwaypt: 1 1",     // lower case
        "xx ADDWAYPT: 2 2",  // after other words
        "ADDWAYP T: 9 9",    // not whole
        "order\x7f"
        "asmbly_lz",                   // not "_"
        "Order_Asmbly_Patrol",         // mixed case
        "ADDWAYPTADDWAYPT: 3 3",       // twice in a row
        "OBJECTIVE: ADDWAYPT: 4 4",    // beside another word
        "ORDER_ASMBLY_ADDWAYPT: 5 5",  // behind a word found
        "PLATOO",                      // cut at the line's end
        "ADDWAYPT: 6 6 SUPPORT",       // the route ends before its waypoint
        "ADDWAYPT: 7 7",
    });
    m.READWP();
    m.READUNITS();
    ASSERT_EQ(m.routes().size(), 1u);
    std::vector<std::tuple<int, int, int>> got;
    for (const WaypointRecord& w : m.routes()[0].waypoints) got.emplace_back(int(w.x), int(w.y), w.kind);
    // An order gives its kind to the waypoint before it; "OBJECTIVE: ADDWAYPT: 4 4" holds no numbers.
    const std::vector<std::tuple<int, int, int>> want = {{1100, 2100, 1}, {1, 1, 1}, {2, 2, 4},
                                                         {3, 3, 4},       {0, 0, 4}, {5, 5, 4}};
    EXPECT_EQ(got, want);
    EXPECT_EQ(m.blueUnits().size() + m.redUnits().size(), 1u);  // "PLATOO" is none
}

TEST_F(Mission, UnitValuesRunFromTheFirstColonRunToTheNext) {
    struct Case {
        const char* line;
        int type;
        std::int64_t x, y;
    };
    const Case cases[] = {
        {"PLATOON: 35 30 40", 35, 30, 40},
        {"PLATOON:35   30  40  ", 35, 30, 40},
        {"PLATOON::: 35 30 40", 35, 30, 40},
        {"PLATOON: 35 30: 40", 35, 30, 0},  // the value ends at the second colon
        {"PLATOON 35 30 40", 0, 0, 0},      // no value at all: type 0, a blue tank platoon
    };
    for (const Case& c : cases) {
        MissionSupport& m = load({c.line});
        m.READUNITS();
        const auto& units = c.type == 0 ? m.blueUnits() : m.redUnits();
        ASSERT_EQ(units.size(), 1u) << c.line;
        EXPECT_EQ(units[0].type, c.type) << c.line;
        EXPECT_EQ(units[0].x, c.x) << c.line;
        EXPECT_EQ(units[0].y, c.y) << c.line;
    }
}

TEST_F(Mission, UnitsByTableAndObjectivesBeforeTheFirstPlatoon) {
    MissionSupport& m = load({
        "OBJECTIVE: BLUE KRADIUS_ONE 1 2 14",
        "objective: red sector 1 2 3 4 13",
        "OBJECTIVE: GREEN KRADIUS_ONE 1 2 14",
        "PLATOON: 1 10 20 0 4 0 0 2 2501",
        "OBJECTIVE: BLUE KRADIUS_TWO 1 2 14",
        "PLATOON: 35 30 40",
        "PLATOON: 144 50 60",
        "XPLATOON: 21 70 80 0 2 0 0 2 12",
    });
    m.READUNITS();
    m.READOBJECTIVES();
    ASSERT_EQ(m.blueUnits().size(), 2u);
    EXPECT_EQ(m.blueUnits()[0].callSign, "Bulldog");
    EXPECT_EQ(m.blueUnits()[1].type, 21);
    EXPECT_EQ(m.blueUnits()[1].callSign, "Raider");
    ASSERT_EQ(m.redUnits().size(), 1u);
    EXPECT_EQ(m.redUnits()[0].callSign, "");
    EXPECT_EQ(m.blueObjectives(), Lines{" KRADIUS_ONE 1 2 14"});
    EXPECT_EQ(m.redObjectives(), Lines{" SECTOR 1 2 3 4 13"});
}

TEST_F(Mission, TankPlatoonGoesToPageThreeOrFourBySide) {
    for (int side : {0, 1}) {
        MissionSupport& m = load({"SIDE: " + std::to_string(side), "PLATOON: 1 1000 2000 0 4 1000 2000 2 0"});
        BriefSupport& b = briefing();
        ASSERT_TRUE(m.ANALYZE(b));
        const auto& pages = b.BRIEFARRAY();
        EXPECT_EQ(pages[side == 0 ? 2 : 3].ASPRITESTRINGS, Lines{"images\\utnkp.pcx, 165, 178, 0"}) << side;
        EXPECT_TRUE(pages[side == 0 ? 3 : 2].ASPRITESTRINGS.empty()) << side;
    }
}

TEST_F(Mission, FlightRouteOnPagesOneAndTwo) {
    MissionSupport& m = load({"SIDE: 0", "PLATOON: 21 1000 2000 0 2 3000 2000 2 1201", "SUPPORT: 82 1"});
    BriefSupport& b = briefing();
    b.BRIEFARRAY()[0].ALINESTRINGS.push_back("drawn before");
    ASSERT_TRUE(m.ANALYZE(b));
    for (std::size_t p : {0u, 1u}) {
        const Briefing& page = b.BRIEFARRAY()[p];
        EXPECT_EQ(page.ASPRITESTRINGS,
                  (Lines{"images\\uahb.pcx, 170, 183, 0", "images\\uwpcp.pcx, 208, 173, 0"}));
        EXPECT_EQ(page.ALABELSTRINGS, Lines{"170, 176, 99, 99, 208, 1, Raider"});
        EXPECT_EQ(page.ALINESTRINGS, Lines{"200, 200, 200, 215, 193, 175, 193"});
    }
    EXPECT_TRUE(b.BRIEFARRAY()[2].ASPRITESTRINGS.size() == 1 && b.BRIEFARRAY()[4].ASPRITESTRINGS.empty());
}

TEST_F(Mission, ObjectiveMarkersRingsSectorsAndLines) {
    // P = (170, 178) for battlefield (1000, 2000); A = P + (10, 20).
    struct Case {
        int side;
        std::string form;
        Lines first, secondSprites, secondLines, secondLabels;
    } cases[] = {
        {0,
         "KRADIUS_ONE 1000 2000 14",
         {"images\\uobja.pcx, 165, 178, 0"},
         {"images\\uobja.pcx, 165, 178, 0", "images\\uadv2b.pcx, 140, 158, 0"},
         {},
         {}},
        {1,
         "KRADIUS_TWO 1000 2000 35",
         {"images\\rdumpb.pcx, 165, 178, 0"},
         {"images\\rdumpb.pcx, 165, 178, 0", "images\\rsam4b.pcx, 100, 118, 0"},
         {},
         {}},
        {0,
         "KRADIUS_THREE 1000 2000 25",
         {"images\\.pcx, 165, 178, 0"},
         {"images\\.pcx, 165, 178, 0", "images\\rsam6b.pcx, 60, 78, 0"},
         {},
         {}},
        {1,
         "KRADIUS_THREE 1000 2000",
         {"images\\robj.pcx, 165, 178, 0"},
         {"images\\robj.pcx, 165, 178, 0", "images\\usam4b.pcx, 60, 78, 0"},
         {},
         {}},
        {0,
         "SECTOR 1000 2000 3000 4000 13",
         {},
         {},
         {"200, 200, 200, 180, 198, 180, 238", "200, 200, 200, 180, 238, 220, 238",
          "200, 200, 200, 220, 238, 220, 198", "200, 200, 200, 220, 198, 180, 198"},
         {"180, 198, 99, 99, 208, 1, Defend Sector"}},
        {1,
         "PHASE_LINE 1000 2000 3000 2000 99",
         {},
         {},
         {"200, 200, 200, 180, 198, 220, 198"},
         {"180, 198, 99, 99, 208, 1, "}},
        {0, "OTHER 1000 2000 14", {}, {}, {}, {}},
    };
    for (const Case& c : cases) {
        MissionSupport& m = load(
            {"SIDE: " + std::to_string(c.side), "OBJECTIVE: RED " + c.form, "OBJECTIVE: BLUE " + c.form});
        BriefSupport& b = briefing();
        ASSERT_TRUE(m.ANALYZE(b));
        const auto& pages = b.BRIEFARRAY();
        EXPECT_EQ(pages[0].ASPRITESTRINGS, c.first) << c.form;
        EXPECT_TRUE(pages[0].ALINESTRINGS.empty() && pages[0].ALABELSTRINGS.empty()) << c.form;
        EXPECT_EQ(pages[1].ASPRITESTRINGS, c.secondSprites) << c.form;
        EXPECT_EQ(pages[1].ALINESTRINGS, c.secondLines) << c.form;
        EXPECT_EQ(pages[1].ALABELSTRINGS, c.secondLabels) << c.form;
    }
}

TEST_F(Mission, SidesInSingleAndDoubleMode) {
    const Lines lines{
        "SIDE: 1",
        "OBJECTIVE: BLUE KRADIUS_ONE 0 0 14",
        "OBJECTIVE: RED KRADIUS_ONE 0 0 15",
        "PLATOON: 21 0 0 0 2 0 0 2 1201",
        "PLATOON: 62 0 0 0 2 0 0 2 1501",
        "PLATOON: 1 0 0 0 4 0 0 2 0",
        "PLATOON: 35 0 0 0 4 0 0 2 0",
    };
    // Battlefield (0, 0) is map (150, 138); flights are units as well.
    auto labels = [](const Briefing& p) { return p.ALABELSTRINGS; };
    MissionSupport& m = load(lines);
    BriefSupport& single = briefing();
    ASSERT_TRUE(m.ANALYZE(single));
    EXPECT_EQ(labels(single.BRIEFARRAY()[0]), Lines{"150, 136, 99, 99, 208, 1, Falcon"});
    EXPECT_EQ(single.BRIEFARRAY()[0].ASPRITESTRINGS.back(), "images\\robjs.pcx, 145, 138, 0");
    EXPECT_EQ(single.BRIEFARRAY()[2].ASPRITESTRINGS,
              (Lines{"images\\rahb.pcx, 145, 138, 0", "images\\rtnkp.pcx, 145, 138, 0"}));
    EXPECT_EQ(single.BRIEFARRAY()[3].ASPRITESTRINGS,
              (Lines{"images\\uahb.pcx, 145, 138, 0", "images\\utnkp.pcx, 145, 138, 0"}));

    MissionSupport& d = load(lines);
    BriefSupport& two = briefing(true);
    ASSERT_TRUE(d.ANALYZE(two));
    const auto& blue = two.BLUEBRIEFARRAY();
    const auto& red = two.REDBRIEFARRAY();
    EXPECT_EQ(labels(blue[0]), Lines{"150, 136, 99, 99, 208, 1, Raider"});
    EXPECT_EQ(labels(red[1]), Lines{"150, 136, 99, 99, 208, 1, Falcon"});
    EXPECT_EQ(blue[1].ASPRITESTRINGS.back(), "images\\uadv2b.pcx, 120, 118, 0");
    EXPECT_EQ(red[1].ASPRITESTRINGS.back(), "images\\radv2b.pcx, 120, 118, 0");
    const Lines blueUnits{"images\\uahb.pcx, 145, 138, 0", "images\\utnkp.pcx, 145, 138, 0"};
    const Lines redUnits{"images\\rahb.pcx, 145, 138, 0", "images\\rtnkp.pcx, 145, 138, 0"};
    EXPECT_EQ(blue[2].ASPRITESTRINGS, blueUnits);
    EXPECT_EQ(blue[3].ASPRITESTRINGS, redUnits);
    EXPECT_EQ(red[2].ASPRITESTRINGS, redUnits);
    EXPECT_EQ(red[3].ASPRITESTRINGS, blueUnits);
}

TEST_F(Mission, WriteNatUsaToGer) {
    const Lines lines{"TITLE: Swap",     "SIDE: 0",          "PLATOON: 21 1 2 0 2 1 2 2 1201",
                      "SUPPORT: 82 1",   "PLATOON: 18 1 2",  "PLATOON:  17  3 4",
                      "PLATOON: 62 5 6", "PLATOON: 128 7 8", "PLATOON: 1 9 9"};
    MissionSupport& same = load(lines);
    ASSERT_EQ(same.WRITENAT(1).nationality, 1);
    EXPECT_EQ(dir_.read("M.TXT"), crlf(lines));

    MissionSupport& m = load(lines);
    const NatWrite w = m.WRITENAT(3);
    EXPECT_EQ(w.nationality, 1);
    ASSERT_TRUE(w.status);
    EXPECT_EQ(m.NATIONALITY(), 1);
    Lines want = lines;
    want[2] = "PLATOON: 112 1 2 0 2 1 2 2 1201";
    want[4] = "PLATOON: 127 1 2";
    want[5] = "PLATOON: 112 3 4";
    want[6] = "PLATOON: 62 5 6";
    want[7] = "PLATOON: 128 7 8";
    EXPECT_EQ(dir_.read("M.TXT"), crlf(want));

    MissionSupport missing(dir_.folder() + "gone.txt");
    missing.READNAT();
    EXPECT_FALSE(missing.WRITENAT(2).status);
    EXPECT_FALSE(dir_.exists("gone.txt"));
}

TEST_F(Mission, WriteSideChangesOnlyTheSideLine) {
    const Lines lines{"TITLE: Swap", "SIDE: 0", "PLATOON: 21 1 2 0 2 1 2 2 1201"};
    MissionSupport& m = load(lines);
    m.READSIDE();
    ASSERT_TRUE(m.WRITESIDE(0));
    EXPECT_EQ(dir_.read("M.TXT"), crlf(lines));
    ASSERT_TRUE(m.WRITESIDE(1));
    Lines want = lines;
    want[1] = "SIDE: 1";
    EXPECT_EQ(dir_.read("M.TXT"), crlf(want));
    EXPECT_EQ(m.SIDE(), 0);

    // The name inside the title is not the entry.
    const Lines river{"TITLE: Riverside Assault", "SIDE: 1", "PLATOON: 21 1 2"};
    MissionSupport& r = load(river);
    EXPECT_EQ(r.READSIDE(), 1);
    ASSERT_TRUE(r.WRITESIDE(0));
    EXPECT_EQ(dir_.read("M.TXT"), crlf({"TITLE: Riverside Assault", "SIDE: 0", "PLATOON: 21 1 2"}));

    // Nothing written is never reported as written.
    MissionSupport& none = load({"TITLE: Quiet Valley", "PLATOON: 21 1 2"});
    const platform::Status noEntry = none.WRITESIDE(1);
    EXPECT_FALSE(noEntry);
    EXPECT_NE(noEntry.error.find("no SIDE entry"), std::string::npos) << noEntry.error;
    EXPECT_EQ(dir_.read("M.TXT"), crlf({"TITLE: Quiet Valley", "PLATOON: 21 1 2"}));
    MissionSupport gone(dir_.folder() + "gone.txt");
    const platform::Status missing = gone.WRITESIDE(1);
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.error.find("gone.txt"), std::string::npos) << missing.error;
    EXPECT_FALSE(dir_.exists("gone.txt"));
}

TEST_F(Mission, DemoMissionsGiveEntriesOfTheExactForms) {
    const std::regex sprite(R"(images\\[a-z0-9]*\.pcx, -?\d+, -?\d+, 0)");
    const std::regex line(R"(200, 200, 200, -?\d+, -?\d+, -?\d+, -?\d+)");
    const std::regex label(R"(-?\d+, -?\d+, 99, 99, 208, 1, [A-Za-z ]*)");
    std::size_t missions = 0, entries = 0;
    for (const demo::DemoFile& f : demo::demoFiles()) {
        if (f.content.find("PLATOON") == std::string::npos) continue;
        ++missions;
        const std::string path = dir_.write("mission.txt", f.content);
        // The mission's briefing part, cut out, serves as its briefing file; a battle without one gets a new
        // one.
        const std::size_t part = f.content.find('[');
        const std::string briefingPath = part == std::string::npos
                                             ? dir_.folder() + "new" + std::to_string(missions) + ".txt"
                                             : dir_.write("briefing.txt", f.content.substr(part));
        MissionSupport m(path);
        m.READNAT();
        BriefSupport analysed(briefingPath);
        ASSERT_TRUE(m.ANALYZE(analysed)) << f.path;
        // What reaches the file is what the game draws.
        BriefSupport reread(briefingPath);
        BriefSupport& b = part == std::string::npos ? analysed : reread;
        std::size_t here = 0;
        for (auto* pages : {&b.BLUEBRIEFARRAY(), &b.REDBRIEFARRAY(), &b.BRIEFARRAY()})
            for (const Briefing& p : *pages) {
                auto all = [&](const StringList& entries, const std::regex& form) {
                    for (std::string_view s : entries)
                        EXPECT_TRUE(std::regex_match(s.begin(), s.end(), form)) << f.path << s;
                };
                all(p.ASPRITESTRINGS, sprite);
                all(p.ALINESTRINGS, line);
                all(p.ALABELSTRINGS, label);
                here += p.ASPRITESTRINGS.size() + p.ALINESTRINGS.size() + p.ALABELSTRINGS.size();
            }
        EXPECT_GT(here, 0u) << f.path;
        entries += here;
    }
    EXPECT_GT(missions, 10u);
    EXPECT_GT(entries, missions * 10);
}

}  // namespace
}  // namespace hartool
