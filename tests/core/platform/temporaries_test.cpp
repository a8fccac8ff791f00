// The hidden temporaries a killed writer leaves: removed by the next write into their folder, but never a
// temporary a live writer holds, nor anything of another program or of another user.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

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

}  // namespace
}  // namespace hartool::test
