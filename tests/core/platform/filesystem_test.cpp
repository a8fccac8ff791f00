#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <regex>

#include "core/platform/filesystem.h"
#include "core/platform/posix/posixfilesystem.h"
#include "support/faketrash.h"
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

bool hasWriteBits(const std::string& native) {
    auto p = fs::status(native).permissions();
    return (p & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) !=
           fs::perms::none;
}

void setTime(const std::string& native, int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900, tm.tm_mon = month - 1, tm.tm_mday = day;
    tm.tm_hour = hour, tm.tm_min = minute, tm.tm_sec = second, tm.tm_isdst = -1;
    auto when = std::chrono::system_clock::from_time_t(std::mktime(&tm));
    fs::last_write_time(native, std::chrono::file_clock::from_sys(when));
}

class FileSystemTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::string root = dir.folder();
};

}  // namespace

TEST_F(FileSystemTest, ResolvesEveryComponentWithoutRegardToCase) {
    dir.write("Data/Battles/Player/S01.TXT", "single");
    dir.write("Data/Battles/1stUKArmDiv/CAMP1", "campaign");
    struct Case {
        std::string path;
        std::string content;  // "" when the path must not reach a file
    };
    const Case cases[] = {
        {"DATA\\BATTLES\\PLAYER\\S01.TXT", "single"},
        {"data\\battles\\player\\s01.txt", "single"},
        {"DATA/Battles\\player/S01.txt", "single"},
        {"Data\\\\Battles\\.\\Player\\S01.TXT", "single"},
        {"DATA\\BATTLES\\1STUKARMDIV\\camp1.", "campaign"},  // trailing "." = no extension
        {"DATA\\BATTLES\\1STUKARMDIV\\CAMP1", "campaign"},
        {"DATA\\BATTLES\\1STUKARMDIV\\CAMP1.TXT", ""},
        {"DATA\\NOPE\\PLAYER\\S01.TXT", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fileExists(root + c.path), !c.content.empty()) << c.path;
        EXPECT_EQ(readFile(root + c.path), c.content) << c.path;
    }
    EXPECT_TRUE(folderExists(root + "DATA\\"));
    EXPECT_TRUE(folderExists(root + "data\\battles"));
    EXPECT_FALSE(fileExists(root + "DATA\\"));
}

TEST_F(FileSystemTest, AnExactMatchWinsThenTheFirstInNameOrder) {
    dir.write("camp", "lower");
    dir.write("CAMP", "upper");
    dir.write("Camp", "mixed");
    EXPECT_EQ(readFile(root + "camp"), "lower");
    EXPECT_EQ(readFile(root + "Camp"), "mixed");
    EXPECT_EQ(readFile(root + "cAMP"), "upper");  // "CAMP" < "Camp" < "camp"
}

TEST_F(FileSystemTest, FolderContentsSeenAgainAfterEveryChange) {
    // A folder unchanged for an hour is the kind whose listing is kept between lookups.
    fs::create_directories(dir.path() / "Player");
    auto settle = [&] {
        fs::last_write_time(dir.path() / "Player", fs::file_time_type::clock::now() - std::chrono::hours(1));
    };
    settle();
    EXPECT_FALSE(fileExists(root + "PLAYER\\MISSION.TXT"));
    dir.write("Player/Mission.txt", "first");
    EXPECT_EQ(readFile(root + "PLAYER\\MISSION.TXT"), "first");
    settle();
    EXPECT_EQ(readFile(root + "PLAYER\\MISSION.TXT"), "first");
    fs::rename(dir.path() / "Player/Mission.txt", dir.path() / "Player/mission.TXT");
    EXPECT_EQ(readFile(root + "PLAYER\\MISSION.TXT"), "first");
    fs::remove(dir.path() / "Player/mission.TXT");
    EXPECT_FALSE(fileExists(root + "PLAYER\\MISSION.TXT"));
}

