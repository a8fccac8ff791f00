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
