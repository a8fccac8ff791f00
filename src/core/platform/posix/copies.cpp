// Copies: one file through a temporary, and a batch of many that pays for durability once.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/vfs.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "core/platform/posix/atomicwrite.h"
#include "core/platform/posix/nativefiles.h"
#include "core/platform/posix/paths.h"
#include "core/platform/posix/posixfilesystem.h"

namespace hartool::platform {

namespace {

using posix::errnoText;
using posix::kWriteBits;

// The bytes of in into out.
bool copyBytes(int in, int out) {
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) break;
        if (!posix::writeAll(out, buf, static_cast<std::size_t>(n))) return false;
    }
    return true;
}

// The game compares crew files by their dates, so a copy keeps its source's.
bool keepTimes(int out, const struct stat& source) {
    const timespec times[2] = {source.st_atim, source.st_mtim};
    return ::futimens(out, times) == 0;
}

// Copies waiting at once: each holds an open file, so a quarter of what the process may open, at most 256.
std::size_t pendingCopiesLimit() {
    struct rlimit limit;
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return 256;
    return std::clamp<std::size_t>(static_cast<std::size_t>(limit.rlim_cur / 4), 1, 256);
}

// Whether one syncfs through a handle reports every write-back error of its file system since the handle was
// opened: so from Linux 5.8 on, and not on FUSE, whose syncfs need not reach the file system's own program.
bool syncfsReportsErrors([[maybe_unused]] int folderFd) {
#ifdef __linux__
    static const bool recentKernel = [] {
        struct utsname u;
        int major = 0, minor = 0;
        return ::uname(&u) == 0 && std::sscanf(u.release, "%d.%d", &major, &minor) == 2 &&
               (major > 5 || (major == 5 && minor >= 8));
    }();
    constexpr long kFuse = 0x65735546;
    struct statfs fs;
    return recentKernel && ::fstatfs(folderFd, &fs) == 0 && static_cast<long>(fs.f_type) != kFuse;
#else
    return false;
#endif
}

// A copy written to its temporary file and waiting to replace its target. The file stays open until the
// rename, since its lock is what keeps other writers' clean-ups off it.
struct PendingCopy {
    std::size_t index;
    std::string temp, target;
    int fd;
    dev_t device;
};

// The file systems a batch of copies goes to. Each is opened before the first temporary on it is written, so
// that its syncfs later reports every error of the copies' write-back; where that cannot be trusted, each
// copy is synced on its own.
class CopyDevices {
  public:
    CopyDevices() = default;
    CopyDevices(const CopyDevices&) = delete;
    CopyDevices& operator=(const CopyDevices&) = delete;
    ~CopyDevices() {
        for (const Device& d : devices_)
            if (d.fd >= 0) ::close(d.fd);
    }

    void add(dev_t device, const std::string& folder) {
        if (find(device)) return;
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        devices_.push_back({device, fd, fd < 0 || !syncfsReportsErrors(fd)});
    }

    // Every pending copy on disk: one journal commit per file system where a sync per file costs one each.
    bool syncWritten(const std::vector<PendingCopy>& pending) const {
        for (const PendingCopy& p : pending)
            if (find(p.device)->perFile && ::fsync(p.fd) != 0) return false;
#ifdef __linux__
        for (const Device& d : devices_) {
            const bool used = std::any_of(pending.begin(), pending.end(),
                                          [&](const PendingCopy& p) { return p.device == d.device; });
            if (used && !d.perFile && ::syncfs(d.fd) != 0) return false;
        }
#endif
        return true;
    }

    // The renames into folders on disk: one more sync of a file system, or of each folder.
    void syncRenames(const std::vector<std::string>& folders) const {
        std::vector<dev_t> synced;
        for (const std::string& folder : folders) {
            struct stat st;
            const Device* d = ::stat(folder.c_str(), &st) == 0 ? find(st.st_dev) : nullptr;
#ifdef __linux__
            if (d && !d->perFile) {
                if (std::find(synced.begin(), synced.end(), d->device) == synced.end()) ::syncfs(d->fd);
                synced.push_back(d->device);
                continue;
            }
#endif
            posix::syncFolder(folder);
        }
    }

  private:
    struct Device {
        dev_t device;
        int fd;
        bool perFile;
    };
    const Device* find(dev_t device) const {
        for (const Device& d : devices_)
            if (d.device == device) return &d;
        return nullptr;
    }
    std::vector<Device> devices_;
};

// One copyFiles call: every copy is written to a temporary beside its target first (no target is touched
// yet), a full set is made durable at once, and only then renamed over the targets, so that a crash leaves
// every target old or new.
class CopyBatch {
  public:
    CopyBatch(const CopyOptions& options, std::size_t total)
        : options_(options), targetOf_(total), limit_(pendingCopiesLimit()) {
        result_.statuses.resize(total);
        result_.readOnly.resize(total);
    }
    CopyBatch(const CopyBatch&) = delete;
    CopyBatch& operator=(const CopyBatch&) = delete;

    // The next name of a group: its copy into a temporary, committed with others when enough are waiting.
    void add(posix::FolderNames& sources, posix::FolderNames& targets, const std::string& name) {
        const std::size_t i = result_.reached++;
        writeTemporary(i, sources, targets, name);
        if (pending_.size() >= limit_) commit();
    }

    std::size_t reached() const { return result_.reached; }

