// Graphics entries read as what they draw, and the pages the preview offers.

#include <gtest/gtest.h>

#include <string>

#include "core/briefing/mapgraphics.h"
#include "support/tempdir.h"

namespace hartool {
namespace {

TEST(MapEntry, ReadsTheThreeForms) {
    struct Case {
        MapEntryKind kind;
        std::string value;
        MapPoint at, to;
        std::uint32_t colour;
        std::string image, text;
    };
    const Case cases[] = {
        {MapEntryKind::Sprite, "images\\utnkp.pcx, 165, 178, 0", {165, 178}, {}, 0, "images\\utnkp.pcx", ""},
        {MapEntryKind::Sprite, "images\\rsam6b.pcx,-110,-100", {-110, -100}, {}, 0, "images\\rsam6b.pcx", ""},
        {MapEntryKind::Line, "200, 200, 200, 215, 193, 175, 193", {215, 193}, {175, 193}, 0xFFC8C8C8, "", ""},
        {MapEntryKind::Label, "170, 176, 99, 99, 208, 1, Raider", {170, 176}, {}, 0xFF6363D0, "", "Raider"},
        // A label's text keeps its commas.
        {MapEntryKind::Label, "1, 2, 0, 0, 0, 1, Hill 4, east", {1, 2}, {}, 0xFF000000, "", "Hill 4, east"},
        {MapEntryKind::Label, "1, 2, 0, 0, 0", {1, 2}, {}, 0xFF000000, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        MapEntry e;
        std::string why;
        ASSERT_TRUE(readMapEntry(c.kind, c.value, e, why)) << why;
        EXPECT_EQ(e.at, c.at);
        EXPECT_EQ(e.to, c.to);
        EXPECT_EQ(e.colour, c.colour);
        EXPECT_EQ(e.image, c.image);
        EXPECT_EQ(e.text, c.text);
    }
}

TEST(MapEntry, SaysWhatIsWrong) {
    struct Case {
        MapEntryKind kind;
        std::string value, why;
    };
    const Case cases[] = {
        {MapEntryKind::Sprite, ", 1, 2, 0", "no image"},
        {MapEntryKind::Sprite, "images\\u.pcx, 1", "field 3 is missing"},
        {MapEntryKind::Sprite, "images\\u.pcx, 1x, 2", "field 2 (\"1x\") is not a whole number"},
        {MapEntryKind::Line, "200, 200, 200, 1, 2, 3", "field 7 is missing"},
        {MapEntryKind::Line, "300, 0, 0, 1, 2, 3, 4", "colour value 300 is not 0 to 255"},
        {MapEntryKind::Label, "1, 2, 99, 99, 99999999999, 1, X",
         "field 5 (\"99999999999\") is not a whole number"},
        // Far enough to overflow the painter's coordinates once drawn at 4x.
        {MapEntryKind::Sprite, "images\\u.pcx, 2147483647, 2", "field 2 (2147483647) lies far off the map"},
        {MapEntryKind::Line, "200, 200, 200, -2147483648, 2, 3, 4",
         "field 4 (-2147483648) lies far off the map"},
    };
    for (const Case& c : cases) {
        MapEntry e;
        std::string why;
        EXPECT_FALSE(readMapEntry(c.kind, c.value, e, why)) << c.value;
        EXPECT_EQ(why, c.why);
    }
}

TEST(MapPages, OfferThePagesTheBriefingHasAndNameTheirEntries) {
    test::TempDir dir;
    BriefSupport two(
        dir.write("two.txt",
                  "[Blue_Briefing 0]\r\nHeading = 9, Go\r\nMAP = maps\\a.pcx\r\n"
                  "Sprite 0 = images\\uahb.pcx, 170, 183, 0\r\nSprite 1 = bad\r\n"
                  "[Red_Briefing 4]\r\nText = 1, 1, Hold\r\nLabel 0 = 5, 6, 1, 2, 3, 1, Far\r\n"));
    const std::vector<MapPage> pages = mapPages(two);
    std::vector<std::string> titles;
    for (const MapPage& p : pages) titles.push_back(pageTitle(p));
    EXPECT_EQ(titles, (std::vector<std::string>{"Blue, page 1: routes", "Red, page 5"}));
    const MapPage& first = pages[0];
    EXPECT_EQ(first.map, "maps\\a.pcx");
    ASSERT_EQ(first.entries.size(), 1u);
    EXPECT_EQ(describeMapEntry(first.entries[0]), "Sprite 0, page 1 (blue): images\\uahb.pcx at 170, 183");
    EXPECT_EQ(first.unreadable, std::vector<std::string>{"Sprite 1: field 2 is missing"});
    EXPECT_FALSE(first.leftOut);
    EXPECT_EQ(describeMapEntry(pages[1].entries[0]), "Label 0, page 5 (red): \"Far\" at 5, 6");

    // Three pages: no page 4 ("other units") to offer. Without heading and text a page is not read at all.
    BriefSupport three(
        dir.write("three.txt",
                  "[Briefing 0]\r\nHeading = 9, A\r\n[Briefing 1]\r\nText = 1, 1, B\r\n"
                  "[Briefing 2]\r\nHeading = 9, C\r\n[Briefing 3]\r\nLine 0 = 1, 1, 1, 1, 2, 3, 4\r\n"));
    titles.clear();
    for (const MapPage& p : mapPages(three)) titles.push_back(pageTitle(p));
    EXPECT_EQ(titles, (std::vector<std::string>{"Page 1: routes", "Page 2: routes and objectives",
                                                "Page 3: own units"}));

    // In the editor a page may lose its heading and text and keep its graphics: offered, with its warning.
    std::vector<Briefing> edited(5);
    edited[3].ALINESTRINGS = {"200, 200, 200, 1, 2, 3, 4"};
    const std::vector<MapPage> kept = mapPagesOf(edited, "");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(pageTitle(kept[0]), "Page 4: other units");
    EXPECT_TRUE(kept[0].leftOut);
}

TEST(MapPages, StatusLineCountsWhatThePlayerShouldKnow) {
    MapPage page;
    page.entries.resize(3);
    EXPECT_EQ(mapStatusText(page, 0, {}, {}), "3 entries.");
    page.unreadable = {"Sprite 1: no image"};
    page.leftOut = true;
    EXPECT_EQ(
        mapStatusText(page, 1, {"images\\a.pcx", "maps\\m.pcx"}, {"images\\b.pcx: not a PCX image"}),
        "3 entries. 1 entry lies off the map. 1 entry could not be read: Sprite 1: no image. Not in the game "
        "folder, drawn as stand-ins: images\\a.pcx, maps\\m.pcx. Unreadable, drawn as stand-ins: "
        "images\\b.pcx: not a PCX image. The page has no heading and no text, so it is not saved and the "
        "game does not show it.");
}

TEST(MapImages, SideAndRingSizeComeFromTheName) {
    struct Case {
        std::string image;
        int side, ring;
    };
    const Case cases[] = {
        {"images\\utnkp.pcx", 0, 0},    {"images\\RTNKP.PCX", 1, 0},    {"images\\uadv2b.pcx", 0, 80},
        {"images\\usam4b.pcx", 0, 160}, {"images\\rsam6b.pcx", 1, 240}, {"images\\rsam8b.pcx", 1, 320},
        {"images\\rsupb.pcx", 1, 0},    {"images\\.pcx", -1, 0},        {"maps\\x.pcx", -1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(imageSide(c.image), c.side) << c.image;
        EXPECT_EQ(ringDiameter(c.image), c.ring) << c.image;
    }
}

}  // namespace
}  // namespace hartool
