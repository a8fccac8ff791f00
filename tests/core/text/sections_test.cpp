#include <gtest/gtest.h>

#include <random>

#include "core/platform/codepage.h"
#include "core/text/chunkedfilesystem.h"
#include "core/text/entries.h"
#include "core/text/foldsearch.h"
#include "core/text/sections.h"
#include "support/tempdir.h"

using namespace hartool;
using test::TempDir;

TEST(SectionsTest, GetSectionRunsFromItsNameToTheNextBracket) {
    const std::string misc = "[Misc]\r\nA=1\r\n[Briefing]\r\nB=2\r\n";
    struct Case {
        std::string text, name, section;
    };
    const Case cases[] = {
        {misc, "misc", "[Misc]\r\nA=1\r\n"},
        {misc, " briefing ", "[Briefing]\r\nB=2\r\n"},
        {misc, "red", ""},
        {"[BRIEFING2]\r\nx\r\n[BRIEFING]\r\ny", "Briefing", "[BRIEFING2]\r\nx\r\n"},
        {"[BLUE_BRIEFING]\r\nx\r\n", "BRIEFING", ""},
        {"[A]\r\nText = a [b] c\r\n[B]\r\n", "a", "[A]\r\nText = a "},
        {"x[[y[z", "", "[[y"},  // the next "[" is looked for from the third character
        {"[\xC9t\xE9]\r\n", "\xE9T\xC9", "[\xC9t\xE9]\r\n"},
        {std::string(70000, 'x') + "[Red]\r\nr=1\r\n[", "RED", "[Red]\r\nr=1\r\n"},
    };
    TempDir dir;
    test::ChunkedFileSystem fs;
    for (const Case& c : cases) {
        std::string path = dir.write("b.txt", c.text);
        for (std::size_t chunk : {1, 2, 3, 4096, 1 << 30}) {
            fs.chunk = chunk;
            EXPECT_EQ(GETSECTION(path, c.name), c.section) << c.text.substr(0, 30) << c.name << chunk;
        }
    }
    EXPECT_EQ(GETSECTION(dir.folder() + "none.txt", "misc"), "");
}

TEST(SectionsTest, GetWertReadsTheValueUpToASecondSeparator) {
    struct Case {
        std::string line;
        std::size_t word;
        std::string separator, value;
    };
    const Case cases[] = {
        {"KEY: 100  200 300", 2, ":", "200"}, {"KEY: 100  200 300", 0, ":", "100  200 300"},
        {"KEY: 100  200 300", 4, ":", ""},    {"LINE=10 20 30 40", 3, "=", "30"},
        {"no separator", 0, ":", ""},         {"KEY: 1 2: x", 0, ":", "1 2"},
        {"KEY::: v ", 1, ":", "v"},           {":", 0, ":", ""},
        {"Text = a, b", 0, "=", "a, b"},      {"KEY:   ", 1, ":", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(GETWERT(c.line, c.word, c.separator), c.value) << c.line;
}

TEST(SectionsTest, PutWertKeepsTheKeyPartAndRejoinsTheWords) {
    struct Case {
        std::string line;
        std::size_t word;
        std::string newWord, result;
    };
    const Case cases[] = {
        {"KEY:  2  5", 1, "7", "KEY: 7 5"},  {"  KEY:a b", 2, "c", "  KEY: a c"},
        {"KEY: 1 2: x", 1, "9", "KEY: 9 2"}, {"PLATOON : 17 1 2", 1, "21", "PLATOON : 21 1 2"},
        {"KEY:  1   2", 0, "9", "KEY: 1 2"}, {"KEY:  1   2", 3, "9", "KEY: 1 2"},
        {"KEY", 1, "9", "KEY: 9"},
    };
    for (const Case& c : cases) EXPECT_EQ(PUTWERT(c.line, c.word, c.newWord), c.result) << c.line;

    Token lines = TXT2TOKEN("TITLE: T\r\nPLATOON:  17 5\r\n");
    lines.REPLACETOKEN(2, PUTWERT(lines.GETTOKEN(2), 1, "21"));
    EXPECT_EQ(lines.TOKENSTRING(), "TITLE: T\r\nPLATOON: 21 5\r\n");
}

TEST(FoldedSearchTest, FindsWhatAnUpperCasedCopyWould) {
    std::mt19937 rng(11);
    const std::string alphabet = "aAb\xE9\xC9[:";
    auto random = [&](std::size_t n) {
        std::string s;
        for (std::size_t i = 0; i < n; ++i) s += alphabet[rng() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 3000; ++round) {
        std::string text = random(rng() % 40), pattern = random(1 + rng() % 4);
        if (round % 3 == 0) {  // long near misses, so that the linear search takes over
            const char repeated = round % 2 ? 'a' : '[';
            text.assign(300 + rng() % 300, repeated);
            for (char& c : text) c = rng() % 60 == 0 ? 'b' : c;
            pattern = std::string(rng() % 30, repeated) + "b" + std::string(rng() % 3, repeated);
        }
        const std::size_t from = rng() % 8;
        const std::size_t expected = platform::upper1252(text).find(platform::upper1252(pattern), from);
        ASSERT_EQ(FoldedSearch(pattern).find(text, from), expected)
            << text << " / " << pattern << " " << from;
    }
    const std::string many(20000, 'a');
    EXPECT_EQ(FoldedSearch(std::string(300, 'A') + "bA").find(many + "ba" + many), 20000u - 300u);
    EXPECT_EQ(FoldedSearch("").find("abc"), std::string::npos);
}
