// COPYDIR, the four operations over it and the text of their reports, on a generated game folder.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "core/backup/backup.h"
#include "core/platform/attributes.h"
#include "core/platform/filesystem.h"
#include "support/failingfilesystem.h"
#include "support/gamefolder.h"

namespace fs = std::filesystem;

namespace hartool::test {
namespace {

using Op = FailingFileSystem::Op;

std::vector<std::string> failedFiles(const Report& r) {
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
        EXPECT_TRUE(platform::FABSETFILEATTRIBUTES(game.path("F.TXT"), c.attributes));
        EXPECT_EQ(game.isReadOnly("F.TXT"), c.readOnlyAfter);
    }
    EXPECT_FALSE(platform::FABSETFILEATTRIBUTES(game.path("MISSING.TXT"), platform::NORMAL));
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

        const Report r = copyFolder(source(), target(), c.mode);

        EXPECT_TRUE(r.ok()) << r.text("ok");
        EXPECT_EQ(r.selected, c.copied.size());
        EXPECT_EQ(r.done, c.copied.size());
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
    ASSERT_TRUE(copyFolder(source(), target()).ok());
    game.write("Src/CAMP0", "changed");
    const Report again = copyFolder(source(), target());
    EXPECT_TRUE(again.ok()) << again.text("ok");
    EXPECT_EQ(game.read("Dst/CAMP0"), "changed");
    EXPECT_TRUE(game.isReadOnly("Dst/CAMP0"));

    const Report none = copyFolder(game.path("NOSUCHFOLDER\\"), game.path("EMPTY\\"));
    EXPECT_TRUE(none.ok());
    EXPECT_EQ(none.selected, 0u);
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
        // Once, with its reason: every file below it would only fail again.
        {"the target folder is a file",
         [this](FailingFileSystem&) { game.write("Dst", "a file"); },
         0,
         {"DST\\"}},
    };
    writeSource();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(game.nativePath("Dst"));
        FailingFileSystem failing;
        c.arrange(failing);

        const Report r = copyFolder(source(), target());

        EXPECT_EQ(r.selected, 3u);
        EXPECT_EQ(r.done, c.copied);
        std::vector<std::string> expected;
        for (const std::string& f : c.failed) expected.push_back(game.path(f));
        EXPECT_EQ(failedFiles(r), expected);
        for (const Failure& f : r.failures) EXPECT_FALSE(f.reason.empty()) << f.file;
        // Every file that did not fail was copied and protected, those after a failure too.
        for (const char* name : {"CAMP0", "CAMPAIGN.TXT", "camp1"}) {
            if (c.copied == 0) break;
            if (std::find(expected.begin(), expected.end(), target() + name) != expected.end()) continue;
            EXPECT_TRUE(game.isReadOnly(std::string("Dst/") + name)) << name;
        }
    }
}

TEST_F(BackupTest, SavingWarnsOfCampaignsThatCannotCompleteTheBackup) {
    fs::remove_all(game.nativePath("Data/Battles/20thGuards"));
    game.remove("Data/Battles/5thPanzer/CAMP0");

    const Report r = saveOriginals(game.folders());

    EXPECT_TRUE(r.ok()) << r.text("ok");
    ASSERT_EQ(r.warnings.size(), 2u);
    EXPECT_NE(r.warnings[0].find("\"20thGuards\""), std::string::npos) << r.warnings[0];
    EXPECT_NE(r.warnings[1].find("\"5thPanzer\""), std::string::npos) << r.warnings[1];
    EXPECT_TRUE(fs::is_directory(game.nativePath("Data/Backup/20thGuards")));
    EXPECT_TRUE(fs::is_directory(game.nativePath("Data/Backup/Briefings")));
}

