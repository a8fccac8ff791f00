// Writers killed with SIGKILL at random moments leave every file whole: the old content or a new one, never
// torn, empty or missing; and the hidden temporaries they leave go with the next write to the folder.

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "core/backup/backup.h"
#include "core/briefing/briefsupport.h"
#include "core/platform/profile.h"
#include "core/text/entries.h"
#include "support/crashharness.h"
#include "support/failingfilesystem.h"
#include "support/tempdir.h"

namespace hartool::test {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kValues = {"Night Raid", "Dawn Patrol over the river", "X", "Last Stand 4"};

// About 50 KB of mission: the title line, a header, then platoon lines.
std::string mission() {
    std::string text = "TITLE: Night Raid\r\nSIDE: 0\r\nBATTLESIZE: 16000 16000\r\n";
    for (int i = 0; text.size() < 50 * 1024; ++i)
        text += "PLATOON: " + std::to_string(100 + i % 40) + " " + std::to_string(1000 + 37 * i) + " " +
                std::to_string(2000 + 53 * i) + " 90 4 0 0 2 " + std::to_string(i) + "\r\n";
    return text;
}

void fillBriefing(BriefSupport& b, const std::string& value) {
    for (std::size_t page = 0; page < 5; ++page) {
        Briefing& p = b.BRIEFARRAY()[page];
        p.CHEADING = "9, Orders " + std::to_string(page);
        p.CTEXT = "1, 2, " + value;
        p.ALINESTRINGS.clear();
        p.ASPRITESTRINGS.clear();
        for (int i = 0; i < 200; ++i) {
            p.ALINESTRINGS.push_back(std::to_string(i) + " " + std::to_string(i * 3 % 320) + " 40 50 2");
            p.ASPRITESTRINGS.push_back(std::to_string(i % 320) + " 17 images\\u12.pcx");
        }
    }
}

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int leftovers(const fs::path& folder) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().filename().string().find(".hartool-") != std::string::npos) ++n;
    return n;
}

// Writes in place, as a careless writer would: what the crash test must catch.
class InPlaceFileSystem : public FailingFileSystem {
  public:
    platform::Status write(const std::string& path, std::string_view content) override {
        const int fd = ::open(nativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) return platform::Status::failure("cannot open");
        // A piece at a time, as a writer does that formats while it writes: the pieces take their time.
        for (std::size_t at = 0; at < content.size(); at += 4096) {
            if (::write(fd, content.data() + at, std::min<std::size_t>(4096, content.size() - at)) < 0) break;
            ::usleep(100);
        }
        ::close(fd);
        return platform::Status::success();
    }
};

struct Tally {
    int kills = 0, torn = 0, empty = 0, missing = 0, leftovers = 0, leftAfterNextWrite = 0;
};

class CrashTest : public ::testing::Test {
  protected:
    void SetUp() override {
        files = {dir.folder() + "MISSION.TXT", dir.folder() + "BRIEFING", dir.folder() + "HARTOOL.INI"};
        // Every content each file may legally hold: the first one, and each rewrite with each value.
        for (auto& legal : legals) legal.clear();
        dir.write("MISSION.TXT", mission());
        for (const std::string& v : kValues) {
            PUTENTRY(files[0], "TITLE", v);
            legals[0].insert(dir.read("MISSION.TXT"));
            BriefSupport b(files[1]);
            fillBriefing(b, v);
            ASSERT_TRUE(b.WRITEBRIEFINGS());
            legals[1].insert(dir.read("BRIEFING"));
            ASSERT_TRUE(platform::WRITEENVIRONMENT("TOOL", "PATH", v, files[2]));
            legals[2].insert(dir.read("HARTOOL.INI"));
        }
    }

    void writeLoop() const {
        for (std::size_t i = 0;; ++i) {
            const std::string& v = kValues[i % kValues.size()];
            PUTENTRY(files[0], "TITLE", v);
            BriefSupport b(files[1]);
            fillBriefing(b, v);
            b.WRITEBRIEFINGS();
            platform::WRITEENVIRONMENT("TOOL", "PATH", v, files[2]);
        }
    }