TEST_F(FileSystemTest, NewFilesGoIntoTheResolvedFolderAsWritten) {
    dir.write("Data/Battles/Player/S01.TXT", "old");
    ASSERT_TRUE(writeFile(root + "DATA\\BATTLES\\PLAYER\\New Mission.TXT", "new"));
    EXPECT_EQ(dir.read("Data/Battles/Player/New Mission.TXT"), "new");
    ASSERT_TRUE(writeFile(root + "DATA\\BATTLES\\PLAYER\\s01.txt", "replaced"));
    EXPECT_EQ(dir.read("Data/Battles/Player/S01.TXT"), "replaced");
    EXPECT_EQ(names(listFiles(root + "Data\\Battles\\Player\\*")),
              (std::vector<std::string>{"New Mission.TXT", "S01.TXT"}));
    EXPECT_EQ(fileSystem().nativePath(root + "DATA\\BATTLES\\PLAYER\\X.TXT"),
              root + "Data/Battles/Player/X.TXT");
}

TEST_F(FileSystemTest, DriveLettersGoThroughTheWinePrefix) {
    const char* old = std::getenv("WINEPREFIX");
    std::string saved = old ? old : "";
    ::setenv("WINEPREFIX", (root + "prefix").c_str(), 1);
    dir.write("prefix/drive_c/Program Files/Vantrope/Harvane!/HARVANE.EXE", "");
    dir.write("elsewhere/game.txt", "on d");
    EXPECT_TRUE(fileExists("C:\\Program Files\\Vantrope\\Harvane!\\HARVANE.EXE"));
    EXPECT_TRUE(fileExists("C:\\PROGRAM FILES\\VANTROPE\\HARVANE!\\HARVANE.EXE"));
    EXPECT_FALSE(fileExists("D:\\game.txt"));
    fs::create_directories(dir.path() / "prefix/dosdevices");
    fs::create_directory_symlink(dir.path() / "elsewhere", dir.path() / "prefix/dosdevices/d:");
    EXPECT_EQ(readFile("d:\\GAME.TXT"), "on d");
    if (old)
        ::setenv("WINEPREFIX", saved.c_str(), 1);
    else
        ::unsetenv("WINEPREFIX");
}

TEST_F(FileSystemTest, ListsOrdinaryVisibleFilesMatchingTheMask) {
    for (const char* n : {"CAMP0", "CAMP12", "camp3", "CAMPAIGN.TXT", "S1.TXT", "S10.TXT", "T1.TXT", "S1.DAT",
                          "Night Raid", ".hidden"})
        dir.write(std::string("Folder/") + n, n);
    fs::create_directories(dir.path() / "Folder/CAMPSUB");
    struct Case {
        const char* mask;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"CAMP*", {"CAMP0", "CAMP12", "CAMPAIGN.TXT", "camp3"}},
        {"S*.TXT", {"S1.TXT", "S10.TXT"}},
        {"*.*",
         {"CAMP0", "CAMP12", "CAMPAIGN.TXT", "Night Raid", "S1.DAT", "S1.TXT", "S10.TXT", "T1.TXT", "camp3"}},
        {"?1.TXT", {"S1.TXT", "T1.TXT"}},
        {"none*", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(names(listFiles(root + "FOLDER\\" + c.mask)), c.expected) << c.mask;
    EXPECT_EQ(listFiles(root + "FOLDER\\").size(), 9u);
    EXPECT_TRUE(listFiles(root + "NOFOLDER\\*").empty());

    auto entries = listFiles(root + "folder\\S10.TXT");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].size, 7u);
    EXPECT_EQ(entries[0].attributes & READONLY, 0u);
}

