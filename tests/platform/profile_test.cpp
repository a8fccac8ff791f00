#include <gtest/gtest.h>

#include "platform/profile.h"
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
    EXPECT_EQ(profileValue("[A]\nk=v\n", "a", "K"), "v");  // bare line feeds
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
         "; mine\r\n[tool]\r\nPATH=new\r\nCAMPAIGN=x\r\n"},
        {"append to its section", "[TOOL]\r\nPATH=p\r\n\r\n[Other]\r\na=1\r\n", "TOOL", "CAMPAIGN", "c",
         "[TOOL]\r\nPATH=p\r\nCAMPAIGN=c\r\n\r\n[Other]\r\na=1\r\n"},
        {"section at the end", "[Other]\r\na=1", "TOOL", "PATH", "p",
         "[Other]\r\na=1\r\n\r\n[TOOL]\r\nPATH=p\r\n"},
        {"last line without break", "[TOOL]\r\nPATH=p", "TOOL", "CAMPAIGN", "c",
         "[TOOL]\r\nPATH=p\r\nCAMPAIGN=c\r\n"},
        {"first of two sections", "[TOOL]\r\nA=1\r\n[TOOL]\r\nB=2\r\n", "tool", "B", "3",
         "[TOOL]\r\nA=1\r\nB=3\r\n[TOOL]\r\nB=2\r\n"},
        {"line breaks in a value", "", "TOOL", "PATH", "a\r\nb", "[TOOL]\r\nPATH=a  b\r\n"},
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

    // An unchanged value costs no write at all; a changed one reports the failed write.
    hartool::test::FailingFileSystem failing;
    failing.failOn(hartool::test::FailingFileSystem::Op::Write, "HARTOOL.INI", "disk full");
    EXPECT_TRUE(WRITEENVIRONMENT("TOOL", "PATH", "C:\\GAME\\", ini));
    Status s = WRITEENVIRONMENT("TOOL", "PATH", "D:\\", ini);
    EXPECT_FALSE(s);
    EXPECT_EQ(s.error, "disk full");
    EXPECT_EQ(GETENVIRONMENT("TOOL", "PATH", ini), "C:\\GAME\\");
}
