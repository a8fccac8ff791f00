// Every operation that writes, under every fault: a failure says why, the old bytes stay, and no temporary
// file is left. The faults: a file system that fails the first write, copy or removal, or loses the folder
// before the first write; and, as root on Linux where mounting is allowed, a full 64 KB tmpfs and a read-only
// bind mount over the folder written to.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#ifdef __linux__
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

#include "core/analysis/missionsupport.h"
#include "core/backup/backup.h"
#include "core/briefing/briefsupport.h"
#include "core/platform/profile.h"
#include "core/text/entries.h"
#include "core/transfer/transfer.h"
#include "support/failingfilesystem.h"
#include "support/gamefolder.h"

namespace hartool::test {
namespace {

namespace fs = std::filesystem;
using Op = FailingFileSystem::Op;

const Campaign& kCampaign = kCampaigns[0];
const std::string kPlayer = "Data\\Battles\\Player\\";
const std::string kSaved = std::string("Data\\Backup\\") + kCampaigns[0].folder + "\\";
const std::string kMissions = std::string("Data\\Battles\\") + kCampaigns[0].folder + "\\";

std::string reasonOf(const platform::Status& s) {
    return s ? "" : s.error.empty() ? "(no reason)" : s.error;
}
std::string reasonOf(const Report& r) {
    if (r.ok()) return "";
    const Failure& f = r.failures.empty() ? r.skipped.front() : r.failures.front();
    return f.reason.empty() ? "(no reason)" : f.reason;
}

struct Operation {
    const char* name;
    std::string target;  // relative to the game folder: the file whose old bytes must stay
    bool writes;         // false: it only removes, which a full disk allows
    std::function<std::string(GameFolder&)> run;  // "" on success, else the reason
};

std::vector<Operation> operations() {
    return {
        {"text writer (PUTENTRY)", kPlayer + "S01.TXT", true,
         [](GameFolder& g) {
             return reasonOf(PUTENTRY(g.path(kPlayer + "S01.TXT"), "TITLE", "Changed").status);
         }},
        {"profile writer (WRITEENVIRONMENT)", "Ini\\HARTOOL.INI", true,
         [](GameFolder& g) {
             return reasonOf(
                 platform::WRITEENVIRONMENT("TOOL", "PATH", "C:\\NEW\\", g.path("Ini\\HARTOOL.INI")));
         }},
        {"briefing writer (WRITEBRIEFINGS)", "Data\\Backup\\Briefings\\B1", true,
         [](GameFolder& g) {
             BriefSupport b(g.path("Data\\Backup\\Briefings\\B1"));
             b.BRIEFARRAY()[0].CTEXT = "1, 1, changed";
             return reasonOf(b.WRITEBRIEFINGS());
         }},
        {"mission writer (WRITESIDE)", kPlayer + "S01.TXT", true,
         [](GameFolder& g) {
             MissionSupport m(g.path(kPlayer + "S01.TXT"));
             m.READNAT();
             return reasonOf(m.WRITESIDE(1 - m.READSIDE()));
         }},
        {"backup copy (copyFolder)", kSaved + "CAMP0", true,
         [](GameFolder& g) {
             return reasonOf(
                 copyFolder(g.folders().campaign(kCampaign), g.folders().savedCampaign(kCampaign)));
         }},
        {"to single battles", kPlayer + "BATTLE3000.TXT", true,
         [](GameFolder& g) { return reasonOf(copyToSingleBattles(g.folders(), kCampaign, {0})); }},
        {"to the campaign", kMissions + "CAMP0", true,
         [](GameFolder& g) {
             return reasonOf(copyToCampaign(g.folders(), kCampaign, {"BATTLE3000.TXT"}, 0));
         }},
        {"delete single battles", kPlayer + "BATTLE3000.TXT", false,
         [](GameFolder& g) { return reasonOf(deleteSingleBattles(g.folders(), {"BATTLE3000.TXT"}).report); }},
    };
}

// The game's files an operation needs, with old bytes that no operation would write.
void prepare(GameFolder& g) {
    g.write("Ini\\HARTOOL.INI", "[TOOL]\r\nPATH=C:\\OLD\\\r\n");
    g.write("Data\\Backup\\Briefings\\B1", "[Briefing 0]\r\nHeading = 9, Old\r\nText = 1, 1, old\r\n");
    g.write(kPlayer + "BATTLE3000.TXT",
            "TITLE: ORG_Old_battle\r\nSIDE: 0\r\n[Briefing 0]\r\nHeading = 9, X\r\n");
    for (int i = 0; i <= kCampaign.lastMission; ++i) g.write(kSaved + "CAMP" + std::to_string(i), "old copy");
}

int temporaries(const GameFolder& g) {
    int n = 0;
    for (const auto& e : fs::recursive_directory_iterator(g.nativeFolder()))
        if (e.path().filename().string().find(".hartool-") != std::string::npos) ++n;
    return n;
}

// Removes the folder of what it writes or copies to, once, just before that happens.
class VanishingFolder : public FailingFileSystem {
  public:
    platform::Status write(const std::string& path, std::string_view content) override {
        vanish(path);
        return FailingFileSystem::write(path, content);
    }
    platform::Status copy(const std::string& from, const std::string& to) override {
        vanish(to);
        return FailingFileSystem::copy(from, to);
    }
    bool hit() const { return done_; }

