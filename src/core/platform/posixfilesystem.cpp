#include "core/platform/posixfilesystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/utsname.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/vfs.h>
#endif

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/platform/codepage.h"

namespace hartool::platform {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string errnoText(int err) {
    return std::strerror(err);
}

constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

bool isReadOnly(const struct stat& st) {
    return (st.st_mode & kWriteBits) == 0;
}

std::string joinNative(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string wineDrive(char letter) {
    const char* prefixEnv = std::getenv("WINEPREFIX");
    std::string prefix;
    if (prefixEnv && *prefixEnv) {
        prefix = prefixEnv;
    } else {
        const char* home = std::getenv("HOME");
        prefix = std::string(home ? home : "") + "/.wine";
    }
    char lower = static_cast<char>(letter | 0x20);
    std::string link = prefix + "/dosdevices/" + lower + ":";
    struct stat st;
    if (::stat(link.c_str(), &st) == 0 || lower != 'c') return link;
    return prefix + "/drive_c";
}

// The entries of one folder by their upper-cased names, each the first in name order. A listing is kept only
// while the folder's last-write time stays the same, and only when that time lay well before the listing was
// read: a change within the same clock tick could otherwise go unseen.
struct FolderIndex {
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    std::unordered_map<std::string, std::string> byUpperName;
};

std::mutex indexMutex;
std::unordered_map<std::string, FolderIndex> folderIndexes;
constexpr std::size_t kMaxIndexedFolders = 256;
constexpr time_t kSettledSeconds = 2;

bool sameFolderState(const FolderIndex& index, const struct stat& st) {
    return index.device == st.st_dev && index.inode == st.st_ino &&
           index.modified.tv_sec == st.st_mtim.tv_sec && index.modified.tv_nsec == st.st_mtim.tv_nsec;
}

FolderIndex readFolderIndex(const std::string& folder, const struct stat& st) {
    FolderIndex index{st.st_dev, st.st_ino, st.st_mtim, {}};
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return index;
    std::vector<std::string> names;
    while (dirent* e = ::readdir(dir)) {
        std::string native = e->d_name;
        if (native != "." && native != "..") names.push_back(std::move(native));
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    for (std::string& native : names) {
        bool ok = false;
        std::string asGameText = utf8ToCp1252(native, &ok);
        if (ok) index.byUpperName.emplace(upper1252(asGameText), std::move(native));
    }
    return index;
}

// The first entry of folder (in name order) equal to name without regard to case, or "" when none.
std::string findCaseInsensitive(const std::string& folder, const std::string& name) {
    const std::string dir = folder.empty() ? "." : folder;
    struct stat st;
    if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return {};
    const std::string key = upper1252(name);
    auto lookup = [&](const FolderIndex& index) {
        auto found = index.byUpperName.find(key);
        return found == index.byUpperName.end() ? std::string() : found->second;
    };
    const bool cacheable = dir[0] == '/';  // a relative folder changes with the working folder
    std::lock_guard<std::mutex> lock(indexMutex);
    if (cacheable) {
        auto cached = folderIndexes.find(dir);
        if (cached != folderIndexes.end() && sameFolderState(cached->second, st))
            return lookup(cached->second);
    }
    FolderIndex index = readFolderIndex(dir, st);
    std::string result = lookup(index);
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    if (cacheable && now.tv_sec - st.st_mtim.tv_sec >= kSettledSeconds) {
        if (folderIndexes.size() >= kMaxIndexedFolders) folderIndexes.clear();
        folderIndexes[dir] = std::move(index);
    }
    return result;
}

DateTime toDateTime(const timespec& ts) {
    std::tm tm{};
    time_t seconds = ts.tv_sec;
    ::localtime_r(&seconds, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::uint32_t attributesOf(const struct stat& st) {
    return ARCHIVE | (isReadOnly(st) ? READONLY : 0u);
}

std::string parentOf(const std::string& native) {
    auto slash = native.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return native.substr(0, slash);
}

std::string baseOf(const std::string& native) {
    auto slash = native.find_last_of('/');
    return slash == std::string::npos ? native : native.substr(slash + 1);
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

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

// A hidden temporary file beside target, so that the final rename stays in one file system; returned locked
// (see above), and not inherited by programs the tool starts, which would keep the lock alive.
int createTemporary(const std::string& target, std::string& tempPath) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = joinNative(parentOf(target), "." + baseOf(target) + std::string(kTemporaryTag) + "XXXXXX");
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

void syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

mode_t defaultFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Checks shared by write and copy: the target may be replaced.
Status checkReplaceable(const std::string& native) {
    struct stat st;
    if (::stat(native.c_str(), &st) != 0) return Status::success();
    if (S_ISDIR(st.st_mode)) return Status::failure("a folder of that name exists");
    if (isReadOnly(st)) return Status::failure("the file is read-only");
    return Status::success();
}

// A link is followed, so that the file it points at gets the new content rather than the link being replaced.
// A link whose file is gone is refused: replacing it would turn the link into a file of its own.
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

// Fills a temporary file through fill(fd), then renames it over target. The old file survives any failure.
template <class Fill>
Status replaceAtomically(const std::string& linkOrTarget, mode_t mode, Fill fill) {
    std::string target;
    if (Status s = followLink(linkOrTarget, target); !s) return s;
    if (Status s = checkReplaceable(target); !s) return s;
    removeDeadTemporaries(parentOf(target));
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
    syncFolder(parentOf(target));
    return Status::success();
}

}  // namespace

std::string PosixFileSystem::resolve(const std::string& path) {
    std::string root;
    std::size_t pos = 0;
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
        root = wineDrive(path[0]);
        pos = 2;
    } else if (!path.empty() && isSeparator(path[0])) {
        root = "/";
    }
    std::vector<std::string> components;  // native spelling, as given
    while (pos <= path.size()) {
        std::size_t end = pos;
        while (end < path.size() && !isSeparator(path[end])) ++end;
        std::string component = path.substr(pos, end - pos);
        pos = end + 1;
        if (component.empty() || component == ".") continue;
        if (component != "..") {
            while (component.size() > 1 && component.back() == '.') component.pop_back();
        }
        components.push_back(cp1252ToUtf8(component));
    }

    // Most paths are spelt as on disk already: one look settles them.
    std::string spelt = root;
    for (const std::string& c : components) spelt = joinNative(spelt, c);
    struct stat st;
    if (spelt.empty() || ::lstat(spelt.c_str(), &st) == 0) return spelt.empty() ? "." : spelt;

    std::string current = root;
    bool searching = true;  // once a folder is missing, nothing below it can be matched
    for (const std::string& native : components) {
        std::string exact = joinNative(current, native);
        if (!searching || native == ".." || ::lstat(exact.c_str(), &st) == 0) {
            current = exact;
            continue;
        }
        std::string found = findCaseInsensitive(current, utf8ToCp1252(native));
        if (found.empty()) {
            searching = false;
            current = exact;
        } else {
            current = joinNative(current, found);
        }
    }
    if (current.empty()) current = ".";
    return current;
}

namespace {

// Opens an ordinary file for reading; on failure -1, with r telling why.
// True when path is already a native absolute path that resolution would leave as it is (if it exists): no
// "\", no drive, no component ending in ".". Such a path can be tried as it stands.
bool nativeAsItStands(const std::string& path) {
    if (path.empty() || path[0] != '/' || path.find('\\') != std::string::npos) return false;
    for (std::size_t i = 0; i < path.size(); ++i)
        if (path[i] == '.' && (i + 1 == path.size() || path[i + 1] == '/')) return false;
    return true;
}

int openForReading(const std::string& path, ReadResult& r, struct stat& st) {
    // Non-blocking, so that a pipe of that name cannot hang the tool before it is found not to be a file;
    // for the ordinary files read afterwards the flag changes nothing.
    constexpr int kFlags = O_RDONLY | O_NONBLOCK;
    // The tool reads many files by names a listing just gave: try such a name before searching for it.
    int fd = nativeAsItStands(path) ? ::open(cp1252ToUtf8(path).c_str(), kFlags) : -1;
    if (fd < 0) fd = ::open(PosixFileSystem::resolve(path).c_str(), kFlags);
    if (fd < 0) {
        r.missing = errno == ENOENT || errno == ENOTDIR;
        r.error = errnoText(errno);
        return -1;
    }
    if (::fstat(fd, &st) != 0) {
        r.error = errnoText(errno);
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        r.error = S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a file";
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

ReadResult PosixFileSystem::read(const std::string& path) const {
    ReadResult r;
    struct stat st;
    int fd = openForReading(path, r, st);
    if (fd < 0) return r;
    r.content.resize(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    for (;;) {
        if (got == r.content.size()) r.content.resize(got + 65536);  // the file may have grown
        ssize_t n = ::read(fd, r.content.data() + got, r.content.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            r.error = errnoText(errno);
            r.content.clear();
            ::close(fd);
            return r;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    r.content.resize(got);
    ::close(fd);
    r.ok = true;
    return r;
}

ReadResult PosixFileSystem::readUntil(const std::string& path,
                                      const std::function<bool(std::string_view chunk)>& consume) const {
    ReadResult r;
    struct stat st;
    int fd = openForReading(path, r, st);
    if (fd < 0) return r;
    // A title on line 1 is a few dozen bytes: the first read is short and needs no buffer from the heap.
    // Only a caller that wants more gets the larger buffer, allocated without being cleared.
    char first[512];
    std::unique_ptr<char[]> buf;
    constexpr std::size_t kMaxChunk = 64 << 10;
    std::size_t chunk = 4096;
    for (bool firstRead = true;;) {
        if (!firstRead && !buf) buf.reset(new char[kMaxChunk]);
        char* into = firstRead ? first : buf.get();
        ssize_t n = ::read(fd, into, firstRead ? sizeof first : chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            r.error = errnoText(errno);
            ::close(fd);
            return r;
        }
        if (n == 0 || !consume(std::string_view(into, static_cast<std::size_t>(n)))) break;
        if (!firstRead) chunk = std::min(chunk * 2, kMaxChunk);
        firstRead = false;
    }
    ::close(fd);
    r.ok = true;
    return r;
}

Status PosixFileSystem::write(const std::string& path, std::string_view content) {
    std::string native = resolve(path);
    struct stat st;
    mode_t mode = ::stat(native.c_str(), &st) == 0 ? (st.st_mode & 07777) : defaultFileMode();
    return replaceAtomically(native, mode,
                             [&](int fd) { return writeAll(fd, content.data(), content.size()); });
}

Status PosixFileSystem::writePieces(const std::string& path,
                                    const std::function<void(const PieceWriter&)>& produce) {
    std::string native = resolve(path);
    struct stat st;
    mode_t mode = ::stat(native.c_str(), &st) == 0 ? (st.st_mode & 07777) : defaultFileMode();
    return replaceAtomically(native, mode, [&](int fd) {
        int err = 0;  // the first failure's, kept past what produce does after it
        produce([&](std::string_view piece) {
            if (err == 0 && !writeAll(fd, piece.data(), piece.size())) err = errno;
        });
        errno = err;
        return err == 0;
    });
}

bool PosixFileSystem::fileExists(const std::string& path) const {
    struct stat st;
    return ::stat(resolve(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PosixFileSystem::folderExists(const std::string& path) const {
    struct stat st;
    return ::stat(resolve(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

namespace {

// The ordinary, non-hidden files of pathAndMask's folder that match its mask, unsorted: visit(name, native,
// dir) for each, which may stat it. A name the game cannot spell is not one of its files.
template <class Visit>
void forEachListed(const std::string& pathAndMask, Visit visit) {
    std::size_t cut = pathAndMask.find_last_of("\\/");
    std::string folderPart = cut == std::string::npos ? "" : pathAndMask.substr(0, cut + 1);
    std::string mask = cut == std::string::npos ? pathAndMask : pathAndMask.substr(cut + 1);
    if (mask.empty()) mask = "*";
    std::string folder = folderPart.empty() ? "." : PosixFileSystem::resolve(folderPart);

    // A plain name lists the one file that every other operation on that name reaches.
    std::string chosen;
    if (mask.find_first_of("*?") == std::string::npos)
        chosen = baseOf(PosixFileSystem::resolve(joinNative(folder, cp1252ToUtf8(mask))));

    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (dirent* e = ::readdir(dir)) {
        std::string native = e->d_name;
        if (native.empty() || native[0] == '.') continue;  // hidden, and "." and ".."
        bool representable = false;
        std::string name = utf8ToCp1252(native, &representable);
        if (!representable) continue;
        if (chosen.empty() ? !matchesMask(name, mask) : native != chosen) continue;
        visit(std::move(name), native, dir, e->d_type);
    }
    ::closedir(dir);
}

}  // namespace

std::vector<FileEntry> PosixFileSystem::list(const std::string& pathAndMask) const {
    std::vector<FileEntry> entries;
    forEachListed(pathAndMask, [&](std::string name, const std::string& native, DIR* dir, unsigned char) {
        struct stat st;
        if (::fstatat(::dirfd(dir), native.c_str(), &st, 0) != 0 || !S_ISREG(st.st_mode)) return;
        entries.push_back({std::move(name), static_cast<std::uint64_t>(st.st_size), toDateTime(st.st_mtim),
                           attributesOf(st)});
    });
    std::sort(entries.begin(), entries.end(),
              [](const FileEntry& a, const FileEntry& b) { return a.name < b.name; });
    return entries;
}

std::vector<std::string> PosixFileSystem::listNames(const std::string& pathAndMask) const {
    std::vector<std::string> names;
    forEachListed(pathAndMask, [&](std::string name, const std::string& native, DIR* dir,
                                   unsigned char type) {
        // The folder entry tells an ordinary file without a stat; a link or an unknown kind is looked at.
        struct stat st;
        if (type != DT_REG && (::fstatat(::dirfd(dir), native.c_str(), &st, 0) != 0 || !S_ISREG(st.st_mode)))
            return;
        names.push_back(std::move(name));
    });
    std::sort(names.begin(), names.end());
    return names;
}

Status PosixFileSystem::remove(const std::string& path) {
    std::string native = resolve(path);
    struct stat st;
    if (::stat(native.c_str(), &st) != 0) return Status::failure(errnoText(errno));
    if (!S_ISREG(st.st_mode)) return Status::failure("it is not a file");
    if (isReadOnly(st)) return Status::failure("the file is read-only");
    if (::unlink(native.c_str()) != 0) return Status::failure(errnoText(errno));
    return Status::success();
}

namespace {

// The home trash's folder, or "" when neither $XDG_DATA_HOME nor $HOME says where it is.
std::string homeTrash() {
    const char* data = std::getenv("XDG_DATA_HOME");
    // A relative $XDG_DATA_HOME is invalid and to be ignored.
    if (data && data[0] == '/') return joinNative(data, "Trash");
    const char* home = std::getenv("HOME");
    if (home && *home) return joinNative(home, ".local/share/Trash");
    return {};
}

// folder and every missing folder above it; the trash is private to its owner.
bool makeTrashFolders(const std::string& folder) {
    for (std::size_t slash = 1; slash <= folder.size(); ++slash) {
        if (slash < folder.size() && folder[slash] != '/') continue;
        const std::string prefix = folder.substr(0, slash);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    struct stat st;
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string absoluteNative(const std::string& native) {
    if (!native.empty() && native[0] == '/') return native;
    std::vector<char> buf(4096);
    while (!::getcwd(buf.data(), buf.size())) {
        if (errno != ERANGE) return native;
        buf.resize(buf.size() * 2);
    }
    return joinNative(buf.data(), native.starts_with("./") ? native.substr(2) : native);
}

// As a URL path: every byte but the unreserved characters and "/" as "%XX".
std::string percentEncoded(const std::string& path) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' ||
            c == '-' || c == '.' || c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string trashInfo(const std::string& absolute) {
    const time_t now = ::time(nullptr);
    std::tm tm{};
    ::localtime_r(&now, &tm);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &tm);
    return "[Trash Info]\nPath=" + percentEncoded(absolute) + "\nDeletionDate=" + date + "\n";
}

// The n-th name for a file called base: base itself first, then "NAME.2.TXT", "NAME.3.TXT", ...
std::string numberedName(const std::string& base, int n) {
    if (n == 1) return base;
    const std::size_t dot = base.find_last_of('.');
    if (dot == std::string::npos || dot == 0) return base + "." + std::to_string(n);
    return base.substr(0, dot) + "." + std::to_string(n) + base.substr(dot);
}

}  // namespace

TrashResult PosixFileSystem::trash(const std::string& path) {
    const std::string native = resolve(path);
    struct stat st;
    if (::stat(native.c_str(), &st) != 0)
        return errno == ENOENT ? TrashResult{Removal::GONE, {}}
                               : TrashResult{Removal::FAILED, Status::failure(errnoText(errno))};
    if (!S_ISREG(st.st_mode)) return {Removal::FAILED, Status::failure("it is not a file")};
    if (isReadOnly(st)) return {Removal::FAILED, Status::failure("the file is read-only")};
    const std::string trash = homeTrash();
    const std::string files = joinNative(trash, "files");
    const std::string info = joinNative(trash, "info");
    if (trash.empty() || !makeTrashFolders(files) || !makeTrashFolders(info))
        return {Removal::NO_TRASH, Status::failure("there is no trash folder")};
    const std::string content = trashInfo(absoluteNative(native));
    const std::string base = baseOf(native);
    // The info file comes first and is made exclusively: it claims the name against other programs trashing
    // a file of the same name at the same time.
    for (int n = 1; n < 10000; ++n) {
        const std::string name = numberedName(base, n);
        const std::string infoFile = joinNative(info, name + ".trashinfo");
        const int fd = ::open(infoFile.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return {Removal::NO_TRASH,
                    Status::failure("the trash cannot take it (" + errnoText(errno) + ")")};
        }
        const bool written = writeAll(fd, content.data(), content.size());
        if (::close(fd) != 0 || !written) {
            const int err = errno;
            ::unlink(infoFile.c_str());
            return {Removal::NO_TRASH, Status::failure("the trash cannot take it (" + errnoText(err) + ")")};
        }
        const std::string target = joinNative(files, name);
        struct stat taken;
        if (::lstat(target.c_str(), &taken) == 0) {
            ::unlink(infoFile.c_str());  // a file left there without its info file
            continue;
        }
        if (::rename(native.c_str(), target.c_str()) != 0) {
            const int err = errno;
            ::unlink(infoFile.c_str());
            if (err == EXDEV)
                return {Removal::NO_TRASH, Status::failure("the trash is on another file system")};
            return {Removal::FAILED, Status::failure(errnoText(err))};
        }
        return {Removal::TRASHED, {}};
    }
    return {Removal::NO_TRASH, Status::failure("the trash holds too many files of that name")};
}

Status PosixFileSystem::makeFolder(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && isSeparator(trimmed.back())) trimmed.pop_back();
    std::string native = resolve(trimmed);
    struct stat st;
    if (::stat(native.c_str(), &st) == 0) {
        return S_ISDIR(st.st_mode) ? Status::success() : Status::failure("a file of that name exists");
    }
    if (::mkdir(native.c_str(), 0777) != 0) return Status::failure(errnoText(errno));
    return Status::success();
}

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
    Status s = replaceAtomically(target, st.st_mode & 07777, [&](int out) {
        char buf[65536];
        for (;;) {
            ssize_t n = ::read(in, buf, sizeof buf);
            if (n < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            if (n == 0) break;
            if (!writeAll(out, buf, static_cast<std::size_t>(n))) return false;
        }
        // The game compares crew files by their dates, so the copy keeps the source's.
        timespec times[2] = {st.st_atim, st.st_mtim};
        return ::futimens(out, times) == 0;
    });
    ::close(in);
    return s;
}

Status PosixFileSystem::setAttributes(const std::string& path, std::uint32_t attributes) {
    std::string native = resolve(path);
    struct stat st;
    if (::stat(native.c_str(), &st) != 0) return Status::failure(errnoText(errno));
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & READONLY) ? (mode & ~kWriteBits) : (mode | S_IWUSR);
    if (::chmod(native.c_str(), mode) != 0) return Status::failure(errnoText(errno));
    return Status::success();
}

std::string PosixFileSystem::workingFolder() const {
    std::vector<char> buf(4096);
    while (!::getcwd(buf.data(), buf.size())) {
        if (errno != ERANGE) return "./";
        buf.resize(buf.size() * 2);
    }
    std::string cwd = utf8ToCp1252(buf.data());
    if (cwd.empty() || cwd.back() != '/') cwd += '/';
    return cwd;
}

std::string PosixFileSystem::nativePath(const std::string& path) const {
    return resolve(path);
}

// --- copies of many files of one folder ---

namespace {

// Files of one folder found by name as resolve finds a path's last component (exactly, else the first match
// without regard to case, else as given), with the folder resolved and, when needed, read only once.
class FolderNames {
  public:
    explicit FolderNames(std::string native) : native_(std::move(native)) {}

    std::string find(const std::string& name) {
        std::string component = name;
        while (component.size() > 1 && component.back() == '.') component.pop_back();
        const std::string exact = joinNative(native_, cp1252ToUtf8(component));
        struct stat st;
        if (::lstat(exact.c_str(), &st) == 0) return exact;
        if (!index_) {
            index_ = std::make_unique<FolderIndex>();
            if (::stat(native_.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
                *index_ = readFolderIndex(native_, st);
        }
        const auto found = index_->byUpperName.find(upper1252(component));
        return found == index_->byUpperName.end() ? exact : joinNative(native_, found->second);
    }

  private:
    std::string native_;
    std::unique_ptr<FolderIndex> index_;
};

// The bytes of source into the open temporary file out, then its mode and the source's times.
bool fillCopy(int in, int out, const struct stat& source, mode_t mode) {
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) break;
        if (!writeAll(out, buf, static_cast<std::size_t>(n))) return false;
    }
    // The game compares crew files by their dates, so the copy keeps the source's.
    const timespec times[2] = {source.st_atim, source.st_mtim};
    return ::fchmod(out, mode) == 0 && ::futimens(out, times) == 0;
}

// A copy written to its temporary file and waiting to replace its target. The file stays open until the
// rename, since its lock is what keeps other writers' clean-ups off it.
struct PendingCopy {
    std::size_t index;
    std::string temp, target;
    int fd;
    dev_t device;
};

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
            syncFolder(folder);
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

}  // namespace

CopiesResult PosixFileSystem::copyFiles(const std::vector<CopyGroup>& groups, const CopyOptions& options,
                                        const CopyProgress& progress) {
    std::size_t total = 0;
    for (const CopyGroup& g : groups) total += g.names.size();
    CopiesResult result;
    result.statuses.resize(total);
    result.readOnly.resize(total);
    std::vector<std::string> targetOf(total);
    std::vector<PendingCopy> pending;
    CopyDevices devices;
    const std::size_t pendingLimit = pendingCopiesLimit();
    auto fail = [&](std::size_t i, const std::string& why) { result.statuses[i] = Status::failure(why); };

    // Every copy into a temporary file beside its target; no target is touched yet.
    auto writeTemporary = [&](std::size_t i, FolderNames& sources, FolderNames& targets,
                              const std::string& name) {
        targetOf[i] = targets.find(name);
        std::string target;
        if (Status s = followLink(targetOf[i], target); !s) return fail(i, s.error);
        struct stat old;
        if (::stat(target.c_str(), &old) == 0) {
            if (S_ISDIR(old.st_mode)) return fail(i, "a folder of that name exists");
            if (isReadOnly(old) && !options.replaceReadOnly) return fail(i, "the file is read-only");
        }
        const int in = ::open(sources.find(name).c_str(), O_RDONLY | O_NONBLOCK);
        if (in < 0) return fail(i, errnoText(errno));
        struct stat st;
        if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(in);
            return fail(i, "the source is not a file");
        }
        const mode_t mode = options.leaveReadOnly ? (st.st_mode & 07777 & ~kWriteBits) : (st.st_mode & 07777);
        std::string temp;
        const int out = createTemporary(target, temp);
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
        devices.add(made.st_dev, parentOf(temp));
        const bool filled = fillCopy(in, out, st, mode);
        const int err = errno;
        ::close(in);
        if (!filled) {
            fail(i, errnoText(err));
            ::unlink(temp.c_str());
            ::close(out);
            return;
        }
        pending.push_back({i, std::move(temp), std::move(target), out, made.st_dev});
    };
    std::vector<std::string> folders;
    // Durable before any of them replaces a target, so that a crash leaves every target old or new.
    auto commit = [&] {
        const bool synced = pending.empty() || devices.syncWritten(pending);
        const std::string why = synced ? "" : errnoText(errno);
        for (const PendingCopy& p : pending) {
            if (!synced || ::rename(p.temp.c_str(), p.target.c_str()) != 0) {
                fail(p.index, synced ? errnoText(errno) : why);
                ::unlink(p.temp.c_str());
            } else if (std::string folder = parentOf(p.target);
                       std::find(folders.begin(), folders.end(), folder) == folders.end()) {
                folders.push_back(std::move(folder));
            }
            ::close(p.fd);
        }
        pending.clear();
    };
    for (const CopyGroup& group : groups) {
        FolderNames sources(resolve(group.fromFolder));
        const std::string toFolder = resolve(group.toFolder);
        FolderNames targets(toFolder);
        removeDeadTemporaries(toFolder);
        bool stopped = false;
        for (const std::string& name : group.names) {
            if (progress && !progress(result.reached, total)) {
                stopped = true;
                break;
            }
            writeTemporary(result.reached++, sources, targets, name);
            if (pending.size() >= pendingLimit) commit();
        }
        if (stopped) break;
    }
    commit();
    devices.syncRenames(folders);

    if (options.leaveReadOnly) {
        // Also an old copy whose replacement failed or was not reached.
        std::size_t i = 0;
        for (const CopyGroup& group : groups) {
            std::unique_ptr<FolderNames> targets;
            for (const std::string& name : group.names) {
                const std::size_t at = i++;
                if (at < result.reached && result.statuses[at]) continue;
                if (targetOf[at].empty()) {
                    if (!targets) targets = std::make_unique<FolderNames>(resolve(group.toFolder));
                    targetOf[at] = targets->find(name);
                }
                struct stat st;
                if (::stat(targetOf[at].c_str(), &st) != 0 || !S_ISREG(st.st_mode) || isReadOnly(st))
                    continue;
                if (::chmod(targetOf[at].c_str(), st.st_mode & 07777 & ~kWriteBits) != 0)
                    result.readOnly[at] = Status::failure(errnoText(errno));
            }
        }
    }
    return result;
}

}  // namespace hartool::platform
