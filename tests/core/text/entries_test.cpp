#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "core/platform/codepage.h"
#include "core/text/chunkedfilesystem.h"
#include "core/text/entries.h"
#include "core/text/foldsearch.h"
#include "core/text/sections.h"
#include "support/failingfilesystem.h"
#include "support/tempdir.h"

using namespace hartool;
using test::TempDir;

namespace {

std::vector<std::string> linesOf(const Token& t) {
    std::vector<std::string> out;
    for (std::size_t i = 1; i <= t.ANZAHL(); ++i) out.emplace_back(t.GETTOKEN(i));
    return out;
}

class EntriesTest : public ::testing::Test {
  protected:
    TempDir dir;
};

}  // namespace

TEST(Txt2TokenTest, DropsEmptyLinesAndRejoinsWithCrLf) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
        std::string joined;
    };
    const Case cases[] = {
        {"line1\n\nline2\n", {"line1", "line2", ""}, "line1\r\nline2\r\n"},
        {"a\r\n\r\nb\r\n", {"a", "b", ""}, "a\r\nb\r\n"},
        {"\r\n\r\na", {"", "a"}, "\r\na"},
        {"a\n\r\n\nb", {"a", "b"}, "a\r\nb"},
        {"a\r\r\nb\rc", {"a", "b", "c"}, "a\r\nb\r\nc"},
        {"a\rb\r\rc\r", {"a", "b", "c", ""}, "a\r\nb\r\nc\r\n"},
        {"\r", {""}, ""},
        {"", {""}, ""},
        {"\r\n", {""}, ""},
        {"\n\r\n", {"", ""}, "\r\n"},
    };
    for (const Case& c : cases) {
        Token t = TXT2TOKEN(c.text);
        EXPECT_EQ(linesOf(t), c.lines) << c.text;
        EXPECT_EQ(t.TOKENSTRING(), c.joined) << c.text;
    }
    // Against the description: replace every "\r\n", then every lone "\r", by "\n", split at "\n".
    std::mt19937 rng(7);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = static_cast<int>(rng() % 12); i > 0; --i) text += "a\r\n"[rng() % 3];
        std::string normal;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
                normal += text[i] == '\r' ? '\n' : text[i];
        ASSERT_EQ(linesOf(TXT2TOKEN(text)), linesOf(Token(normal, "\n"))) << testing::PrintToString(text);
    }
    EXPECT_EQ(TXT2TOKEN(std::string(70000, '\n') + "x\r\ny").ANZAHL(), 3u);
}