  private:
    void vanish(const std::string& path) {
        if (done_) return;
        done_ = true;
        fs::remove_all(fs::path(nativePath(path)).parent_path());
    }
    bool done_ = false;
};

struct Outcome {
    std::string reason, old, now;
    int left = 0;
};

// Runs op on a fresh game with a fault in place from setUp (which returns an undo) and says how it went.
Outcome runUnder(const Operation& op, const std::function<std::function<void()>(GameFolder&)>& setUp) {
    GameFolder g;
    prepare(g);
    Outcome o;
    o.old = g.read(op.target);
    const std::function<void()> undo = setUp(g);
    o.reason = op.run(g);
    o.now = g.exists(op.target) ? g.read(op.target) : "<missing>";
    o.left = temporaries(g);
    undo();
    return o;
}

// The table as it ran, for the record.
void record(const std::string& fault, const Operation& op, const Outcome& o) {
    std::printf("| %-36s | %-34s | %s |\n", fault.c_str(), op.name,
                o.reason.empty() ? "succeeded" : ("failed: " + o.reason).c_str());
}

void expectSound(const std::string& fault, const Operation& op, const Outcome& o, bool met,
                 bool oldKept = true) {
    record(fault, op, o);
    SCOPED_TRACE(fault + " / " + op.name);
    if (met) {
        EXPECT_FALSE(o.reason.empty()) << "reported as success";
    } else {
        EXPECT_EQ(o.reason, "") << "failed where nothing failed";
    }
    if (!o.reason.empty() && oldKept) {
        EXPECT_EQ(o.now, o.old) << "old bytes changed";
    }
    EXPECT_EQ(o.left, 0) << "temporary files left";
}

TEST(FaultTable, AFailingFileSystemFailsWithAReasonAndKeepsTheOldBytes) {
    const struct {
        const char* name;
        Op op, alsoOp;
    } faults[] = {
        {"first write fails", Op::Write, Op::Write},
        {"first copy fails", Op::Copy, Op::Copy},
        {"first removal fails", Op::Remove, Op::Trash},
    };
    for (const auto& f : faults)
        for (const Operation& op : operations()) {
            std::unique_ptr<FailingFileSystem> failing;
            const Outcome o = runUnder(op, [&](GameFolder&) {
                failing = std::make_unique<FailingFileSystem>();
                failing->failNth(f.op, 1, "injected failure");
                if (f.alsoOp != f.op) failing->failNth(f.alsoOp, 1, "injected failure");
                return [] {};
            });
            expectSound(f.name, op, o, failing->failures() > 0);
        }
}

TEST(FaultTable, AFolderRemovedBeforeTheFirstWriteIsAFailureWithAReason) {
    for (const Operation& op : operations()) {
        std::unique_ptr<VanishingFolder> vanishing;
        const Outcome o = runUnder(op, [&](GameFolder&) {
            vanishing = std::make_unique<VanishingFolder>();
            return [] {};
        });
        // The fault itself took the old file with its folder.
        expectSound("folder removed before the first write", op, o, vanishing->hit(), false);
    }
}

#ifdef __linux__
// A mount namespace of this process's own, so that its mounts are seen by nobody else and go with it; false
// (with why) where that is not allowed, as in most containers.
bool privateMounts(std::string& why) {
    static std::string refused = [] {
        if (::geteuid() != 0) return std::string("not running as root");
        if (::unshare(CLONE_NEWNS) != 0) return "no mount namespace: " + std::string(std::strerror(errno));
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return "mounts not private: " + std::string(std::strerror(errno));
        return std::string();
    }();
    why = refused;
    return refused.empty();
}

// A 64 KB tmpfs holding the folder's files, filled up, mounted over the folder.
std::function<void()> fullTmpfsOver(const fs::path& folder, const fs::path& staging, std::string& why) {
    fs::create_directories(staging);
    if (::mount("tmpfs", staging.c_str(), "tmpfs", 0, "size=64k") != 0) {
        why = "tmpfs: " + std::string(std::strerror(errno));
        return nullptr;
    }
    for (const auto& e : fs::directory_iterator(folder)) {
        std::error_code ignored;
        if (e.is_regular_file()) fs::copy_file(e.path(), staging / e.path().filename(), ignored);
    }
    if (FILE* filler = std::fopen((staging / "filler").c_str(), "wb")) {
        const std::string block(4096, 'x');
        while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() &&
               std::fflush(filler) == 0) {
        }
        std::fclose(filler);
    }
    if (::mount(staging.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0) {
        why = "bind: " + std::string(std::strerror(errno));
        ::umount(staging.c_str());
        return nullptr;
    }
    return [folder, staging] {
        ::umount(folder.c_str());
        ::umount(staging.c_str());
    };
}

std::function<void()> readOnlyBindOver(const fs::path& folder, std::string& why) {
    if (::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0) {
        why = "bind: " + std::string(std::strerror(errno));
        return nullptr;
    }
    if (::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
        why = "read-only remount: " + std::string(std::strerror(errno));
        ::umount(folder.c_str());
        return nullptr;
    }
    return [folder] { ::umount(folder.c_str()); };
}

TEST(FaultTable, AFullDiskAndAReadOnlyMountFailWithAReasonAndKeepTheOldBytes) {
    std::string why;
    if (!privateMounts(why)) GTEST_SKIP() << "no tmpfs or read-only mount rows: " << why;
    for (const bool full : {true, false})
        for (const Operation& op : operations()) {
            std::string refused;
            bool mounted = false;
            const Outcome o = runUnder(op, [&](GameFolder& g) -> std::function<void()> {
                const fs::path folder = fs::path(g.nativePath(op.target)).parent_path();
                auto undo = full ? fullTmpfsOver(folder, g.root() / "tmpfs", refused)
                                 : readOnlyBindOver(folder, refused);
                mounted = undo != nullptr;
                return mounted ? undo : [] {};
            });
            if (!mounted) GTEST_SKIP() << "mount refused: " << refused;
            // A delete goes only into a trash, and a full disk takes no trash information either: the file
            // stays, and the report says why (deleting it for good is then the player's choice).
            expectSound(full ? "full 64 KB tmpfs" : "read-only bind mount", op, o, true);
        }
}
#endif

}  // namespace
}  // namespace hartool::test