TEST_F(FileSystemTest, ReadOnlyIsRealAndBehavesAsOnWindows) {
    std::string file = dir.write("Data/CAMP0", "original");
    ASSERT_TRUE(setAttributes(root + "DATA\\camp0", READONLY | ARCHIVE));
    EXPECT_FALSE(hasWriteBits(file));
    EXPECT_EQ(listFiles(root + "DATA\\CAMP0")[0].attributes, READONLY | ARCHIVE);

    EXPECT_FALSE(writeFile(root + "DATA\\CAMP0", "changed"));
    EXPECT_FALSE(removeFile(root + "DATA\\CAMP0"));
    dir.write("other", "other");
    EXPECT_FALSE(copyFile(root + "other", root + "DATA\\CAMP0"));
    EXPECT_EQ(dir.read("Data/CAMP0"), "original");

    ASSERT_TRUE(setAttributes(root + "DATA\\CAMP0", NORMAL & 39));
    EXPECT_TRUE(hasWriteBits(file));
    EXPECT_TRUE(writeFile(root + "DATA\\CAMP0", "changed"));
    EXPECT_FALSE(setAttributes(root + "DATA\\MISSING", NORMAL));
}

TEST_F(FileSystemTest, CopyReplacesAndKeepsLastWriteTimeAndReadOnlyState) {
    std::string src = dir.write("Data/campaign.dat", std::string("crew\0data", 9));
    setTime(src, 2001, 2, 3, 4, 5, 6);
    dir.write("Data/Backup/campaign.bak", "older copy");
    ASSERT_TRUE(copyFile(root + "DATA\\CAMPAIGN.DAT", root + "DATA\\BACKUP\\campaign.bak"));
    EXPECT_EQ(dir.read("Data/Backup/campaign.bak"), std::string("crew\0data", 9));
    auto a = listFiles(root + "DATA\\campaign.dat").at(0).modified;
    auto b = listFiles(root + "DATA\\BACKUP\\campaign.bak").at(0).modified;
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.date(), "2001-02-03");
    EXPECT_EQ(a.time(), "04:05:06");

    ASSERT_TRUE(setAttributes(root + "DATA\\campaign.dat", READONLY));
    ASSERT_TRUE(copyFile(root + "DATA\\campaign.dat", root + "DATA\\copy.dat"));
    EXPECT_EQ(listFiles(root + "DATA\\copy.dat").at(0).attributes & READONLY, READONLY);

    EXPECT_FALSE(copyFile(root + "DATA\\missing.dat", root + "DATA\\x.dat"));
    EXPECT_FALSE(dir.exists("Data/x.dat"));
    EXPECT_FALSE(copyFile(root + "DATA\\campaign.dat", root + "NOFOLDER\\x.dat"));
}