    // The last renames, the folders on disk, and the read-only pass the options ask for.
    CopiesResult finish(const std::vector<CopyGroup>& groups) {
        commit();
        devices_.syncRenames(folders_);
        if (options_.leaveReadOnly) leaveReadOnly(groups);
        return std::move(result_);
    }

  private:
    void fail(std::size_t i, const std::string& why) { result_.statuses[i] = Status::failure(why); }

    void writeTemporary(std::size_t i, posix::FolderNames& sources, posix::FolderNames& targets,
                        const std::string& name) {
        targetOf_[i] = targets.find(name);
        std::string target;
        if (Status s = posix::followLink(targetOf_[i], target); !s) return fail(i, s.error);
        struct stat old;
        if (::stat(target.c_str(), &old) == 0) {
            if (S_ISDIR(old.st_mode)) return fail(i, "a folder of that name exists");
            if (posix::isReadOnly(old) && !options_.replaceReadOnly) return fail(i, "the file is read-only");
        }
        const int in = ::open(sources.find(name).c_str(), O_RDONLY | O_NONBLOCK);
        if (in < 0) return fail(i, errnoText(errno));
        struct stat st;
        if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(in);
            return fail(i, "the source is not a file");
        }
        const mode_t mode =
            options_.leaveReadOnly ? (st.st_mode & 07777 & ~kWriteBits) : (st.st_mode & 07777);
        std::string temp;
        const int out = posix::createTemporary(target, temp);
        struct stat made;
        if (out < 0 || ::fstat(out, &made) != 0) {
            const int err = errno;
            ::close(in);
            if (out >= 0) {
                ::unlink(temp.c_str());
                ::close(out);
            }
            return fail(i, errnoText(err));
        }
        devices_.add(made.st_dev, posix::parentOf(temp));
        const bool filled = copyBytes(in, out) && ::fchmod(out, mode) == 0 && keepTimes(out, st);
        const int err = errno;
        ::close(in);
        if (!filled) {
            fail(i, errnoText(err));
            ::unlink(temp.c_str());
            ::close(out);
            return;
        }
        pending_.push_back({i, std::move(temp), std::move(target), out, made.st_dev});
    }

    // Durable before any of them replaces a target.
    void commit() {
        const bool synced = pending_.empty() || devices_.syncWritten(pending_);
        const std::string why = synced ? "" : errnoText(errno);
        for (const PendingCopy& p : pending_) {
            if (!synced || ::rename(p.temp.c_str(), p.target.c_str()) != 0) {
                fail(p.index, synced ? errnoText(errno) : why);
                ::unlink(p.temp.c_str());
            } else if (std::string folder = posix::parentOf(p.target);
                       std::find(folders_.begin(), folders_.end(), folder) == folders_.end()) {
                folders_.push_back(std::move(folder));
            }
            ::close(p.fd);
        }
        pending_.clear();
    }

    // Also an old copy whose replacement failed or was not reached.
    void leaveReadOnly(const std::vector<CopyGroup>& groups) {
        std::size_t i = 0;
        for (const CopyGroup& group : groups) {
            std::unique_ptr<posix::FolderNames> targets;
            for (const std::string& name : group.names) {
                const std::size_t at = i++;
                if (at < result_.reached && result_.statuses[at]) continue;
                if (targetOf_[at].empty()) {
                    if (!targets)
                        targets =
                            std::make_unique<posix::FolderNames>(PosixFileSystem::resolve(group.toFolder));
                    targetOf_[at] = targets->find(name);
                }
                struct stat st;
                if (::stat(targetOf_[at].c_str(), &st) != 0 || !S_ISREG(st.st_mode) || posix::isReadOnly(st))
                    continue;
                if (::chmod(targetOf_[at].c_str(), st.st_mode & 07777 & ~kWriteBits) != 0)
                    result_.readOnly[at] = Status::failure(errnoText(errno));
            }
        }
    }

    CopyOptions options_;
    CopiesResult result_;
    std::vector<std::string> targetOf_;  // each name's target as found, "" while not looked for
    std::vector<PendingCopy> pending_;
    std::vector<std::string> folders_;  // the folders renamed into
    CopyDevices devices_;
    std::size_t limit_;
};

}  // namespace

Status PosixFileSystem::copy(const std::string& from, const std::string& to) {
    std::string source = resolve(from);
    std::string target = resolve(to);
    int in = ::open(source.c_str(), O_RDONLY | O_NONBLOCK);
    if (in < 0) return Status::failure(errnoText(errno));
    struct stat st;
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return Status::failure("the source is not a file");
    }
    Status s = posix::replaceAtomically(target, st.st_mode & 07777,
                                        [&](int out) { return copyBytes(in, out) && keepTimes(out, st); });
    ::close(in);
    return s;
}

CopiesResult PosixFileSystem::copyFiles(const std::vector<CopyGroup>& groups, const CopyOptions& options,
                                        const CopyProgress& progress) {
    std::size_t total = 0;
    for (const CopyGroup& g : groups) total += g.names.size();
    CopyBatch batch(options, total);
    bool stopped = false;
    for (const CopyGroup& group : groups) {
        if (stopped) break;
        posix::FolderNames sources(resolve(group.fromFolder));
        const std::string toFolder = resolve(group.toFolder);
        posix::FolderNames targets(toFolder);
        posix::removeDeadTemporaries(toFolder);
        for (const std::string& name : group.names) {
            if (progress && !progress(batch.reached(), total)) {
                stopped = true;
                break;
            }
            batch.add(sources, targets, name);
        }
    }
    return batch.finish(groups);
}

}  // namespace hartool::platform
