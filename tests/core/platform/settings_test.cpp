#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "core/platform/codepage.h"
#include "core/platform/profile.h"
#include "core/platform/settings.h"
#include "support/scopedenvironment.h"
#include "support/tempdir.h"

namespace fs = std::filesystem;
using hartool::platform::iniFile;
using hartool::test::ScopedEnvironment;
using hartool::test::TempDir;

namespace {

// A fake home, configuration folder and working folder below one temporary folder.
class SettingsTest : public ::testing::Test {
  protected:
    SettingsTest() : oldCwd_(fs::current_path()) {
        fs::create_directories(root.path() / "work");
        fs::create_directories(root.path() / "home");
        fs::current_path(root.path() / "work");
        environment.set("HOME", root.folder() + "home");
        environment.set("XDG_CONFIG_HOME", std::nullopt);
    }
    ~SettingsTest() override { fs::current_path(oldCwd_); }

    std::string at(const std::string& relative) const { return (root.path() / relative).string(); }

    TempDir root;
    ScopedEnvironment environment;

  private:
    fs::path oldCwd_;
};

TEST_F(SettingsTest, TheWorkingFolderWinsElseTheConfigurationFolderIsUsed) {
    struct Case {
        const char* name;
        bool workingIni;
        std::optional<std::string> xdg;  // relative to the root when it does not start with "/"
        bool hasHome;
        const char* expected;  // relative to the root
    };
    const Case cases[] = {
        {"working folder over XDG", true, "xdg", true, "work/HARTOOL.INI"},
        {"working folder over home", true, std::nullopt, true, "work/HARTOOL.INI"},
        {"XDG_CONFIG_HOME", false, "xdg", true, "xdg/hartool/HARTOOL.INI"},
        {"XDG_CONFIG_HOME deeper and missing", false, "a/b/c", true, "a/b/c/hartool/HARTOOL.INI"},
        {"XDG_CONFIG_HOME unset", false, std::nullopt, true, "home/.config/hartool/HARTOOL.INI"},
        {"XDG_CONFIG_HOME empty", false, "", true, "home/.config/hartool/HARTOOL.INI"},
        {"XDG_CONFIG_HOME relative is ignored", false, "!relative", true, "home/.config/hartool/HARTOOL.INI"},
        {"no home at all", false, std::nullopt, false, "work/HARTOOL.INI"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(root.path() / "work/HARTOOL.INI");
        if (c.workingIni) std::ofstream(root.path() / "work/HARTOOL.INI") << "[TOOL]\n";
        std::optional<std::string> xdgValue = c.xdg;
        if (xdgValue && !xdgValue->empty())
            xdgValue = xdgValue->front() == '!' ? xdgValue->substr(1) : root.folder() + *xdgValue;
        environment.set("XDG_CONFIG_HOME", xdgValue);
        environment.set("HOME", c.hasHome ? std::optional(root.folder() + "home") : std::nullopt);

        const std::string file = iniFile();
        EXPECT_TRUE(fs::equivalent(fs::path(file).parent_path(), fs::path(at(c.expected)).parent_path()))
            << file;
        EXPECT_EQ(fs::path(file).filename(), "HARTOOL.INI");
        // The settings go where they are read from, and nowhere else.
        ASSERT_TRUE(hartool::platform::WRITEENVIRONMENT("TOOL", "PATH", "C:\\GAME\\", file));
        EXPECT_EQ(hartool::platform::GETENVIRONMENT("TOOL", "PATH", iniFile()), "C:\\GAME\\");
        EXPECT_EQ(fs::exists(root.path() / "work/HARTOOL.INI"),
                  c.workingIni || std::string(c.expected) == "work/HARTOOL.INI");
        fs::remove_all(root.path() / "xdg");
        fs::remove_all(root.path() / "a");
        fs::remove_all(root.path() / "home/.config");
    }
}

TEST_F(SettingsTest, TheConfigurationFileIsCreatedOnFirstWriteAndKept) {
    const std::string expected = at("home/.config/hartool/HARTOOL.INI");
    const std::string file = iniFile();
    EXPECT_EQ(fs::path(file), fs::path(expected));
    EXPECT_FALSE(fs::exists(expected));
    EXPECT_EQ(hartool::platform::GETENVIRONMENT("TOOL", "PATH", file), "");
    ASSERT_TRUE(hartool::platform::WRITEENVIRONMENT("TOOL", "PATH", "C:\\GAME\\", file));
    EXPECT_TRUE(fs::is_regular_file(expected));
    ASSERT_TRUE(hartool::platform::WRITEENVIRONMENT("TOOL", "CAMPAIGN", "First", iniFile()));
    EXPECT_EQ(hartool::platform::GETENVIRONMENT("TOOL", "PATH", iniFile()), "C:\\GAME\\");
    EXPECT_EQ(hartool::platform::GETENVIRONMENT("TOOL", "CAMPAIGN", iniFile()), "First");
    EXPECT_FALSE(fs::exists(root.path() / "work/HARTOOL.INI"));
}

TEST_F(SettingsTest, APortableFileShadowsTheConfigurationFileWithoutTouchingIt) {
    const std::string configured = at("home/.config/hartool/HARTOOL.INI");
    ASSERT_TRUE(hartool::platform::WRITEENVIRONMENT("TOOL", "PATH", "C:\\INSTALLED\\", iniFile()));
    std::ofstream(root.path() / "work/HARTOOL.INI") << "[TOOL]\nPATH=C:\\PORTABLE\\\n";
    EXPECT_EQ(hartool::platform::GETENVIRONMENT("TOOL", "PATH", iniFile()), "C:\\PORTABLE\\");
    ASSERT_TRUE(hartool::platform::WRITEENVIRONMENT("TOOL", "PATH", "C:\\CHANGED\\", iniFile()));
    EXPECT_EQ(hartool::platform::GETENVIRONMENT("TOOL", "PATH", configured), "C:\\INSTALLED\\");
}

TEST_F(SettingsTest, AConfigurationFolderThatCannotBeMadeLeavesTheWorkingFolder) {
    std::ofstream(root.path() / "blocker") << "a file where a folder should be";
    environment.set("XDG_CONFIG_HOME", root.folder() + "blocker");
    EXPECT_TRUE(fs::equivalent(fs::path(iniFile()).parent_path(), root.path() / "work"));
}

TEST_F(SettingsTest, PathsAreKeptInUtf8AndAnOldCodePagePathIsStillRead) {
    // A home the code page cannot spell holds the settings all the same.
    const std::string home = root.folder() + "\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B";  // "Игры"
    environment.set("HOME", home);
    const std::string file = iniFile();
    EXPECT_EQ(file, home + "/.config/hartool/HARTOOL.INI");
    struct Case {
        std::string stored;
        std::string path;
    };
    const Case cases[] = {
        {"/home/ivan/\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B/Harvane!/",
         "/home/ivan/\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B/Harvane!/"},
        {"/home/ivan/Spiele/\xDC"
         "berfall/",
         "/home/ivan/Spiele/\xC3\x9C"
         "berfall/"},  // written in 1252 before
        {"C:\\GAME\\", "C:\\GAME\\"},
        {"", ""},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(hartool::platform::WRITEENVIRONMENT("TOOL", "PATH", c.stored, file));
        EXPECT_EQ(hartool::platform::pathSetting("TOOL", "PATH", file), c.path) << c.stored;
    }
}

}  // namespace

namespace {

// The bytes of a settings file holding text (UTF-8) in the encoding its mark names: "" none, "utf-8",
// "utf-16".
std::string encoded(const std::string& text, const std::string& mark) {
    if (mark.empty()) return text;
    if (mark == "utf-8") return "\xEF\xBB\xBF" + text;
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : hartool::platform::utf8ToUtf16(text)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

// A file with a byte-order mark holds characters: a path in it is read and written as those characters, also
// the ones the code page lacks, and the file's other lines stay as they were.
TEST_F(SettingsTest, APathInAMarkedSettingsFileIsItsCharacters) {
    const std::string cyrillic = "/home/ivan/\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B/Harvane!/";  // "Игры"
    const std::string other =
        "/home/ivan/\xD0\x90\xD0\x9D/\xC3\x9C"
        "berfall/";  // "АН", "Überfall"
    for (const std::string mark : {"", "utf-8", "utf-16"}) {
        const std::string file = at("work/" + (mark.empty() ? std::string("plain") : mark) + ".ini");
        const std::string rest = "[SIZE]\r\nMTool=1 2 3 4\r\n";
        std::ofstream(file, std::ios::binary) << encoded("[TOOL]\r\nPATH=" + cyrillic + "\r\n" + rest, mark);
        EXPECT_EQ(hartool::platform::pathSetting("TOOL", "PATH", file), cyrillic) << mark;

        ASSERT_TRUE(hartool::platform::writePathSetting("TOOL", "PATH", other, file)) << mark;
        EXPECT_EQ(fileBytes(file), encoded("[TOOL]\r\nPATH=" + other + "\r\n" + rest, mark)) << mark;
        EXPECT_EQ(hartool::platform::pathSetting("TOOL", "PATH", file), other) << mark;
        EXPECT_EQ(hartool::platform::GETENVIRONMENT("SIZE", "MTool", file), "1 2 3 4") << mark;
    }
}
