// The hidden temporaries a killed writer leaves: removed by the next write into their folder, but never a
// temporary a live writer holds, nor anything of another program or of another user.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/platform/filesystem.h"
#include "support/tempdir.h"

namespace hartool::test {
namespace {

namespace fs = std::filesystem;

enum class Kind { DeadFile, LiveFile, Folder, Link, OtherUser };

struct Row {
    const char* name;
    Kind kind;
    bool removed;
};

const Row kRows[] = {
    {".A.TXT.hartool-a1B2c3", Kind::DeadFile, true},
    {".OTHER.hartool-Zz9999", Kind::DeadFile, true},  // another target of the same folder
    {".A.TXT.hartool-q7Q7q7", Kind::LiveFile, false},
    {".A.TXT.hartool-abcdef", Kind::Folder, false},
    {".B.TXT.hartool-abcdef", Kind::Link, false},
    {".C.TXT.hartool-abcdef", Kind::OtherUser, false},
    {"A.TXT.hartool-a1B2c3", Kind::DeadFile, false},       // not hidden
    {".A.TXT.hartool-a1B2c", Kind::DeadFile, false},       // five random letters
    {".A.TXT.hartool-a1_2c3", Kind::DeadFile, false},      // not mkstemp's letters
    {".A.TXT.hartool-a1B2c3.bak", Kind::DeadFile, false},  // something else's name
    {".A.TXT.editor-a1B2c3", Kind::DeadFile, false},
    {".hartool-a1B2c3", Kind::DeadFile, false},  // no target name
};

TEST(TemporariesTest, TheNextWriteRemovesOnlyDeadTemporariesOfOurs) {
    TempDir dir;
    const bool root = ::geteuid() == 0;
    int held = -1;
    for (const Row& row : kRows) {
        const fs::path path = dir.path() / row.name;
        switch (row.kind) {
            case Kind::Folder:
                fs::create_directory(path);
                break;
            case Kind::Link:
                dir.write("linked", "x");
                fs::create_symlink(dir.path() / "linked", path);
                break;
            case Kind::LiveFile:
                dir.write(row.name, "half");
                // A lock of its own open file, as a writer in another process holds it.
                held = ::open(path.c_str(), O_RDONLY);
                ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
                break;
            case Kind::OtherUser:
                dir.write(row.name, "theirs");
                if (root) {
                    ASSERT_EQ(::chown(path.c_str(), 4242, 4242), 0);
                }
                break;
            case Kind::DeadFile:
                dir.write(row.name, "half");
                break;
        }
    }

    ASSERT_TRUE(platform::writeFile(dir.folder() + "A.TXT", "new"));

    for (const Row& row : kRows) {
        if (row.kind == Kind::OtherUser && !root) continue;  // only root can give a file away
        EXPECT_EQ(!fs::exists(fs::symlink_status(dir.path() / row.name)), row.removed) << row.name;
    }
    EXPECT_EQ(dir.read("A.TXT"), "new");
    ::close(held);
    // Once its writer is gone, the live one is a leftover too; a write to another file of the folder finds
    // it.
    ASSERT_TRUE(platform::writeFile(dir.folder() + "B.TXT", "new"));
    EXPECT_FALSE(fs::exists(dir.path() / ".A.TXT.hartool-q7Q7q7"));
}

// A batch cleans each folder it writes into once, at its first write there, and every file ends whole; once
// the batch is over, each write cleans its folder again.
TEST(TemporariesTest, ABatchCleansEachFolderOnce) {
    TempDir a, b;
    a.write(".X.TXT.hartool-a1B2c3", "half");
    b.write(".Y.TXT.hartool-a1B2c3", "half");
    {
        const platform::FolderSyncBatch batch;
        ASSERT_TRUE(platform::writeFile(a.folder() + "1.TXT", "one"));
        EXPECT_FALSE(fs::exists(a.path() / ".X.TXT.hartool-a1B2c3"));
        a.write(".Z.TXT.hartool-a1B2c3", "half");
        ASSERT_TRUE(platform::writeFile(a.folder() + "1.TXT", "two"));
        EXPECT_TRUE(fs::exists(a.path() / ".Z.TXT.hartool-a1B2c3"));
        ASSERT_TRUE(platform::writeFile(b.folder() + "1.TXT", "three"));
        EXPECT_FALSE(fs::exists(b.path() / ".Y.TXT.hartool-a1B2c3"));
    }
    EXPECT_EQ(a.read("1.TXT"), "two");
    EXPECT_EQ(b.read("1.TXT"), "three");
    ASSERT_TRUE(platform::writeFile(a.folder() + "2.TXT", "four"));
    EXPECT_FALSE(fs::exists(a.path() / ".Z.TXT.hartool-a1B2c3"));
}

// A name near the 255-byte limit takes a temporary whose name is cut to fit, at a character's start, and
// still marked as ours: the file can be written and rewritten, and a dead temporary of it is found.
TEST(TemporariesTest, NamesUpToTheLimitHaveTemporariesThatFit) {
    struct Case {
        const char* name;
        std::string native;  // as the tool names it, and so on disk
    };
    const Case cases[] = {
        {"240 letters", std::string(240, 'A')},
        {"255 letters", std::string(255, 'B')},
        {"127 accented letters, 254 bytes",
         [] {
             std::string s;
             for (int i = 0; i < 127; ++i) s += "\xC3\xA9";
             return s;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string dead = "." + c.native.substr(0, 239) + ".hartool-a1B2c3";
        dir.write(dead, "half");
        ASSERT_TRUE(platform::writeFile(dir.folder() + c.native, "first"));
        ASSERT_TRUE(platform::writeFile(dir.folder() + c.native, "second"));
        EXPECT_EQ(dir.read(c.native), "second");
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir.path()))
            names.push_back(e.path().filename().string());
        EXPECT_EQ(names, std::vector<std::string>{c.native}) << "no temporary left, the dead one removed";
    }
}

}  // namespace
}  // namespace hartool::test