TEST_F(EntriesTest, ReadsTheEntryLineUpToItsLineEnd) {
    struct Case {
        std::string text, name;
        std::size_t word;
        std::string value;
    };
    const std::string raid = "TITLE: Night Raid\r\nSIDE: 1\r\n";
    const Case cases[] = {
        {raid, "TITLE", 0, "Night Raid"},
        {raid, "side", 0, "1"},
        {raid, " TITLE ", 2, "Raid"},
        {raid, "TITLE", 3, ""},
        {"TITLE:Night", "TITLE", 0, "Night"},
        {"TITLE  : Night ", "TITLE", 0, "Night"},
        {"TITLE Night\r\nX: y", "TITLE", 0, ""},
        {"TITLE: A: B", "TITLE", 0, "A"},
        {"TITLE: x", "", 0, ""},
        {"SUBTITLE: x\r\nTITLE: y", "TITLE", 0, "y"},  // a line that begins with the name wins
        {"SUBTITLE: x\r\n", "TITLE", 0, "x"},          // else the first occurrence anywhere
        {"TITLE: Riverside Assault\r\nSIDE: 1\r\n", "SIDE", 0, "1"},
        {"TITLE: Riverside Assault\r\nSIDE: 1\r\n", "TITLE", 0, "Riverside Assault"},
        {"TITLE: Inside the Wire\r\nSIDE: 0", "side", 0, "0"},
        {"TITLE: Inside\rSIDE: 2\r\n", "SIDE", 0, "2"},  // a CR starts a line, too
        {"x SIDE: 9\r\n \t SIDE: 2\r\n", "SIDE", 0, "2"},
        {"SIDEBAR: 5\r\nSIDE\t: 3", "SIDE", 0, "3"},
        {"SIDEBAR: 5\r\n", "SIDE", 0, "5"},
        {"x SIDE: 1\nSIDE", "SIDE", 0, ""},  // the name alone on the last line
        {"BATTLESIZE: 1 2\r\nBATTLEFIELD: 0 3 4", "BATTLEFIELD", 3, "4"},
        {"TITL\r\nTITTITLE: a b\r\nTITLE: c d\r\n", "TITLE", 2, "d"},  // near misses first
        {"TITL\r\nTITTITLE: a b\r\n", "TITLE", 2, "b"},
        {"xx\r\ntitle\r\n\r\n: v\r\n", "TITLE", 0, ""},
        {"side:1\r\r\nSIDE: 2", "SIDE", 0, "1"},  // a CR alone ends a line as well
        {"SIDE: 3\r", "SIDE", 0, "3"},
        {"TITLE: Inside\rSIDE: 2\r", "TITLE", 0, "Inside"},
        {"x SIDE: 3 y\r\n", "side: 3", 0, "3 y"},
        {"\xE9tat: un\r\n", "\xC9TAT", 0, "un"},  // Windows-1252 letters fold
        {"\xFF\x9A: y\r\n", "\x9F\x8A", 0, "y"},
        {"\xF7: no\r\n\xD7: yes", "\xD7", 0, "yes"},  // division and multiplication signs do not
        {std::string(100000, 'S') + "SIDE:: w1  w2 :x\r\n", "side", 2, "w2"},
    };
    test::ChunkedFileSystem fs;
    for (const Case& c : cases) {
        std::string path = dir.write("m.txt", c.text);
        // Names and line ends fall on every chunk boundary.
        for (std::size_t chunk : {1, 2, 3, 4, 5, 6, 7, 8, 9, 4096, 1 << 30}) {
            fs.chunk = chunk;
            EXPECT_EQ(GETENTRY(path, c.name, c.word), c.value) << c.text.substr(0, 40) << c.name << chunk;
        }
    }
    dir.write("Data/Player/S01.TXT", "TITLE: Found\r\n");
    EXPECT_EQ(GETTITLE(dir.folder() + "DATA\\PLAYER\\s01.txt"), "Found");
    EXPECT_EQ(GETTITLE(dir.folder() + "missing.txt"), "");
}

TEST_F(EntriesTest, FindsTheEntryByTheRuleWrittenOutPlainly) {
    // The place of name in text: the first that begins a line and ends at a blank, a colon or a line end,
    // else the first of all.
    auto reference = [](const std::string& text, const std::string& name) {
        const std::string upper = platform::upper1252(text), key = platform::upper1252(name);
        std::size_t first = std::string::npos;
        for (std::size_t p = 0; p + key.size() <= text.size(); ++p) {
            if (upper.compare(p, key.size(), key) != 0) continue;
            if (first == std::string::npos) first = p;
            std::size_t b = p;
            while (b > 0 && (text[b - 1] == ' ' || text[b - 1] == '\t')) --b;
            const std::size_t e = p + key.size();
            if ((b == 0 || text[b - 1] == '\r' || text[b - 1] == '\n') &&
                (e == text.size() || std::string_view(" \t:\r\n").find(text[e]) != std::string_view::npos))
                return p;
        }
        return first;
    };
    const std::string pieces[] = {"SIDE", "side", "SIDE:", "S",  "I",    "DE", " ",
                                  "\t",   ":",    "\r",    "\n", "\r\n", "x",  "7"};
    std::mt19937 rng(11);
    test::ChunkedFileSystem fs;
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int i = static_cast<int>(rng() % 14); i > 0; --i) text += pieces[rng() % std::size(pieces)];
        const std::size_t at = reference(text, "Side");
        ASSERT_EQ(findEntry(text, "Side"), at) << testing::PrintToString(text);
        // The line ends at CR or LF.
        const std::string line =
            at == std::string::npos ? "" : text.substr(at, text.find_first_of("\r\n", at) - at);
        const std::string path = dir.write("m.txt", text);
        for (std::size_t chunk : {1, 2, 3, 4, 5, 7, 4096}) {
            fs.chunk = chunk;
            ASSERT_EQ(GETENTRY(path, "Side"), GETWERT(line)) << testing::PrintToString(text) << chunk;
        }
    }
}

