// The desktop's trash: the home trash for files of its own disk, the disk's own trash for the others.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "core/platform/posix/nativefiles.h"
#include "core/platform/posix/posixfilesystem.h"

namespace hartool::platform {

namespace {

using posix::errnoText;
using posix::joinNative;

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

// The top folder of the mount that holds native: the highest folder above it on the same device.
std::string mountTop(const std::string& native, dev_t device) {
    std::string top = posix::parentOf(absoluteNative(native));
    while (top.size() > 1) {
        const std::string up = posix::parentOf(top);
        struct stat st;
        if (::stat(up.c_str(), &st) != 0 || st.st_dev != device) break;
        top = up;
    }
    return top;
}

// The trash of the disk whose top folder is top, made when missing: "$top/.Trash/$uid" where the shared
// ".Trash" is a real folder with the sticky bit (anything else there is not to be trusted), else
// "$top/.Trash-$uid", which must be this user's own folder.
std::string diskTrash(const std::string& top) {
    const std::string uid = std::to_string(::getuid());
    struct stat st;
    const std::string shared = joinNative(top, ".Trash");
    if (::lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
        const std::string own = joinNative(shared, uid);
        if ((::mkdir(own.c_str(), 0700) == 0 || errno == EEXIST) && ::lstat(own.c_str(), &st) == 0 &&
            S_ISDIR(st.st_mode) && st.st_uid == ::getuid())
            return own;
    }
    const std::string own = joinNative(top, ".Trash-" + uid);
    if (::mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) return {};
    if (::lstat(own.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) return {};
    return own;
}

// The device of path, or of the nearest folder above it that exists: where the home trash is or will be.
dev_t deviceOf(std::string path) {
    struct stat st;
    while (::stat(path.c_str(), &st) != 0) {
        if (path.size() <= 1) return 0;
        path = posix::parentOf(path);
    }
    return st.st_dev;
}

struct Trash {
    std::string folder;
    std::string pathBase;  // what the info file's Path is relative to; "" for absolute paths
};

// Moves native into the trash folder under a name of its own.
TrashResult moveInto(const Trash& trash, const std::string& native) {
    const std::string files = joinNative(trash.folder, "files");
    const std::string info = joinNative(trash.folder, "info");
    if (!makeTrashFolders(files) || !makeTrashFolders(info))
        return {Removal::NO_TRASH, Status::failure("there is no trash folder")};
    const std::string absolute = absoluteNative(native);
    const std::string shown = !trash.pathBase.empty() && absolute.starts_with(trash.pathBase + "/")
                                  ? absolute.substr(trash.pathBase.size() + 1)
                                  : absolute;
    const std::string content = trashInfo(shown);
    const std::string base = posix::baseOf(native);
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
        const bool written = posix::writeAll(fd, content.data(), content.size());
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

}  // namespace

TrashResult PosixFileSystem::trash(const std::string& path) {
    const std::string native = resolve(path);
    // The entry itself: a link goes into the trash as a link, whether or not what it names exists.
    struct stat st;
    if (::lstat(native.c_str(), &st) != 0) {
        if (errno == ENOENT) return {Removal::GONE, {}};
        return {Removal::FAILED, Status::failure(errnoText(errno))};
    }
    if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
        return {Removal::FAILED, Status::failure("it is not a file")};
    if (S_ISREG(st.st_mode) && posix::isReadOnly(st))
        return {Removal::FAILED, Status::failure("the file is read-only")};

    // The home trash takes files of its own disk; a file on another disk goes into that disk's trash, as
    // the desktop's trash does, so that it can be taken back without copying it across.
    const std::string home = homeTrash();
    if (home.empty()) return {Removal::NO_TRASH, Status::failure("there is no trash folder")};
    if (deviceOf(home) == st.st_dev) return moveInto({home, ""}, native);
    // Through its folder's real place: a game reached by a link lies on the disk the link leads to, whose
    // top folder is where the desktop looks for its trash.
    std::string real = native;
    if (char* folder = ::realpath(posix::parentOf(absoluteNative(native)).c_str(), nullptr)) {
        real = joinNative(folder, posix::baseOf(native));
        std::free(folder);
    }
    const std::string top = mountTop(real, st.st_dev);
    const std::string disk = top == "/" ? std::string() : diskTrash(top);
    if (disk.empty())
        return {Removal::NO_TRASH, Status::failure("the trash is on another disk, and this disk has none")};
    return moveInto({disk, top}, real);
}

}  // namespace hartool::platform
