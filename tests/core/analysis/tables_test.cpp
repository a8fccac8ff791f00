#include <gtest/gtest.h>

#include <set>

#include "core/analysis/missionsupport.h"
#include "core/analysis/tables.h"

namespace hartool {
namespace {

std::size_t codeCount(std::span<const tables::CodeRow> rows) {
    std::size_t n = 0;
    for (const auto& r : rows) n += r.codes.size();
    return n;
}

TEST(Tables, CountsPerTable) {
    EXPECT_EQ(codeCount(tables::kBlueUnitTypes), 77u);
    EXPECT_EQ(codeCount(tables::kRedUnitTypes), 66u);
    EXPECT_EQ(tables::kBlueUnitImages.size(), 18u);
    EXPECT_EQ(tables::kRedUnitImages.size(), 25u);
    EXPECT_EQ(tables::kCallSigns.size(), 31u);
    EXPECT_EQ(tables::kMessages.size(), 53u);
    std::size_t withImages = 0;
    for (const auto& m : tables::kMessages) withImages += !m.blueImage.empty() && !m.redImage.empty();
    EXPECT_EQ(withImages, 16u);
}

TEST(Tables, SidesAreDisjointAndEveryCodeHasAnImageOfItsSide) {
    MissionSupport m("");
    std::set<int> blue;
    for (const auto& r : tables::kBlueUnitTypes) blue.insert(r.codes.begin(), r.codes.end());
    for (const auto& r : tables::kRedUnitTypes)
        for (int c : r.codes) {
            EXPECT_FALSE(blue.count(c)) << c;
            EXPECT_NE(m.GETIMAGE(c, 1), "") << c;
        }
    for (int c : blue) EXPECT_NE(m.GETIMAGE(c, 0), "") << c;
    for (int c : tables::kFlyableHelicopters) EXPECT_NE(m.GETIMAGE(c, c == 62 || c == 128 ? 1 : 0), "") << c;
}

TEST(Tables, EveryMessageHasAText) {
    MissionSupport m("");
    for (int n = 0; n <= 52; ++n) EXPECT_NE(m.GETMESSAGE(n), "") << n;
}

TEST(Tables, Lookups) {
    MissionSupport m("");
    struct Case {
        std::string got, want;
    } cases[] = {
        {m.GETCALLSIGN(10), ""},
        {m.GETCALLSIGN(0), ""},
        {m.GETCALLSIGN(12), "Raider"},
        {m.GETCALLSIGN(32), "Arrow"},
        {m.GETIMAGE(144, 0), "uinfp"},
        {m.GETIMAGE(144, 1), "rinfp"},
        {m.GETIMAGE(62, 0), ""},
        {m.GETIMAGE(1, 2), ""},
        {m.GETMESSAGE(25, MessagePart::IMAGEBLUE), ""},
        {m.GETMESSAGE(35, MessagePart::IMAGERED), "rdumpb"},
        {m.GETMESSAGE(0), "Crossbow"},
        {m.GETMESSAGE(0, MessagePart::IMAGEBLUE), "uobj"},
        {m.GETMESSAGE(31, MessagePart::IMAGERED), "r20hqb"},
        {m.GETMESSAGE(52), "Sledge"},
        {m.GETMESSAGE(53), ""},
        {m.GETWP(6, 1), "rwplz"},
        {m.GETWP(3, 0), "uwpbp"},
        {m.GETWP(0, 0), ""},
        {m.GETWP(7, 0), ""},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].got, cases[i].want) << "case " << i;
    ASSERT_EQ(m.NAT().size(), 3u);
    EXPECT_EQ(m.NAT()[2], "GER");
}

}  // namespace
}  // namespace hartool
