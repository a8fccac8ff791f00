#include <gtest/gtest.h>

#include "core/platform/codepage.h"

using namespace hartool::platform;

TEST(CodePage, FoldsWindows1252LettersOnly) {
    struct Case {
        const char* lower;
        const char* upper;
    };
    // a-z, the accented letters, s/z caron, oe, y diaeresis; digits, signs and sharp s stay as they are.
    const Case cases[] = {
        {"harvane! 1.3b", "HARVANE! 1.3B"},
        {"\xE4\xF6\xFC\xE9\xE8\xE7\xF1\xFE", "\xC4\xD6\xDC\xC9\xC8\xC7\xD1\xDE"},
        {"\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F"},
        {"\xDF\xF7\xB5", "\xDF\xF7\xB5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(upper1252(std::string_view(c.lower)), c.upper) << c.lower;
        EXPECT_TRUE(iequals1252(c.lower, c.upper)) << c.lower;
    }
    EXPECT_EQ(lower1252('\xD7'), '\xD7');  // multiplication sign is no letter
    EXPECT_EQ(lower1252('\xC4'), '\xE4');
    EXPECT_FALSE(iequals1252("CAMP1", "CAMP10"));
}

TEST(CodePage, FoldingInPlaceAgreesWithTheCharacterRuleAtEveryPosition) {
    // Runs of ASCII are folded eight at a time: every byte, at every offset in such a run and next to a byte
    // from the upper half, must fold as the one-character rule says.
    std::string all;
    for (int round = 0; round < 3; ++round)
        for (int b = 0; b < 256; ++b) all += static_cast<char>((b * 7 + round * 31) % 256);
    all += "abcdefghijklmnopqrstuvwxyz@[`{";
    for (std::size_t start = 0; start < 9; ++start) {
        std::string text = all.substr(start);
        std::string expected = text;
        for (char& c : expected) c = upper1252(c);
        upper1252InPlace(text.data(), text.size());
        ASSERT_EQ(text, expected) << start;
    }
}

TEST(CodePage, EveryByteSurvivesTheRoundTripThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    bool ok = false;
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all), &ok), all);
    EXPECT_TRUE(ok);
    EXPECT_EQ(cp1252ToUtf8("\x80\xE4"), "\xE2\x82\xAC\xC3\xA4");  // euro sign, a umlaut
}

TEST(CodePage, UnmappableAndBrokenUtf8BecomeQuestionMarks) {
    bool ok = true;
    EXPECT_EQ(utf8ToCp1252("a\xE4\xB8\xAD"
                           "b",
                           &ok),
              "a?b");  // a CJK character
    EXPECT_FALSE(ok);
    EXPECT_EQ(utf8ToCp1252("x\xC3", &ok), "x?");  // cut sequence
    EXPECT_FALSE(ok);
    // Overlong forms of "\\", "/" and NUL, and a surrogate, never decode to those characters.
    for (const char* bad : {"\xC1\x9C", "\xC0\xAF", "\xC0\x80", "\xE0\x80\xAF", "\xED\xA0\x80"}) {
        std::string out = utf8ToCp1252(bad, &ok);
        EXPECT_EQ(out.find_first_of(std::string("\\/\0", 3)), std::string::npos) << out;
        EXPECT_FALSE(ok);
    }
    EXPECT_FALSE(ok);
}

TEST(CodePage, FileNamesFoldWhere1252HoldsTheLetterAndCrossToGameNamesWhereItSpellsThem) {
    struct Case {
        std::string file;   // UTF-8, or bytes that are not
        std::string upper;  // upperFileName
        std::string game;   // gameNameOf; "" when 1252 cannot spell it
    };
    const Case cases[] = {
        {"s01.txt", "S01.TXT", "s01.txt"},
        {"\xC3\xBC"
         "berfall",
         "\xC3\x9C"
         "BERFALL",
         "\xFC"
         "berfall"},                                                                   // "überfall"
        {"\xC5\x93\xC3\xBF", "\xC5\x92\xC5\xB8", "\x9C\xFF"},                          // oe, y diaeresis
        {"\xD0\xB8\xD0\xB3\xD1\x80\xD1\x8B", "\xD0\xB8\xD0\xB3\xD1\x80\xD1\x8B", ""},  // "игры": as it is
        {"a\xC1\x9C"
         "b",
         "A\xC1\x9C"
         "B",
         ""},                                              // not UTF-8: kept
        {"x\xF0\x9F\x98\x80y", "X\xF0\x9F\x98\x80Y", ""},  // beyond the basic plane
    };
    for (const Case& c : cases) {
        EXPECT_EQ(upperFileName(c.file), c.upper) << c.file;
        EXPECT_TRUE(iequalsFileName(c.file, c.upper)) << c.file;
        bool spellable = false;
        const std::string game = gameNameOf(c.file, &spellable);
        EXPECT_EQ(spellable, !c.game.empty()) << c.file;
        if (spellable) {
            EXPECT_EQ(game, c.game);
            EXPECT_EQ(fileNameOf(game), c.file);
        }
        EXPECT_EQ(isUtf8(c.file), c.file.find('\xC1') == std::string::npos) << c.file;
    }
    EXPECT_FALSE(iequalsFileName("\xD0\x98", "\xD0\xB8"));  // Cyrillic I: 1252 lacks it, case counts
}

TEST(CodePage, Utf16AndUtf8CarryEveryNameWithoutLoss) {
    const std::u16string names[] = {
        u"caf\u00E9",        u"\u0418\u0433\u0440\u044B", u"\U0001F600",
        u"lone \xD800 high", u"lone \xDC00 low",          u"",
    };
    for (const std::u16string& name : names) {
        const std::string utf8 = utf16ToUtf8(name);
        EXPECT_EQ(utf8ToUtf16(utf8), name);
    }
    EXPECT_EQ(utf16ToUtf8(u"\u0418\U0001F600"), "\xD0\x98\xF0\x9F\x98\x80");
    EXPECT_EQ(utf8ToUtf16("a\xC1\x9C"), u"a\uFFFD\uFFFD");  // no character hides in an overlong form
}
