// The freedesktop.org home trash, where a deleted file can be taken back from.

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

}  // namespace

Status PosixFileSystem::trash(const std::string& path) {
    const std::string native = resolve(path);
    struct stat st;
    if (::stat(native.c_str(), &st) != 0) return Status::failure(errnoText(errno));
    if (!S_ISREG(st.st_mode)) return Status::failure("it is not a file");
    if (posix::isReadOnly(st)) return Status::failure("the file is read-only");
    const std::string trash = homeTrash();
    const std::string files = joinNative(trash, "files");
    const std::string info = joinNative(trash, "info");
    if (trash.empty() || !makeTrashFolders(files) || !makeTrashFolders(info))
        return Status::failure("there is no trash folder");
    const std::string content = trashInfo(absoluteNative(native));
    const std::string base = posix::baseOf(native);
    // The info file comes first and is made exclusively: it claims the name against other programs trashing
    // a file of the same name at the same time.
    for (int n = 1; n < 10000; ++n) {
        const std::string name = numberedName(base, n);
        const std::string infoFile = joinNative(info, name + ".trashinfo");
        const int fd = ::open(infoFile.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return Status::failure("the trash cannot take it (" + errnoText(errno) + ")");
        }
        const bool written = posix::writeAll(fd, content.data(), content.size());
        if (::close(fd) != 0 || !written) {
            const int err = errno;
            ::unlink(infoFile.c_str());
            return Status::failure("the trash cannot take it (" + errnoText(err) + ")");
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
            if (err == EXDEV) return Status::failure("the trash is on another file system");
            return Status::failure(errnoText(err));
        }
        return Status::success();
    }
    return Status::failure("the trash holds too many files of that name");
}

}  // namespace hartool::platform
