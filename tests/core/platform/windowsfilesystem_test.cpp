// The Windows side of the platform layer: where its rules differ from Linux's or need Windows' own functions.

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/platform/filesystem.h"
#include "core/platform/settings.h"
#include "core/platform/windows/windowsfilesystem.h"
#include "support/scopedenvironment.h"
#include "support/tempdir.h"

namespace fs = std::filesystem;
using namespace hartool::platform;
using hartool::test::TempDir;

namespace {

std::vector<std::string> names(const std::vector<FileEntry>& entries) {
    std::vector<std::string> out;
    for (const auto& e : entries) out.push_back(e.name);
    return out;
}

// The test folder as the platform layer takes it (UTF-8): its own name is plain ASCII.
std::string folderOf(const TempDir& dir) {
    std::string folder = dir.path().string();
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

class WindowsFileSystemTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::string root = folderOf(dir);
};

TEST_F(WindowsFileSystemTest, Utf8NamesReachTheDiskAsTheirCharactersAndComeBackAsTheSameBytes) {
    struct Row {
        std::string folder, name;  // UTF-8
        std::wstring onDisk;
    };
    const std::vector<Row> rows = {
        {"", "caf\xC3\xA9.txt", L"caf\u00E9.txt"},
        {"",
         "\xC3\x9C"
         "berfall.TXT",
         L"\u00DCberfall.TXT"},
        {"", "\xE2\x82\xACuro \xE2\x80\x93 \xE2\x80\x9Equoted\xE2\x80\x9C.txt",
         L"\u20ACuro \u2013 \u201Equoted\u201C.txt"},
        {"\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B\\Harvane!\\", "S01.TXT",
         L"\u0418\u0433\u0440\u044B\\Harvane!\\S01.TXT"},
        {"", "\xD0\x96\xD1\x83\xD0\xBA.txt", L"\u0416\u0443\u043A.txt"},  // no code-page name
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(makeFolders(root + row.folder));
        ASSERT_TRUE(writeFile(root + row.folder + row.name, "content of " + row.name));
        EXPECT_TRUE(fs::exists(dir.path() / row.onDisk));
        EXPECT_EQ(readFile(root + row.folder + row.name), "content of " + row.name);
        const std::vector<std::string> listed = names(listFiles(root + row.folder));
        EXPECT_NE(std::find(listed.begin(), listed.end(), row.name), listed.end());
    }
    // Case is ignored by Windows' rule, also for what the code page lacks.
    EXPECT_TRUE(fileExists(root + "\xD0\xB8\xD0\xB3\xD1\x80\xD1\x8B\\HARVANE!\\s01.txt"));
    EXPECT_EQ(fileSystem().nativePath(root + "\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B\\harvane!"),
              fileSystem().nativePath(root) + "\\\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B\\Harvane!");
}

TEST_F(WindowsFileSystemTest, PathsPastTwoHundredSixtyCharactersAreWrittenAndRead) {
    std::string folder = root;
    while (folder.size() < 300) folder += std::string(40, 'd') + "\\";
    ASSERT_TRUE(makeFolders(folder));
    const std::string file = folder + "MISSION.TXT";
    ASSERT_GT(file.size(), 300u);
    ASSERT_TRUE(writeFile(file, "TITLE: far\r\n"));
    EXPECT_EQ(readFile(file), "TITLE: far\r\n");
    EXPECT_EQ(names(listFiles(folder)), std::vector<std::string>{"MISSION.TXT"});
    EXPECT_TRUE(copyFile(file, folder + "COPY.TXT"));
    EXPECT_TRUE(removeFile(folder + "COPY.TXT"));
}

TEST_F(WindowsFileSystemTest, ReadOnlyFilesAreNotReplacedOrDeletedUntilTheirAttributesAreCleared) {
    const std::string file = root + "CAMP0";
    ASSERT_TRUE(writeFile(file, "old"));
    ASSERT_TRUE(setAttributes(file, READONLY | ARCHIVE));
    EXPECT_EQ(listFiles(file).at(0).attributes, READONLY | ARCHIVE);

    EXPECT_FALSE(writeFile(file, "new"));
    EXPECT_FALSE(copyFile(root + "CAMP0", file));
    EXPECT_FALSE(removeFile(file));
    EXPECT_EQ(readFile(file), "old");

    ASSERT_TRUE(setAttributes(file, NORMAL));
    EXPECT_TRUE(writeFile(file, "new"));
    EXPECT_EQ(readFile(file), "new");
    EXPECT_EQ(names(listFiles(root)), std::vector<std::string>{"CAMP0"});  // no temporary left
}

TEST_F(WindowsFileSystemTest, CopiesKeepTheLastWriteTimeAndTheReadOnlyState) {
    const std::string source = root + "campaign.dat";
    ASSERT_TRUE(writeFile(source, "crew"));
    fs::last_write_time(dir.path() / "campaign.dat",
                        fs::file_time_type::clock::now() - std::chrono::hours(50));
    ASSERT_TRUE(setAttributes(source, READONLY | ARCHIVE));
    ASSERT_TRUE(copyFile(source, root + "campaign.bak"));
    const FileEntry from = listFiles(source).at(0), to = listFiles(root + "campaign.bak").at(0);
    EXPECT_EQ(to.modified, from.modified);
    EXPECT_EQ(to.attributes & READONLY, READONLY);
    EXPECT_EQ(readFile(root + "campaign.bak"), "crew");
}

TEST_F(WindowsFileSystemTest, TemporariesOfDeadWritersGoAndThoseOfLiveWritersStay) {
    std::ofstream(dir.path() / ".S01.TXT.hartool-aB3dE9") << "dead writer";
    const fs::path live = dir.path() / ".S02.TXT.hartool-Zz9yY8";
    std::ofstream(live) << "live writer";
    // A writer holds its temporary without sharing delete.
    HANDLE held =
        ::CreateFileW(live.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    ASSERT_TRUE(writeFile(root + "S01.TXT", "TITLE: one\r\n"));
    EXPECT_FALSE(fs::exists(dir.path() / ".S01.TXT.hartool-aB3dE9"));
    EXPECT_TRUE(fs::exists(live));
    // Never listed, whatever their attributes.
    EXPECT_EQ(names(listFiles(root)), std::vector<std::string>{"S01.TXT"});
    ::CloseHandle(held);
}

TEST_F(WindowsFileSystemTest, HiddenFilesAreNotListedAndTrailingDotsMeanNoExtension) {
    ASSERT_TRUE(writeFile(root + "CAMP1.", "one"));
    EXPECT_TRUE(fileExists(root + "CAMP1"));
    EXPECT_EQ(readFile(root + "camp1"), "one");
    ASSERT_TRUE(writeFile(root + "secret.txt", "x"));
    ASSERT_TRUE(setAttributes(root + "secret.txt", HIDDEN));
    EXPECT_EQ(names(listFiles(root)), std::vector<std::string>{"CAMP1"});
}

TEST_F(WindowsFileSystemTest, TheRecycleBinRefusesWhatADeleteRefuses) {
    // The shell's Recycle Bin itself is left alone here: under Wine it is the desktop's own trash.
    ASSERT_TRUE(writeFile(root + "KEEP.TXT", "x"));
    ASSERT_TRUE(setAttributes(root + "KEEP.TXT", READONLY));
    EXPECT_EQ(fileSystem().trash(root + "KEEP.TXT").removal, Removal::FAILED);
    EXPECT_TRUE(fileExists(root + "KEEP.TXT"));
    EXPECT_EQ(trashFile(root + "GONE.TXT").removal,
              Removal::GONE);  // nothing there is what a delete asks for
}

TEST_F(WindowsFileSystemTest, SettingsLiveInTheWorkingFolderElseInTheApplicationData) {
    const fs::path old = fs::current_path();
    fs::current_path(dir.path());
    const std::string settings = iniFile();
    EXPECT_NE(settings.find("\\hartool\\HARTOOL.INI"), std::string::npos) << settings;
    ASSERT_TRUE(writeFile(root + "HARTOOL.INI", "[TOOL]\r\n"));
    EXPECT_EQ(iniFile(), workingFolder() + "HARTOOL.INI");
    fs::current_path(old);
}

}  // namespace