// The POSIX batch, which pays for durability once, against the default of one copy after the other: the same
// outcome for every file, case and option, and nothing left behind.
TEST_F(FileSystemTest, CopiesOfManyFilesAgreeWithOneCopyAfterTheOther) {
    class OneByOne : public PosixFileSystem {
      public:
        CopiesResult copyFiles(const std::vector<CopyGroup>& groups, const CopyOptions& options,
                               const CopyProgress& progress) override {
            return FileSystem::copyFiles(groups, options, progress);
        }
    };
    struct Case {
        const char* name;
        CopyOptions options;
        std::size_t stopAt;
    };
    const Case cases[] = {
        {"plain", {}, 99},
        {"replacing read-only", {.replaceReadOnly = true}, 99},
        {"leaving read-only", {.replaceReadOnly = true, .leaveReadOnly = true}, 99},
        {"stopped after two", {.replaceReadOnly = true, .leaveReadOnly = true}, 2},
    };
    const std::vector<std::string> names = {"A.TXT", "B.TXT", "C.TXT", "MISSING.TXT", "E.TXT"};
    auto run = [&](FileSystem& fs, const Case& c) {
        TempDir d;
        for (const char* n : {"A.TXT", "B.TXT", "C.TXT", "E.TXT"}) d.write(std::string("Src/") + n, n);
        setTime((d.path() / "Src/B.TXT").string(), 2001, 2, 3, 4, 5, 6);
        d.write("Dst/b.txt", "old b");
        d.write("Dst/C.TXT", "old c");
        d.write("Dst/E.TXT", "old e");
        for (const char* n : {"Dst/b.txt", "Dst/E.TXT"})
            fs::permissions(d.path() / n,
                            fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
        FileSystem* previous = installFileSystem(&fs);
        fs::create_directories(d.path() / "Dst2");
        const CopiesResult r =
            copyFiles({{d.folder() + "SRC\\", d.folder() + "DST\\", names},
                       {d.folder() + "SRC\\", d.folder() + "DST2\\", {"C.TXT"}}},
                      c.options, [&](std::size_t done, std::size_t) { return done < c.stopAt; });
        installFileSystem(previous);
        std::string outcome = "reached " + std::to_string(r.reached) + ":";
        for (const Status& s : r.statuses) outcome += s ? " ok" : " failed";
        for (const Status& s : r.readOnly) outcome += s ? "" : " unprotected";
        std::map<std::string, std::string> files;  // hidden ones too: a temporary file left would show
        for (const auto& e : fs::directory_iterator(d.path() / "Dst")) {
            const std::string name = e.path().filename().string();
            files[name] = d.read("Dst/" + name) + (hasWriteBits(e.path().string()) ? "" : " <ro>");
        }
        for (const auto& [name, content] : files) outcome += "\n" + name + "=" + content;
        for (const auto& e : fs::directory_iterator(d.path() / "Dst2"))
            outcome += "\nDst2/" + e.path().filename().string() + "=" +
                       d.read("Dst2/" + e.path().filename().string());
        if (files["b.txt"].starts_with("B.TXT")) {
            EXPECT_EQ(fs::last_write_time(d.path() / "Dst/b.txt"),
                      fs::last_write_time(d.path() / "Src/B.TXT"));
        }
        return outcome;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PosixFileSystem batch;
        OneByOne single;
        const std::string outcome = run(batch, c);
        EXPECT_EQ(outcome, run(single, c));
        EXPECT_EQ(outcome.find(".hartool"), std::string::npos) << outcome;
    }
    // What the options decide.
    PosixFileSystem batch;
    EXPECT_EQ(run(batch, cases[0]),
              "reached 6: ok failed ok failed failed ok\nA.TXT=A.TXT\nC.TXT=C.TXT\nE.TXT=old e <ro>\n"
              "b.txt=old b <ro>\nDst2/C.TXT=C.TXT");
    EXPECT_EQ(run(batch, cases[3]),
              "reached 2: ok ok ok ok ok ok\nA.TXT=A.TXT <ro>\nC.TXT=old c <ro>\nE.TXT=old e "
              "<ro>\nb.txt=B.TXT <ro>");
}

TEST_F(FileSystemTest, AFailedWriteKeepsTheOldContentAndLeavesNoTemporaryFile) {
    dir.write("Player/S01.TXT", "TITLE: Old\r\n");
    // Limit the file size so that the new content cannot be written in full, whoever runs the test.
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &small);
    Status s = writeFile(root + "PLAYER\\S01.TXT", std::string(1000, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(s);
    EXPECT_FALSE(s.error.empty());
    EXPECT_EQ(dir.read("Player/S01.TXT"), "TITLE: Old\r\n");
    int count = 0;
    for (const auto& e : fs::directory_iterator(dir.path() / "Player")) ++count, (void)e;
    EXPECT_EQ(count, 1);

    Status noFolder = writeFile(root + "NOFOLDER\\S01.TXT", "x");
    EXPECT_FALSE(noFolder);
    EXPECT_FALSE(noFolder.error.empty());
}

TEST_F(FileSystemTest, ReadsWholeFilesAndTellsMissingFromUnreadable) {
    std::string big(200000, 'a');
    big[70000] = '\n';
    dir.write("big.txt", big);
    ReadResult r = fileSystem().read(root + "BIG.TXT");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.content, big);

    ReadResult missing = fileSystem().read(root + "none.txt");
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.missing);
    fs::create_directories(dir.path() / "sub");
    ReadResult folder = fileSystem().read(root + "SUB");
    EXPECT_FALSE(folder.ok);
    EXPECT_FALSE(folder.missing);
}