    Tally crash(int rounds, bool inPlace) {
        Tally t;
        CrashHarness harness;
        t.kills = harness.run(
            rounds,
            [&] {
                if (!inPlace) return writeLoop();
                InPlaceFileSystem careless;
                writeLoop();
            },
            [&](int) {
                for (std::size_t f = 0; f < files.size(); ++f) {
                    const bool there = fs::exists(files[f]);
                    const std::string now = there ? bytesOf(files[f]) : "";
                    if (legals[f].count(now)) continue;
                    ++(!there ? t.missing : now.empty() ? t.empty : t.torn);
                    // Whole again for the next round: a writer cannot rewrite an entry that is gone.
                    std::ofstream(files[f], std::ios::binary | std::ios::trunc) << *legals[f].begin();
                }
                t.leftovers += leftovers(dir.path());
                // The next write into the folder clears what the killed writer left.
                WRITESTRING(files[2], *legals[2].begin());
                t.leftAfterNextWrite += leftovers(dir.path());
            });
        std::printf(
            "%s: %d kills, %d torn, %d empty, %d missing, %d temporaries left by killed writers, %d left "
            "after the next write\n",
            inPlace ? "in place" : "atomic", t.kills, t.torn, t.empty, t.missing, t.leftovers,
            t.leftAfterNextWrite);
        return t;
    }

    TempDir dir;
    std::vector<std::string> files;
    std::set<std::string> legals[3];
};

TEST_F(CrashTest, KilledWritersLeaveEveryFileWholeAndNoTemporaryBehindTheNextWrite) {
    const Tally t = crash(200, false);
    EXPECT_GT(t.kills, 150);
    EXPECT_EQ(t.torn, 0);
    EXPECT_EQ(t.empty, 0);
    EXPECT_EQ(t.missing, 0);
    EXPECT_EQ(t.leftAfterNextWrite, 0);
}

// Without this the test above could pass by never catching a write half done.
TEST_F(CrashTest, ItSeesTheTearsOfAWriterThatWritesInPlace) {
    const Tally t = crash(40, true);
    EXPECT_GT(t.torn + t.empty, 0);
}

// A folder copy killed at any point leaves each copy the old file or a new one, never torn or gone, even
// though the copies are made durable together rather than one by one.
TEST(CrashTestOfCopies, AKilledFolderCopyLeavesEveryFileOldOrNew) {
    TempDir dir;
    constexpr int kFiles = 40;
    const std::string sources[2] = {dir.folder() + "A/", dir.folder() + "B/"};
    const std::string target = dir.folder() + "SAVED/";
    std::vector<std::set<std::string>> legal(kFiles);
    for (int i = 0; i < kFiles; ++i) {
        const std::string name = "CAMP" + std::to_string(i);
        for (int s = 0; s < 2; ++s) {
            std::string content(20 * 1024, static_cast<char>('a' + s));
            content.replace(0, name.size(), name);
            dir.write(std::string(1, static_cast<char>('A' + s)) + "/" + name, content);
            legal[i].insert(content);
        }
        dir.write("SAVED/" + name, "old " + name);
        legal[i].insert("old " + name);
    }
    Tally t;
    CrashHarness harness;
    t.kills = harness.run(
        100,
        [&] {
            for (int i = 0;; ++i) copyFolder(sources[i % 2], target);
        },
        [&](int) {
            for (int i = 0; i < kFiles; ++i) {
                const fs::path file = dir.path() / "SAVED" / ("CAMP" + std::to_string(i));
                const bool there = fs::exists(file);
                const std::string now = there ? bytesOf(file) : "";
                if (!legal[i].count(now)) ++(!there ? t.missing : now.empty() ? t.empty : t.torn);
            }
            t.leftovers += leftovers(dir.path() / "SAVED");
        });
    const Report last = copyFolder(sources[0], target);
    EXPECT_TRUE(last.ok()) << last.text("", "", "");
    std::printf(
        "folder copies: %d kills, %d torn, %d empty, %d missing, %d temporaries left by killed copies, "
        "%d after the next copy\n",
        t.kills, t.torn, t.empty, t.missing, t.leftovers, leftovers(dir.path() / "SAVED"));
    EXPECT_GT(t.kills, 75);
    EXPECT_EQ(t.torn + t.empty + t.missing, 0);
    EXPECT_EQ(leftovers(dir.path() / "SAVED"), 0);
}

}  // namespace
}  // namespace hartool::test
