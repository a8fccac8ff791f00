// COPYDIR, the four operations over it and the text of their reports, on a generated game folder.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "backup/backup.h"
#include "platform/filesystem.h"
#include "support/failingfilesystem.h"
#include "support/gamefolder.h"

namespace fs = std::filesystem;

namespace hartool::test {
namespace {

using Op = FailingFileSystem::Op;

std::vector<std::string> failedFiles(const BackupReport& r) {
    std::vector<std::string> files;
    for (const Failure& f : r.failures) files.push_back(f.file);
    return files;
}

class BackupTest : public ::testing::Test {
  protected:
    // A source folder holding files for both masks and some for neither.
    void writeSource() const {
        for (const char* name :
             {"CAMP0", "camp1", "CAMPAIGN.TXT", "S01.TXT", "s2.txt", "S1.DAT", "T1.TXT", "XCAMP"})
            game.write(std::string("Src/") + name, std::string("content of ") + name);
    }
    std::string source() const { return game.path("SRC\\"); }
    std::string target() const { return game.path("DST\\"); }

    GameFolder game;
};

TEST_F(BackupTest, AttributesAreMaskedAndAMissingFileIsRefused) {
    struct Case {
        const char* name;
        std::uint32_t attributes;
        bool readOnlyBefore;
        bool readOnlyAfter;
    };
    const Case cases[] = {
        {"read-only and archive", platform::READONLY | platform::ARCHIVE, false, true},
        {"normal clears read-only", platform::NORMAL, true, false},
        {"normal bit dropped, read-only kept", platform::NORMAL | platform::READONLY, false, true},
        {"hidden alone is writable", platform::HIDDEN, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        game.write("F.TXT", "x");
        ASSERT_TRUE(platform::setAttributes(game.path("F.TXT"),
                                            c.readOnlyBefore ? std::uint32_t{platform::READONLY} : 0u));
        EXPECT_TRUE(FABSETFILEATTRIBUTES(game.path("F.TXT"), c.attributes));
        EXPECT_EQ(game.isReadOnly("F.TXT"), c.readOnlyAfter);
    }
    EXPECT_FALSE(FABSETFILEATTRIBUTES(game.path("MISSING.TXT"), platform::NORMAL));
    EXPECT_FALSE(game.exists("MISSING.TXT"));
}

TEST_F(BackupTest, CopyDirTakesItsModesFilesReadOnlyWithTheirDates) {
    struct Case {
        CopyMode mode;
        std::vector<std::string> copied;
    };
    const Case cases[] = {
        {CopyMode::KAMPAGNE, {"CAMP0", "CAMPAIGN.TXT", "camp1"}},
        {CopyMode::MISSION, {"S01.TXT", "s2.txt"}},
    };
    writeSource();
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    for (const std::string& name : game.files("Src"))
        fs::last_write_time(game.nativePath("Src/" + name), old);
    for (const Case& c : cases) {
        SCOPED_TRACE(copyMask(c.mode));
        fs::remove_all(game.nativePath("Dst"));
        game.write("Dst/UNRELATED", "stays");

        const BackupReport r = COPYDIR(source(), target(), c.mode);

        EXPECT_TRUE(r.ok()) << r.text("ok");
        EXPECT_EQ(r.listed, c.copied.size());
        EXPECT_EQ(r.copied, c.copied.size());
        std::vector<std::string> expected = c.copied;
        expected.push_back("UNRELATED");
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(game.files("Dst"), expected);
        EXPECT_EQ(game.read("Dst/UNRELATED"), "stays");
        EXPECT_FALSE(game.isReadOnly("Dst/UNRELATED"));
        for (const std::string& name : c.copied) {
            SCOPED_TRACE(name);
            EXPECT_EQ(game.read("Dst/" + name), "content of " + name);
            EXPECT_TRUE(game.isReadOnly("Dst/" + name));
            EXPECT_EQ(platform::listFiles(target() + name).at(0).modified,
                      platform::listFiles(source() + name).at(0).modified);
        }
    }
}

TEST_F(BackupTest, CopyDirReplacesReadOnlyCopiesAndMakesAnEmptyFolderFromNothing) {
    writeSource();
    ASSERT_TRUE(COPYDIR(source(), target()).ok());
    game.write("Src/CAMP0", "changed");
    const BackupReport again = COPYDIR(source(), target());
    EXPECT_TRUE(again.ok()) << again.text("ok");
    EXPECT_EQ(game.read("Dst/CAMP0"), "changed");
    EXPECT_TRUE(game.isReadOnly("Dst/CAMP0"));

    const BackupReport none = COPYDIR(game.path("NOSUCHFOLDER\\"), game.path("EMPTY\\"));
    EXPECT_TRUE(none.ok());
    EXPECT_EQ(none.listed, 0u);
    EXPECT_TRUE(fs::is_directory(game.nativePath("EMPTY")));
    EXPECT_TRUE(game.files("EMPTY").empty());
}

TEST_F(BackupTest, CopyDirReportsEachFailureOnceAndGoesOn) {
    struct Case {
        const char* name;
        std::function<void(FailingFileSystem&)> arrange;
        std::size_t copied;
        std::vector<std::string> failed;  // relative to the game path
    };
    const Case cases[] = {
        {"one copy fails",
         [](FailingFileSystem& fs) { fs.failOn(Op::Copy, "DST\\CAMP1", "disk full"); },
         2,
         {"DST\\camp1"}},
        {"one attribute change fails",
         [](FailingFileSystem& fs) { fs.failOn(Op::SetAttributes, "DST\\CAMPAIGN", "denied"); },
         3,
         {"DST\\CAMPAIGN.TXT"}},
        {"the target folder is a file",
         [this](FailingFileSystem&) { game.write("Dst", "a file"); },
         0,
         {"DST\\", "DST\\CAMP0", "DST\\CAMPAIGN.TXT", "DST\\camp1"}},
    };
    writeSource();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(game.nativePath("Dst"));
        FailingFileSystem failing;
        c.arrange(failing);

        const BackupReport r = COPYDIR(source(), target());

        EXPECT_EQ(r.listed, 3u);
        EXPECT_EQ(r.copied, c.copied);
        std::vector<std::string> expected;
        for (const std::string& f : c.failed) expected.push_back(game.path(f));
        EXPECT_EQ(failedFiles(r), expected);
        for (const Failure& f : r.failures) EXPECT_FALSE(f.reason.empty()) << f.file;
        // Every file that did not fail was copied and protected, those after a failure too.
        for (const char* name : {"CAMP0", "CAMPAIGN.TXT", "camp1"}) {
            if (std::find(expected.begin(), expected.end(), target() + name) != expected.end()) continue;
            EXPECT_TRUE(game.isReadOnly(std::string("Dst/") + name)) << name;
        }
    }
}

TEST_F(BackupTest, ReportTextIsTheSuccessTextOnlyWhenAllWorked) {
    const std::string base = "C:\\GAME\\";
    auto failures = [&](int n) {
        BackupReport r;
        r.listed = 20;
        r.copied = 20 - n;
        for (int i = 0; i < n; ++i) r.failures.push_back({base + "DATA\\F" + std::to_string(i), "why"});
        return r;
    };
    BackupReport warned;
    warned.warnings = {"first", "second"};
    BackupReport one;
    one.listed = 1;
    one.failures = {{"D:\\ELSEWHERE\\campaign.bak", "no room"}};
    struct Case {
        const char* name;
        BackupReport report;
        std::string text;
    };
    const Case cases[] = {
        {"all good", BackupReport{}, "done"},
        {"warnings", warned, "done\n\nWarning: first\nWarning: second"},
        {"one file of one", one,
         "Not everything could be done: 0 of 1 file was copied.\n\nFailed:\nD:\\ELSEWHERE\\campaign.bak: no "
         "room"},
        {"two", failures(2),
         "Not everything could be done: 18 of 20 files were copied.\n\nFailed:\nDATA\\F0: why\nDATA\\F1: "
         "why"},
        {"capped", failures(12),
         "Not everything could be done: 8 of 20 files were copied.\n\nFailed:\nDATA\\F0: why\nDATA\\F1: why\n"
         "DATA\\F2: why\nDATA\\F3: why\nDATA\\F4: why\nDATA\\F5: why\nDATA\\F6: why\nDATA\\F7: why\n"
         "DATA\\F8: why\nDATA\\F9: why\nand 2 more"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.report.text("done", base), c.text);
    }
}

TEST_F(BackupTest, SavingWarnsOfCampaignsThatCannotCompleteTheBackup) {
    fs::remove_all(game.nativePath("Data/Battles/20thGuards"));
    game.remove("Data/Battles/5thPanzer/CAMP0");

    const BackupReport r = saveOriginals(game.folders());

    EXPECT_TRUE(r.ok()) << r.text("ok");
    ASSERT_EQ(r.warnings.size(), 2u);
    EXPECT_NE(r.warnings[0].find("\"20thGuards\""), std::string::npos) << r.warnings[0];
    EXPECT_NE(r.warnings[1].find("\"5thPanzer\""), std::string::npos) << r.warnings[1];
    EXPECT_TRUE(fs::is_directory(game.nativePath("Data/Backup/20thGuards")));
    EXPECT_TRUE(fs::is_directory(game.nativePath("Data/Backup/Briefings")));
}

TEST_F(BackupTest, AFailedFolderIsReportedAndTheRestIsStillSaved) {
    FailingFileSystem failing;
    failing.failOn(Op::MakeFolder, "BRIEFINGS", "denied");
    const BackupReport r = saveOriginals(game.folders());
    ASSERT_EQ(failedFiles(r), std::vector<std::string>{game.folders().briefings});
    EXPECT_EQ(r.copied, r.listed);
    EXPECT_GT(r.copied, 0u);
}

}  // namespace
}  // namespace hartool::test