TEST_F(FileSystemTest, APlainNameListsTheFileEveryOtherOperationReaches) {
    dir.write("Backup/campaign.bak", "lower");
    dir.write("Backup/CAMPAIGN.BAK", "upper");
    dir.write("Backup/CAMP1", "mission");
    dir.write("Backup/odd\xC1\x9C.TXT", "overlong");  // not UTF-8: listed as its bytes stand
    struct Case {
        const char* name;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"campaign.bak", {"campaign.bak"}},
        {"CAMPAIGN.BAK", {"CAMPAIGN.BAK"}},
        {"Campaign.Bak", {"CAMPAIGN.BAK"}},  // the first in name order, as resolution picks it
        {"camp1.", {"CAMP1"}},
        {"*.TXT", {"odd\xC1\x9C.TXT"}},
        {"ODD\xC1\x9C.TXT", {"odd\xC1\x9C.TXT"}},
    };
    for (const Case& c : cases) EXPECT_EQ(names(listFiles(root + "BACKUP\\" + c.name)), c.expected) << c.name;
    EXPECT_EQ(readFile(root + "BACKUP\\Campaign.Bak"), "upper");
}

TEST_F(FileSystemTest, WritesGoThroughLinksAndPipesAreNoFiles) {
    dir.write("real.txt", "old");
    fs::create_symlink(dir.path() / "real.txt", dir.path() / "link.txt");
    ASSERT_TRUE(writeFile(root + "LINK.TXT", "new"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.txt"));
    EXPECT_EQ(dir.read("real.txt"), "new");
    dir.write("other.txt", "copied");
    ASSERT_TRUE(copyFile(root + "other.txt", root + "link.txt"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.txt"));
    EXPECT_EQ(dir.read("real.txt"), "copied");

    // A link whose file is gone stays a link: nothing is written, and the reason says why.
    fs::create_symlink(dir.path() / "gone.txt", dir.path() / "dangling.txt");
    for (const Status& s :
         {writeFile(root + "DANGLING.TXT", "new"), copyFile(root + "other.txt", root + "dangling.txt")}) {
        EXPECT_FALSE(s);
        EXPECT_NE(s.error.find("link"), std::string::npos) << s.error;
    }
    EXPECT_TRUE(fs::is_symlink(dir.path() / "dangling.txt"));
    EXPECT_FALSE(fs::exists(dir.path() / "gone.txt"));

    ASSERT_EQ(::mkfifo((dir.path() / "pipe").c_str(), 0600), 0);
    ReadResult r = fileSystem().read(root + "PIPE");  // must return, not wait for a writer
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(copyFile(root + "PIPE", root + "x.txt"));
}

TEST_F(FileSystemTest, CreatesOneFolderLevelAndRemovesFiles) {
    fs::create_directories(dir.path() / "Data");
    EXPECT_TRUE(makeFolder(root + "DATA\\Backup\\"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "Data/Backup"));
    EXPECT_TRUE(makeFolder(root + "DATA\\BACKUP"));  // exists already
    EXPECT_FALSE(makeFolder(root + "DATA\\A\\B\\"));
    dir.write("Data/file", "");
    EXPECT_FALSE(makeFolder(root + "DATA\\FILE\\"));

    EXPECT_TRUE(removeFile(root + "data\\FILE"));
    EXPECT_FALSE(dir.exists("Data/file"));
    EXPECT_FALSE(removeFile(root + "data\\FILE"));
    EXPECT_FALSE(removeFile(root + "DATA\\BACKUP"));
}

TEST_F(FileSystemTest, WorkingFolderIsTheCurrentFolderWithASeparator) {
    std::string wf = workingFolder();
    ASSERT_FALSE(wf.empty());
    EXPECT_EQ(wf.back(), '/');
    EXPECT_EQ(fs::path(wf.substr(0, wf.size() - 1)), fs::current_path());
}

TEST_F(FileSystemTest, ReadsInChunksUntilTheConsumerHasEnough) {
    std::string big(3 << 20, 'a');
    for (std::size_t i = 0; i < big.size(); i += 977) big[i] = static_cast<char>('0' + i % 10);
    dir.write("big.txt", big);
    std::string whole;
    std::size_t calls = 0;
    auto all = [&](std::string_view chunk) {
        whole.append(chunk);
        ++calls;
        return !chunk.empty();  // an empty chunk stops the read, and whole falls short
    };
    ReadResult r = fileSystem().readUntil(root + "BIG.TXT", all);
    EXPECT_TRUE(r.ok && r.content.empty());
    EXPECT_EQ(whole, big);
    EXPECT_GT(calls, 1u);

    whole.clear(), calls = 0;
    auto two = [&](std::string_view chunk) { return all(chunk) && calls < 2; };
    EXPECT_TRUE(fileSystem().readUntil(root + "big.txt", two).ok);
    EXPECT_EQ(calls, 2u);
    EXPECT_LT(whole.size(), big.size() / 4);

    calls = 0;
    dir.write("empty.txt", "");
    fs::create_directories(dir.path() / "sub");
    EXPECT_TRUE(fileSystem().readUntil(root + "empty.txt", all).ok);
    ReadResult missing = fileSystem().readUntil(root + "none.txt", all);
    ReadResult folder = fileSystem().readUntil(root + "SUB", all);
    EXPECT_TRUE(!missing.ok && missing.missing);
    EXPECT_TRUE(!folder.ok && !folder.missing);
    EXPECT_EQ(calls, 0u);
}

namespace {

class TrashTest : public FileSystemTest {
  protected:
    hartool::test::FakeTrash trash{dir.path() / "home data"};
};

}  // namespace

TEST_F(TrashTest, TrashedFilesKeepTheirContentAndSayWhereTheyCameFrom) {
    struct Case {
        const char* native;  // below the test folder
        const char* given;   // as the tool names it
        const char* trashedAs;
        const char* encodedTail;  // the end of the Path line
    };
    const Case cases[] = {
        {"Harvane!/S01.TXT", "HARVANE!\\s01.txt", "S01.TXT", "/Harvane%21/S01.TXT"},
        {"Other/S01.TXT", "Other\\S01.TXT", "S01.2.TXT", "/Other/S01.TXT"},
        {"Harvane!/Night Raid", "Harvane!\\Night Raid", "Night Raid", "/Harvane%21/Night%20Raid"},
        {"Other/Night Raid", "Other\\NIGHT RAID", "Night Raid.2", "/Other/Night%20Raid"},
        {"Harvane!/S01.TXT", "Harvane!\\S01.TXT", "S01.3.TXT", "/Harvane%21/S01.TXT"},
    };
    const std::regex info(
        "\\[Trash Info\\]\nPath=(/[^\n]*)\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n");
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.native);
        const std::string content = "content " + std::to_string(++n);
        dir.write(c.native, content);
        ASSERT_EQ(fileSystem().trash(root + c.given).removal, Removal::TRASHED);
        EXPECT_FALSE(dir.exists(c.native));
        EXPECT_EQ(trash.read(c.trashedAs), content);
        std::smatch m;
        const std::string text = trash.infoOf(c.trashedAs);
        ASSERT_TRUE(std::regex_match(text, m, info)) << text;
        EXPECT_TRUE(m[1].str().ends_with(c.encodedTail)) << m[1];
        EXPECT_EQ(m[1].str().find(' '), std::string::npos);
    }
    EXPECT_EQ(trash.files().size(), std::size(cases));
}

// Nothing is deleted for good without the player's word: what no trash takes stays, and says why.
TEST_F(TrashTest, WhatTheTrashRefusesStays) {
    struct Case {
        const char* name;
        bool readOnly;
        bool trashUsable;
        Removal removal;
    };
    const Case cases[] = {
        {"into the trash", false, true, Removal::TRASHED},
        {"read-only stays", true, true, Removal::FAILED},
        {"no trash: stays", false, false, Removal::NO_TRASH},
        {"no trash, read-only: stays", true, false, Removal::FAILED},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = "Game/FILE" + std::to_string(++n) + ".TXT";
        dir.write(file, "x");
        if (c.readOnly)
            fs::permissions(dir.path() / file,
                            fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
        // A plain file where the data folder belongs: no trash can be made below it.
        const std::string home = c.trashUsable ? "home data" : "blocked";
        dir.write("blocked", "");
        ::setenv("XDG_DATA_HOME", (dir.path() / home).c_str(), 1);
        const std::vector<std::string> before = trash.files();
        const TrashResult r = trashFile(root + file);
        EXPECT_EQ(r.removal, c.removal);
        EXPECT_EQ(r.status.error.empty(), c.removal == Removal::TRASHED) << r.status.error;
        EXPECT_EQ(dir.exists(file), c.removal != Removal::TRASHED);
        if (c.removal != Removal::TRASHED) {
            EXPECT_EQ(trash.files(), before) << "a refused file leaves nothing in the trash";
        }
    }
    EXPECT_EQ(trashFile(root + "Game/NEVER.TXT").removal, Removal::GONE)
        << "a file gone already is what a delete asks for";
}

// A link is the entry the player sees: a delete takes the link itself, whatever it names, and never what
// it points to.
TEST_F(TrashTest, ALinkGoesItselfAndWhatItNamesStays) {
    dir.write("Game/real.txt", "kept");
    fs::create_directories(dir.path() / "Game/sub");
    struct Case {
        const char* name;
        const char* target;  // what the link names
    };
    const Case cases[] = {
        {"DANGLING.TXT", "nowhere.txt"},
        {"LOOP.TXT", "LOOP.TXT"},
        {"FOLDER.TXT", "sub"},
        {"FILE.TXT", "real.txt"},
    };
    for (const bool forGood : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (forGood ? " for good" : " into the trash"));
            const fs::path link = dir.path() / "Game" / c.name;
            fs::create_symlink(c.target, link);
            if (forGood) {
                EXPECT_TRUE(removeFile(root + "Game/" + c.name));
            } else {
                EXPECT_EQ(trashFile(root + "Game/" + c.name).removal, Removal::TRASHED);
                EXPECT_TRUE(fs::is_symlink(trash.folder() / "files" / c.name)) << "the link, not a copy";
                fs::remove(trash.folder() / "files" / c.name);
                fs::remove(trash.folder() / "info" / (std::string(c.name) + ".trashinfo"));
            }
            EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
        }
    }
    EXPECT_EQ(dir.read("Game/real.txt"), "kept");
    EXPECT_TRUE(fs::is_directory(dir.path() / "Game/sub"));
}

#ifdef __linux__
// A game on another disk than the home folder: its deletes go into that disk's own trash, "$top/.Trash/$uid"
// where a shared sticky ".Trash" stands there, else "$top/.Trash-$uid", with the path relative to the disk.
TEST_F(TrashTest, AFileOfAnotherDiskGoesIntoThatDisksTrash) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a second disk needs root";
    static const bool privateMounts =
        ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    if (!privateMounts) GTEST_SKIP() << "no mount namespace of our own";
    const fs::path disk = dir.path() / "disk";
    fs::create_directories(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=1m") != 0) GTEST_SKIP() << "no tmpfs";
    const std::string uid = std::to_string(::getuid());
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::string trashFolder;  // below the disk
    };
    const Case cases[] = {
        {"no trash there yet", [] {}, ".Trash-" + uid},
        {"a shared .Trash without the sticky bit is not trusted",
         [&] { fs::create_directories(disk / ".Trash"); }, ".Trash-" + uid},
        {"a shared sticky .Trash",
         [&] { fs::permissions(disk / ".Trash", fs::perms::all | fs::perms::sticky_bit); }, ".Trash/" + uid},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        dir.write("disk/Harvane!/S01.TXT", c.name);
        EXPECT_EQ(trashFile(root + "disk/Harvane!/S01.TXT").removal, Removal::TRASHED);
        EXPECT_FALSE(dir.exists("disk/Harvane!/S01.TXT"));
        EXPECT_EQ(dir.read("disk/" + c.trashFolder + "/files/S01.TXT"), c.name);
        const std::string info = dir.read("disk/" + c.trashFolder + "/info/S01.TXT.trashinfo");
        EXPECT_NE(info.find("\nPath=Harvane%21/S01.TXT\n"), std::string::npos) << info;
        fs::remove_all(disk / c.trashFolder);
    }
    // Reached through a link from the home disk, it goes into the trash of the disk it lies on all the same.
    fs::permissions(disk / ".Trash", fs::perms::all | fs::perms::sticky_bit);
    fs::create_directory_symlink(disk / "Harvane!", dir.path() / "link");
    dir.write("disk/Harvane!/S02.TXT", "linked");
    EXPECT_EQ(trashFile(root + "link/S02.TXT").removal, Removal::TRASHED);
    EXPECT_EQ(dir.read("disk/.Trash/" + uid + "/files/S02.TXT"), "linked");
    EXPECT_NE(dir.read("disk/.Trash/" + uid + "/info/S02.TXT.trashinfo").find("\nPath=Harvane%21/S02.TXT\n"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(disk / "Harvane!" / (".Trash-" + uid)));
    EXPECT_TRUE(trash.files().empty()) << "the home trash took nothing";
    ::umount(disk.c_str());
}
#endif

// A game below folders the code page cannot spell, or spells only in part: every operation reaches its files.
// Case is ignored where 1252 holds the letter ("É" finds "é") and counts where it does not ("игры" is not
// "Игры").
TEST_F(TrashTest, EveryOperationWorksBelowFoldersTheCodePageCannotSpell) {
    const std::string games = "\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B";  // "Игры"
    dir.write(games + "/Caf\xC3\xA9/Harvane!/Data/S01.TXT", "single");
    // As PATHOK leaves a typed path: what 1252 holds in upper case.
    const std::string game = root + games + "\\CAF\xC3\x89\\HARVANE!\\";
    struct Case {
        std::string path;
        bool reaches;
    };
    const Case cases[] = {
        {game + "data\\s01.txt", true},
        {root + games + "/Caf\xC3\xA9/Harvane!/Data/S01.TXT", true},
        {root + "\xD0\xB8\xD0\xB3\xD1\x80\xD1\x8B\\CAF\xC3\x89\\HARVANE!\\DATA\\S01.TXT", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fileExists(c.path), c.reaches) << c.path;
        EXPECT_EQ(readFile(c.path), c.reaches ? "single" : "") << c.path;
    }
    const std::string native = root + games + "/Caf\xC3\xA9/Harvane!/";
    EXPECT_EQ(fileSystem().nativePath(game + "DATA\\S01.TXT"), native + "Data/S01.TXT");

    // A new folder and file keep the bytes given; listing gives them back.
    const std::string briefing = "\xD0\x91\xD1\x80\xD0\xB8\xD1\x84 \xC3\x9C";  // "Бриф Ü"
    ASSERT_TRUE(makeFolders(game + "Data\\Backup\\" + games + "\\"));
    ASSERT_TRUE(writeFile(game + "Data\\Backup\\" + games + "\\" + briefing, "text"));
    EXPECT_EQ(dir.read(games + "/Caf\xC3\xA9/Harvane!/Data/Backup/" + games + "/" + briefing), "text");
    EXPECT_EQ(names(listFiles(game + "DATA\\BACKUP\\" + games + "\\*")), std::vector<std::string>{briefing});
    EXPECT_EQ(names(listFiles(game + "DATA\\BACKUP\\" + games + "\\\xD0\x91*\xC3\xBC")),
              std::vector<std::string>{briefing});  // "ü" masks "Ü"
    ASSERT_TRUE(copyFile(game + "DATA\\S01.TXT", game + "DATA\\" + briefing));
    EXPECT_EQ(dir.read(games + "/Caf\xC3\xA9/Harvane!/Data/" + briefing), "single");
    EXPECT_EQ(fileSystem().trash(game + "data\\" + briefing).removal, Removal::TRASHED);
    EXPECT_EQ(trash.read(briefing), "single");
    EXPECT_TRUE(removeFile(game + "DATA\\S01.TXT"));
    EXPECT_FALSE(dir.exists(games + "/Caf\xC3\xA9/Harvane!/Data/S01.TXT"));
}
