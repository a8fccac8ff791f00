#include <gtest/gtest.h>

#include "core/platform/profile.h"
#include "support/failingfilesystem.h"
#include "support/tempdir.h"

using namespace hartool::platform;
using hartool::test::TempDir;

TEST(Profile, ReadsByThePrivateProfileRules) {
    const std::string ini =
        "; comment\r\n"
        "[Other]\r\n"
        "PATH=wrong section\r\n"
        "[tool]\r\n"
        "  Path  =   \"C:\\GAMES\\HARVANE!\\\"   \r\n"
        "PATH=second key loses\r\n"
        "Campaign='20th Guards Army (RUS)'\r\n"
        "Quote=\"only one pair\"\"\r\n"
        "Mixed=\"a'\r\n"
        "Eq=a=b=c\r\n"
        "Empty=\r\n"
        "NoEquals\r\n"
        "[TOOL]\r\n"
        "Late=second section is never read\r\n";
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"TOOL", "PATH", "C:\\GAMES\\HARVANE!\\"},
        {" Tool ", "path", "C:\\GAMES\\HARVANE!\\"},
        {"TOOL", "CAMPAIGN", "20th Guards Army (RUS)"},
        {"TOOL", "Quote", "only one pair\""},
        {"TOOL", "Mixed", "\"a'"},
        {"TOOL", "Eq", "a=b=c"},
        {"TOOL", "Empty", ""},
        {"TOOL", "NoEquals", ""},
        {"TOOL", "Late", ""},
        {"OTHER", "PATH", "wrong section"},
        {"MISSING", "PATH", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(profileValue(ini, c.section, c.key), c.value) << c.section << "/" << c.key;
}

