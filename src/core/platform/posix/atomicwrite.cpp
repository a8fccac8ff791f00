#include "core/platform/posix/atomicwrite.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <set>
#include <string_view>
#include <vector>

#include "core/platform/posix/nativefiles.h"

namespace hartool::platform::posix {

namespace {

// Leftovers of killed writes. A writer holds an exclusive flock on its temporary from the moment it makes it
// until the rename; the kernel drops the lock when the writer dies, however it dies. So a file that bears our
// temporaries' exact name pattern, is an ordinary file of our user, and can be locked without waiting, has no
// live writer and is removed. A write in progress (of this or another process) holds the lock and is passed
// by; a file of another program does not match the pattern or is not ours; a file system without flock
// refuses the lock and nothing is removed there.
constexpr std::string_view kTemporaryTag = ".hartool-";
constexpr std::size_t kTemporaryRandom = 6;  // mkstemp's "XXXXXX"

bool isTemporaryName(std::string_view name) {
    const std::size_t tail = kTemporaryTag.size() + kTemporaryRandom;
    if (name.size() < 2 + tail || name[0] != '.') return false;
    if (name.substr(name.size() - tail, kTemporaryTag.size()) != kTemporaryTag) return false;
    return std::all_of(name.end() - kTemporaryRandom, name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// The temporary's name for a file called base: ".BASE.hartool-XXXXXX", with BASE cut (at a character's
// start) so that the whole stays within the 255 bytes a name may have; the pattern still marks it as ours.
std::string temporaryPattern(const std::string& base) {
    constexpr std::size_t kNameMax = 255;
    const std::size_t room = kNameMax - 1 - kTemporaryTag.size() - kTemporaryRandom;
    std::size_t keep = std::min(base.size(), room);
    while (keep > 0 && keep < base.size() && (static_cast<unsigned char>(base[keep]) & 0xC0) == 0x80) --keep;
    return "." + base.substr(0, keep) + std::string(kTemporaryTag) + std::string(kTemporaryRandom, 'X');
}

// The folders of a FolderSyncBatch of this thread: those whose sync waits for its end, and those cleaned.
struct Batch {
    int depth = 0;
    std::set<std::string> unsynced, cleaned;
};
thread_local Batch batch;

// Checks shared by write and copy: the target may be replaced.
Status checkReplaceable(const std::string& native) {
    struct stat st;
    if (::stat(native.c_str(), &st) != 0) return Status::success();
    if (S_ISDIR(st.st_mode)) return Status::failure("a folder of that name exists");
    if (isReadOnly(st)) return Status::failure("the file is read-only");
    return Status::success();
}

}  // namespace

void removeDeadTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const int dfd = ::dirfd(dir);
    while (dirent* e = ::readdir(dir)) {
        if (!isTemporaryName(e->d_name)) continue;
        const int fd = ::openat(dfd, e->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat held, now;
        // The name must still be the file we locked: a cleaner never unlinks a name it did not check.
        if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && held.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(dfd, e->d_name, &now, AT_SYMLINK_NOFOLLOW) == 0 && now.st_dev == held.st_dev &&
            now.st_ino == held.st_ino)
            ::unlinkat(dfd, e->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

int createTemporary(const std::string& target, std::string& tempPath) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = joinNative(parentOf(target), temporaryPattern(baseOf(target)));
        std::vector<char> buf(tempPath.begin(), tempPath.end());
        buf.push_back('\0');
        const int fd = ::mkostemp(buf.data(), O_CLOEXEC);
        tempPath = buf.data();
        if (fd < 0) return fd;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK) return fd;  // no flock here: no cleaner can lock it either
            ::close(fd);  // a cleaner got it in the instant before the lock, and removes it
            continue;
        }
        struct stat held, now;
        if (::fstat(fd, &held) == 0 && ::lstat(tempPath.c_str(), &now) == 0 && now.st_dev == held.st_dev &&
            now.st_ino == held.st_ino)
            return fd;
        ::close(fd);  // removed by a cleaner before it was locked
    }
    errno = EAGAIN;
    return -1;
}

mode_t defaultFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

Status followLink(const std::string& native, std::string& target) {
    target = native;
    struct stat st;
    if (::lstat(native.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return Status::success();
    char* real = ::realpath(native.c_str(), nullptr);
    if (!real) return Status::failure("it is a link to a file that is not there (" + errnoText(errno) + ")");
    target = real;
    std::free(real);
    return Status::success();
}

Status replaceAtomically(const std::string& linkOrTarget, mode_t mode,
                         const std::function<bool(int fd)>& fill) {
    std::string target;
    if (Status s = followLink(linkOrTarget, target); !s) return s;
    if (Status s = checkReplaceable(target); !s) return s;
    const std::string folder = parentOf(target);
    if (batch.depth == 0 || batch.cleaned.insert(folder).second) removeDeadTemporaries(folder);
    std::string temp;
    int fd = createTemporary(target, temp);
    if (fd < 0) return Status::failure(errnoText(errno));
    auto fail = [&](int err) {
        ::unlink(temp.c_str());
        ::close(fd);
        return Status::failure(errnoText(err));
    };
    if (!fill(fd)) return fail(errno);
    if (::fchmod(fd, mode) != 0) return fail(errno);
    if (::fsync(fd) != 0) return fail(errno);
    // Closed only after the rename: closing drops the lock that keeps cleaners off the temporary. The data
    // is synced by then, so a failing close has nothing left to lose.
    if (::rename(temp.c_str(), target.c_str()) != 0) return fail(errno);
    ::close(fd);
    if (batch.depth > 0)
        batch.unsynced.insert(folder);
    else
        syncFolder(folder);
    return Status::success();
}

}  // namespace hartool::platform::posix

namespace hartool::platform {

FolderSyncBatch::FolderSyncBatch() {
    ++posix::batch.depth;
}

FolderSyncBatch::~FolderSyncBatch() {
    if (--posix::batch.depth > 0) return;
    for (const std::string& folder : posix::batch.unsynced) posix::syncFolder(folder);
    posix::batch.unsynced.clear();
    posix::batch.cleaned.clear();
}

}  // namespace hartool::platform