TEST_F(EntriesTest, ReadsOnlyAsFarAsTheEntryLine) {
    const std::string filler(4 << 20, 'x');
    const std::string text = "TITLE: First\r\n" + filler + "\r\nLAST: end\r\n" + filler;
    std::string path = dir.write("big.txt", text);
    test::ChunkedFileSystem fs;
    fs.chunk = 1 << 30;
    EXPECT_EQ(GETTITLE(path), "First");
    EXPECT_LE(fs.readFromDisk, 64u << 10);
    fs.readFromDisk = 0;
    EXPECT_EQ(GETENTRY(path, "last"), "end");
    EXPECT_LT(fs.readFromDisk, text.size() - (2 << 20));
}

TEST_F(EntriesTest, PutEntryKeepsWhatPrecedesAndNormalisesWhatFollows) {
    const std::string dashes(70000, '-');
    struct Case {
        std::string before, name, value, after;
    };
    const Case cases[] = {
        {"SIDE: 0\r\n\r\nTITLE: Old\r\n\r\nX: 1\r\n", "title", "New",
         "SIDE: 0\r\n\r\nTITLE: New\r\nX: 1\r\n"},  // the empty line before survives, the one after does not
        {"SIDE: 1\r\nTITLE: Old", "TITLE", "New", "SIDE: 1\r\nTITLE: New\r\n"},
        {"A SUBtitle: x\nB\n\nC", " Title ", "y", "A SUBTITLE: y\r\nB\r\nC"},
        {"\xE9tat: 1\r\n", "\xE9tat", "2", "\xC9TAT: 2\r\n"},
        {dashes + "\r\nSide: 0\r\nZ", "SIDE", "1", dashes + "\r\nSIDE: 1\r\nZ"},
        // The side line changes, not the title that holds the name inside a word.
        {"TITLE: Riverside Assault\r\nSIDE: 0\r\nX: 1\r\n", "SIDE", "1",
         "TITLE: Riverside Assault\r\nSIDE: 1\r\nX: 1\r\n"},
        {"TITLE: Inside the Wire\r\n\r\n  side: 1\r\n", "side", "0",
         "TITLE: Inside the Wire\r\n\r\n  SIDE: 0\r\n"},
    };
    test::FailingFileSystem fs;
    for (const Case& c : cases) {
        std::string path = dir.write("m.txt", c.before);
        EntryWrite r = PUTENTRY(path, c.name, c.value);
        EXPECT_TRUE(r.outcome == EntryWrite::Outcome::WRITTEN && r.status) << c.before.substr(0, 30);
        EXPECT_EQ(r.text, c.after);
        EXPECT_EQ(dir.read("m.txt"), c.after);
    }

    // Absent entries and unreadable files are never written, and never reported as written; a failed
    // write keeps the file and says why.
    fs.failOn(test::FailingFileSystem::Op::Write, "m.txt", "disk full");
    std::string path = dir.write("m.txt", "SIDE: 0\r\n\r\n");
    EntryWrite absent = PUTENTRY(path, "TITLE", "x");
    EXPECT_EQ(absent.outcome, EntryWrite::Outcome::NO_ENTRY);
    EXPECT_FALSE(absent.status);
    EXPECT_NE(absent.status.error.find("TITLE"), std::string::npos) << absent.status.error;
    EXPECT_EQ(absent.text, "SIDE: 0\r\n\r\n");
    EntryWrite missing = PUTENTRY(dir.folder() + "none.txt", "TITLE", "x");
    EXPECT_EQ(missing.outcome, EntryWrite::Outcome::FAILED);
    EXPECT_NE(missing.status.error.find("none.txt"), std::string::npos) << missing.status.error;
    EXPECT_FALSE(dir.exists("none.txt"));
    ASSERT_TRUE(platform::makeFolder(dir.folder() + "folder.txt"));
    EntryWrite unreadable = PUTENTRY(dir.folder() + "folder.txt", "TITLE", "x");
    EXPECT_EQ(unreadable.outcome, EntryWrite::Outcome::FAILED);
    EXPECT_NE(unreadable.status.error.find("folder"), std::string::npos) << unreadable.status.error;
    EXPECT_EQ(fs.failures(), 0);
    EntryWrite failed = PUTENTRY(path, "side", "1");
    EXPECT_EQ(failed.outcome, EntryWrite::Outcome::FAILED);
    EXPECT_FALSE(failed.status);
    EXPECT_EQ(failed.status.error, "disk full");
    EXPECT_EQ(dir.read("m.txt"), "SIDE: 0\r\n\r\n");
    EXPECT_FALSE(WRITESTRING(path, "x"));
    EXPECT_TRUE(WRITESTRING(dir.folder() + "OTHER.TXT", "y\r\n"));
    EXPECT_EQ(dir.read("OTHER.TXT"), "y\r\n");
}