TEST_F(BackupTest, AFailedFolderIsReportedOnceAndTheRestIsStillSaved) {
    {
        FailingFileSystem failing;
        failing.failOn(Op::MakeFolder, "BRIEFINGS", "denied");
        const Report r = saveOriginals(game.folders());
        ASSERT_EQ(failedFiles(r), std::vector<std::string>{game.folders().briefings});
        EXPECT_EQ(r.done, r.selected);
        EXPECT_GT(r.done, 0u);
    }
    // A disk that takes no folder: the first cause alone, and every file counted as not copied.
    fs::remove_all(game.nativePath("Data/Backup"));
    FailingFileSystem failing;
    failing.failOn(Op::MakeFolder, "BACKUP", "Read-only file system");
    const Report r = saveOriginals(game.folders());
    EXPECT_EQ(r.failures, (std::vector<Failure>{{game.folders().backup, "Read-only file system"}}));
    EXPECT_EQ(r.done, 0u);
    std::size_t missions = 3;  // S01.TXT, S02.TXT and S10.TXT
    for (const Campaign& c : kCampaigns) missions += static_cast<std::size_t>(c.lastMission) + 1;
    EXPECT_EQ(r.selected, missions) << "every campaign mission and single mission of the demo game";
}

TEST_F(BackupTest, NewFoldersTakeTheGamesSpelling) {
    // The game path is upper-cased, but a folder made anew must not be: the game would later have two.
    fs::remove_all(game.nativePath("Data/Battles/1stUsArmDiv"));
    ASSERT_TRUE(saveOriginals(game.folders()).ok());
    ASSERT_TRUE(restoreOriginals(game.folders()).ok());
    for (const char* folder : {"Data/Backup", "Data/Battles"}) {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(game.nativePath(folder)))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        SCOPED_TRACE(folder);
        std::vector<std::string> expected = {"1stUKArmDiv", "1stUsArmDiv", "1stUsCavDiv",
                                             "20thGuards",  "5thPanzer",   "Player"};
        if (std::string(folder) == "Data/Backup") expected.insert(expected.begin() + 5, "Briefings");
        EXPECT_EQ(names, expected);
    }
}

// Stopped after the second file: nothing half written, and the report tells what was and was not copied.
TEST_F(BackupTest, ACancelledCopyLeavesEveryFileWholeAndSaysWhatWasDone) {
    ASSERT_TRUE(saveOriginals(game.folders()).ok());
    const auto saved = game.snapshot();
    for (const auto& [file, content] : saved)
        if (content != "<folder>" && file.find("Backup") == std::string::npos) game.write(file, "changed");
    const auto withoutReadOnly = [](std::string s) {
        return s.ends_with("<ro>") ? s.substr(0, s.size() - 4) : s;
    };
    struct Case {
        const char* name;
        std::function<Report(const Progress&)> run;
    };
    const Case cases[] = {
        {"restore", [&](const Progress& p) { return restoreOriginals(game.folders(), p); }},
        {"one campaign",
         [&](const Progress& p) {
             const Campaign& c = kCampaigns[1];
             return copyFolder(game.folders().savedCampaign(c), game.folders().campaign(c),
                               CopyMode::KAMPAGNE, p);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = game.snapshot();
        std::vector<std::size_t> calls;
        std::size_t total = 0;
        const Report r = c.run([&](std::size_t done, std::size_t all) {
            calls.push_back(done);
            total = all;
            return done < 2;
        });
        EXPECT_EQ(calls, (std::vector<std::size_t>{0, 1, 2}));
        EXPECT_EQ(total, r.selected);
        EXPECT_EQ(r.done, 2u);
        EXPECT_TRUE(r.failures.empty());
        ASSERT_EQ(r.skipped.size(), r.selected - 2);
        for (const Failure& f : r.skipped) EXPECT_EQ(f.reason, kCancelled) << f.file;
        EXPECT_NE(r.text("ok", "copied").find("2 of " + std::to_string(r.selected) + " files were copied"),
                  std::string::npos);
        // Every copied-to file ends read-only, reached or not, as after a whole copy.
        std::size_t restored = 0;
        for (const auto& [file, content] : game.snapshot()) {
            const bool unchanged = withoutReadOnly(content) == withoutReadOnly(before.at(file));
            EXPECT_TRUE(unchanged || withoutReadOnly(content) == withoutReadOnly(saved.at(file)))
                << file << ": " << content;
            if (!unchanged) ++restored;
        }
        EXPECT_EQ(restored, 2u);
    }
}

}  // namespace
}  // namespace hartool::test
