#include <gtest/gtest.h>

#include "core/platform/filesystem.h"

using hartool::platform::matchesMask;

TEST(Mask, FollowsWindowsWildcardRules) {
    struct Case {
        const char* name;
        const char* mask;
        bool match;
    };
    const Case cases[] = {
        {"CAMP0", "CAMP*", true},
        {"CAMP12", "CAMP*", true},
        {"camp3", "CAMP*", true},
        {"CAMPAIGN.TXT", "CAMP*", true},
        {"XCAMP1", "CAMP*", false},
        {"S1.TXT", "S*.TXT", true},
        {"s10.txt", "S*.TXT", true},
        {"S.TXT", "S*.TXT", true},
        {"T1.TXT", "S*.TXT", false},
        {"S1.DAT", "S*.TXT", false},
        {"S1.TXT.BAK", "S*.TXT", false},
        {"S1.A.TXT", "S*.TXT", true},
        {"a.b.c", "*", true},
        {"Night Raid", "*.*", true},
        {"x.txt", "*.*", true},
        {"S1", "S*.*", true},
        {"BATTLE3001.TXT", "BATTLE*.TXT", true},
        {"BATTLE.TXT", "BATTLE?*.TXT", false},
        {"S1.TXT", "?1.TXT", true},
        {"S10.TXT", "?1.TXT", false},
        {"", "*", true},
        {"abc", "", false},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*c", false},
        // File names are UTF-8: "?" is one character, case ignored where 1252 holds the letter.
        {"\xC3\x9C"
         "berfall.txt",
         "?berfall.TXT", true},
        {"\xC3\xBC"
         "berfall",
         "\xC3\x9C"
         "BER*",
         true},
        {"\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B", "\xD0\x98???", true},
        {"\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B", "\xD0\xB8*", false},
    };
    for (const Case& c : cases) EXPECT_EQ(matchesMask(c.name, c.mask), c.match) << c.name << " ~ " << c.mask;
}