TEST(Profile, EndsLinesAtCrLfAtLfAndAtCr) {
    struct Case {
        const char* name;
        const char* text;
    };
    const Case cases[] = {
        {"CR LF", "[A]\r\nk=v\r\n[B]\r\nk=w\r\n"},
        {"LF", "[A]\nk=v\n[B]\nk=w\n"},
        {"CR", "[A]\rk=v\r[B]\rk=w\r"},
        {"mixed", "[A]\rk=v\r\n[B]\nk=w"},
        {"CR before CR LF", "[A]\r\r\nk=v\r\r\n[B]\r\r\nk=w"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(profileValue(c.text, "a", "K"), "v") << c.name;
        EXPECT_EQ(profileValue(c.text, "B", "k"), "w") << c.name;
    }
}

TEST(Profile, CutsValuesAt1023CharactersUnlessToldOtherwise) {
    std::string text = "[Briefing 0]\r\nText=" + std::string(2000, 'x') + "\r\n";
    EXPECT_EQ(profileValue(text, "Briefing 0", "Text").size(), 1023u);
    EXPECT_EQ(profileValue(text, "Briefing 0", "Text", std::string::npos).size(), 2000u);
}

TEST(Profile, WriterKeepsEveryOtherLine) {
    struct Case {
        const char* name;
        const char* before;
        const char* section;
        const char* key;
        const char* value;
        const char* after;
    };
    const Case cases[] = {
        {"new file", "", "TOOL", "PATH", "C:\\X\\", "[TOOL]\r\nPATH=C:\\X\\\r\n"},
        {"replace in place", "; mine\r\n[tool]\r\n path = old \r\nCAMPAIGN=x\r\n", "TOOL", "PATH", "new",
         "; mine\r\n[tool]\r\n path = new\r\nCAMPAIGN=x\r\n"},
        {"key keeps its spelling", "[TOOL]\r\nPath=old\r\n", "TOOL", "PATH", "new", "[TOOL]\r\nPath=new\r\n"},
        {"blanks around '=' kept", "[TOOL]\r\n\tPath \t=\t old", "TOOL", "path", "new",
         "[TOOL]\r\n\tPath \t=\t new\r\n"},
        {"empty value", "[TOOL]\r\nPath=\r\n", "TOOL", "PATH", "new", "[TOOL]\r\nPath=new\r\n"},
        {"blanks only", "[TOOL]\r\nPath =  \r\n", "TOOL", "PATH", "new", "[TOOL]\r\nPath =  new\r\n"},
        {"replace keeps a CR line end", "[A]\rk=1\r[B]", "A", "K", "2", "[A]\rk=2\r[B]"},
        {"append after a CR line end", "[A]\rk=1\r\r[B]\rx=2\r", "A", "j", "3",
         "[A]\rk=1\rj=3\r\n\r[B]\rx=2\r"},
        {"append after a last CR", "[TOOL]\r\nPATH=C:\\GAME\r", "TOOL", "CAMPAIGN", "2",
         "[TOOL]\r\nPATH=C:\\GAME\rCAMPAIGN=2\r\n"},
        {"append to its section", "[TOOL]\r\nPATH=p\r\n\r\n[Other]\r\na=1\r\n", "TOOL", "CAMPAIGN", "c",
         "[TOOL]\r\nPATH=p\r\nCAMPAIGN=c\r\n\r\n[Other]\r\na=1\r\n"},
        // A new section gets one line break before it, and only when the text lacks a final one.
        {"section after a last line without break", "[Other]\r\na=1", "TOOL", "PATH", "p",
         "[Other]\r\na=1\r\n[TOOL]\r\nPATH=p\r\n"},
        {"section after CR LF", "[Other]\r\na=1\r\n", "TOOL", "PATH", "p",
         "[Other]\r\na=1\r\n[TOOL]\r\nPATH=p\r\n"},
        {"section after LF", "[Other]\na=1\n", "TOOL", "PATH", "p", "[Other]\na=1\n[TOOL]\r\nPATH=p\r\n"},
        {"section after CR", "[Other]\ra=1\r", "TOOL", "PATH", "p", "[Other]\ra=1\r[TOOL]\r\nPATH=p\r\n"},
        {"section after a blank line", "a=1\r\n\r\n", "TOOL", "PATH", "p", "a=1\r\n\r\n[TOOL]\r\nPATH=p\r\n"},
        {"last line without break", "[TOOL]\r\nPATH=p", "TOOL", "CAMPAIGN", "c",
         "[TOOL]\r\nPATH=p\r\nCAMPAIGN=c\r\n"},
        {"first of two sections", "[TOOL]\r\nA=1\r\n[TOOL]\r\nB=2\r\n", "tool", "B", "3",
         "[TOOL]\r\nA=1\r\nB=3\r\n[TOOL]\r\nB=2\r\n"},
        {"line breaks in a value", "", "TOOL", "PATH", "a\r\nb",
         "[TOOL]\r\nPATH=a  b\r\n"},  // Its own leading blanks once added to the file's on every rewrite.
        {"value with leading blanks replaced", "[TOOL]\r\nPATH= x\r\n", "TOOL", "PATH", " x",
         "[TOOL]\r\nPATH= x\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(withProfileValue(c.before, c.section, c.key, c.value), c.after) << c.name;
}

TEST(Profile, EnvironmentFunctionsGoThroughTheFileSystem) {
    TempDir dir;
    std::string ini = dir.folder() + "HARTOOL.INI";
    EXPECT_EQ(GETENVIRONMENT("TOOL", "PATH", ini), "");
    ASSERT_TRUE(WRITEENVIRONMENT("TOOL", "PATH", "C:\\GAME\\", ini));
    ASSERT_TRUE(
        WRITEENVIRONMENT("TOOL", "CAMPAIGN", "5th Panzer Division (GER)", dir.folder() + "hartool.ini"));
    EXPECT_EQ(dir.read("HARTOOL.INI"), "[TOOL]\r\nPATH=C:\\GAME\\\r\nCAMPAIGN=5th Panzer Division (GER)\r\n");
    EXPECT_EQ(GETENVIRONMENT("tool", "campaign", dir.folder() + "Hartool.Ini"), "5th Panzer Division (GER)");

    // A key added behind a last line ended by a lone CR stays a line of its own.
    dir.write("CR.INI", "[TOOL]\r\nPATH=C:\\GAME\r");
    ASSERT_TRUE(WRITEENVIRONMENT("TOOL", "CAMPAIGN", "2", dir.folder() + "CR.INI"));
    EXPECT_EQ(GETENVIRONMENT("TOOL", "PATH", dir.folder() + "CR.INI"), "C:\\GAME");
    EXPECT_EQ(GETENVIRONMENT("TOOL", "CAMPAIGN", dir.folder() + "CR.INI"), "2");

    // An unchanged value costs no write at all; a changed one reports the failed write.
    hartool::test::FailingFileSystem failing;
    failing.failOn(hartool::test::FailingFileSystem::Op::Write, "HARTOOL.INI", "disk full");
    EXPECT_TRUE(WRITEENVIRONMENT("TOOL", "PATH", "C:\\GAME\\", ini));
    Status s = WRITEENVIRONMENT("TOOL", "PATH", "D:\\", ini);
    EXPECT_FALSE(s);
    EXPECT_EQ(s.error, "disk full");
    EXPECT_EQ(GETENVIRONMENT("TOOL", "PATH", ini), "C:\\GAME\\");
}

// Texts where a reader that splits a text once could part from one that searches it for every value.
const char* const kTrickyTexts[] = {
    "[A]\r\nk=v\r\n[B]\r\nk=w\r\n",
    "[A]\nk=v\n[B]\nk=w",
    "[A]\rk=v\r[B]\rk=w\r",
    "[A]\r\r\nk=v\r\r\n[ B ]\r\n  K  =  ' quoted '  \r\n",
    "[a]\r\nK=first\r\nk=second\r\n[A]\r\nk=other section\r\nlate=never\r\n",
    "k=before any section\r\n[A]\r\n;k=comment\r\nk\r\nk =\r\n",
    "[A\r\nk=unclosed header\r\n[B]] tail\r\nk=w\r\n  [C]  \r\nk=\"x\"\"\r\n",
    "[]\r\nk=empty name\r\n[A]\r\nk = a = b\r\n\t[B]\tk=tab\r\nk=\t\"\"\r\n",
    "[Misc]\r\ncutscene = intro.avi\r\n[Briefing 0]\r\nText = 1, 1, a [bracket] inside\r\n[ Briefing 1 ]",
    "",
    "\r\n\r\n",
    "[\xC4rger]\r\n\xE4K=umlaut\r\n",
};

TEST(ProfileSections, AnswerAsTheProfileReaderDoes) {
    const char* const sections[] = {"A",    "a",          " B ",        "C",        "",
                                    "Misc", "Briefing 0", "Briefing 1", "\xE4RGER", "missing"};
    const char* const keys[] = {"k", "K", " k ", "late", "cutscene", "Text", "\xC4k", "missing"};
    for (const char* text : kTrickyTexts) {
        const ProfileSections split(text);
        for (const char* section : sections)
            for (const char* key : keys)
                for (std::size_t limit : {kProfileValueLimit, std::size_t{1}})
                    EXPECT_EQ(split.value(section, key, limit), profileValue(text, section, key, limit))
                        << testing::PrintToString(std::string(text)) << " [" << section << "] " << key;
    }
}

// A file read in pieces gives the lines its whole text gives, also where a line or a CR LF crosses a piece.
TEST(ProfileSections, LinesOfAFileReadInPiecesAreTheLinesOfItsText) {
    TempDir dir;
    auto crossing = [](std::size_t at, const char* end) {
        std::string text(at - 1, 'a');
        return text + end + std::string(9000, 'b') + "\r\n\r\nlast";
    };
    const std::string texts[] = {crossing(512, "\r\n"), crossing(513, "\r\n"),          crossing(512, "\r\r"),
                                 crossing(512, "\n\n"), std::string(70000, 'c') + "\r", kTrickyTexts[3]};
    for (const std::string& text : texts) {
        std::vector<std::string> whole, pieces;
        forEachProfileLine(text, [&](std::string_view line) { whole.emplace_back(line); });
        const ReadResult r = forEachProfileLineOfFile(
            dir.write("f.txt", text), [&](std::string_view line) { pieces.emplace_back(line); });
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(pieces, whole) << text.size();
    }
}

namespace {

std::string utf16(std::u16string_view units) {
    std::string out = "\xFF\xFE";
    for (const char16_t unit : units) out += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return out;
}

}  // namespace

// Settings files as Windows' reader meets them: a ^Z ending the text, byte-order marks. Each is read, then
// one value is written into it and the bytes compared: the mark, the encoding, every other line and what
// follows a ^Z stay as they were.
TEST(Profile, FilesWithAMarkOrAnEndOfFileAreReadAndWrittenBackInKind) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* key;  // of section A
        std::string read;
        std::string section, writeKey, value;
        std::string written;
    };
    const Case cases[] = {
        {"^Z", "[A]\r\nk=2\x1a", "k", "2", "A", "k", "3", "[A]\r\nk=3\r\n\x1a"},
        {"^Z and what follows",
         "[A]\r\nk=2\r\n\x1a\x1a"
         "B=junk",
         "B", "", "A", "n", "1",
         "[A]\r\nk=2\r\nn=1\r\n\x1a\x1a"
         "B=junk"},
        {"UTF-8 mark", "\xEF\xBB\xBF[A]\r\nk=caf\xC3\xA9\r\n", "k", "caf\xE9", "A", "k", "th\xE9",
         "\xEF\xBB\xBF[A]\r\nk=th\xC3\xA9\r\n"},
        {"UTF-8 mark, new section", "\xEF\xBB\xBF[A]\r\nk=1\r\n", "k", "1", "B", "k", "2",
         "\xEF\xBB\xBF[A]\r\nk=1\r\n[B]\r\nk=2\r\n"},
        {"UTF-16, other line kept", utf16(u"[A]\r\nk=\u4E2D1\r\nn=v\r\n"), "k", "?1", "A", "n", "\xE9",
         utf16(u"[A]\r\nk=\u4E2D1\r\nn=\u00E9\r\n")},
        {"UTF-16, the value replaced", utf16(u"[A]\r\nk=\u4E2D\U0001F600\r\n"), "K", "??", "A", "k", "?",
         utf16(u"[A]\r\nk=?\r\n")},
        {"UTF-16 and ^Z", utf16(u"[A]\r\nk=1\x1a\r\nk=9"), "k", "1", "a", "x", "\x80",
         utf16(u"[A]\r\nk=1\r\nx=\u20AC\r\n\x1a\r\nk=9")},
        // A key added after a last line without its break: that line keeps what the code page cannot spell.
        {"UTF-8, unspellable at the end", "\xEF\xBB\xBF[A]\r\nk=\xC5\x81", "k", "?", "A", "n", "1",
         "\xEF\xBB\xBF[A]\r\nk=\xC5\x81\r\nn=1\r\n"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string ini = dir.write("s.ini", c.bytes);
        EXPECT_EQ(GETENVIRONMENT("A", c.key, ini), c.read);
        ASSERT_TRUE(WRITEENVIRONMENT(c.section, c.writeKey, c.value, ini));
        EXPECT_EQ(dir.read("s.ini"), c.written);
        EXPECT_EQ(GETENVIRONMENT(c.section, c.writeKey, ini), c.value);
    }
    // A value that could not be read back as given is refused, and the file kept.
    dir.write("s.ini", "[A]\r\nk=1\r\n");
    const Status s = WRITEENVIRONMENT("A", "k", "2\x1a", dir.folder() + "s.ini");
    EXPECT_FALSE(s);
    EXPECT_EQ(s.error, "the value holds a ^Z (0x1A), which ends the file for every reader");
    EXPECT_EQ(dir.read("s.ini"), "[A]\r\nk=1\r\n");
}