TEST(NumberTest, EndNummerAndVollzahlOnTheirBoundaries) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    const std::pair<std::string, std::int64_t> ends[] = {
        {"BATTLE12", 12},
        {"BATTLE007", 7},
        {"CAMP3A", 0},
        {"", 0},
        {"12", 12},
        {"CAMP", 0},
        {"A-5", 5},
        {"x9223372036854775807", kMax},
        {"x9223372036854775808", kMax},
        {"99999999999999999999999", kMax},
        {"0000000000000000000000000042", 42},
        {"\xB2", 0},
    };
    for (const auto& [name, value] : ends) EXPECT_EQ(ENDNUMMER(name), value) << name;

    const std::tuple<std::int64_t, std::string, std::string> pictures[] = {
        {12, "9999", "0012"},     {345, "9999", "0345"},
        {3092, "9999", "3092"},   {0, "9999", "0000"},
        {12345, "9999", "12345"}, {-12, "9999", "-012"},
        {-1234, "9999", "-1234"}, {7, "", "7"},
        {5, "9,999", "0005"},     {std::numeric_limits<std::int64_t>::min(), "99", "-9223372036854775808"},
    };
    for (const auto& [number, picture, text] : pictures) EXPECT_EQ(VOLLZAHL(number, picture), text) << number;
}

TEST(SortThreeTest, SortsTheOthersAlongWithTheKeys) {
    std::vector<std::string> keys{"b", "\xE9t\xE9", "a", "c", "a"};
    const std::vector<std::string> second{"B", "E", "A1", "C", "A2"};
    const std::vector<std::string> third{"1", "2", "3"};
    SortedThree s = SORTTHREE(keys, second, third);
    const std::vector<std::string> sorted{"a", "a", "b", "c", "\xE9t\xE9"};
    EXPECT_EQ(keys, sorted);
    EXPECT_EQ(s.keys, sorted);
    EXPECT_EQ(s.second, (std::vector<std::string>{"A1", "A2", "B", "C", "E"}));
    EXPECT_EQ(s.third, (std::vector<std::string>{"3", "", "1", "", "2"}));
    EXPECT_EQ(second[0], "B");
    std::vector<std::string> none;
    EXPECT_TRUE(SORTTHREE(none, {}, {}).keys.empty());
}
