// Reading, writing and the small operations; paths, listing, copies and the trash have files of their own.

#include "core/platform/posix/posixfilesystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "core/platform/native.h"
#include "core/platform/posix/atomicwrite.h"
#include "core/platform/posix/nativefiles.h"
#include "core/platform/posix/paths.h"

namespace hartool::platform {

using posix::errnoText;

FileSystem& nativeFileSystem() {
    static PosixFileSystem real;
    return real;
}

namespace {

// Opens an ordinary file for reading; on failure -1, with r telling why.
int openForReading(const std::string& path, ReadResult& r, struct stat& st) {
    // Non-blocking, so that a pipe of that name cannot hang the tool before it is found not to be a file;
    // for the ordinary files read afterwards the flag changes nothing.
    constexpr int kFlags = O_RDONLY | O_NONBLOCK;
    // The tool reads many files by names a listing just gave: try such a name before searching for it.
    int fd = posix::nativeAsItStands(path) ? ::open(path.c_str(), kFlags) : -1;
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

// The mode a written file gets: the one it had, else a new file's.
mode_t modeFor(const std::string& native) {
    struct stat st;
    return ::stat(native.c_str(), &st) == 0 ? (st.st_mode & 07777) : posix::defaultFileMode();
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
        // The file may have grown: what follows is looked for in a buffer of its own, so that a file read
        // in full at its size needs neither a larger string nor its clearing.
        char more[4096];
        const bool full = got == r.content.size();
        ssize_t n =
            full ? ::read(fd, more, sizeof more) : ::read(fd, r.content.data() + got, r.content.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            r.error = errnoText(errno);
            r.content.clear();
            ::close(fd);
            return r;
        }
        if (n == 0) break;
        if (full) r.content.append(more, static_cast<std::size_t>(n));
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
    const std::string native = resolve(path);
    return posix::replaceAtomically(
        native, modeFor(native), [&](int fd) { return posix::writeAll(fd, content.data(), content.size()); });
}

Status PosixFileSystem::writePieces(const std::string& path,
                                    const std::function<void(const PieceWriter&)>& produce) {
    const std::string native = resolve(path);
    return posix::replaceAtomically(native, modeFor(native), [&](int fd) {
        int err = 0;  // the first failure's, kept past what produce does after it
        produce([&](std::string_view piece) {
            if (err == 0 && !posix::writeAll(fd, piece.data(), piece.size())) err = errno;
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

Status PosixFileSystem::remove(const std::string& path) {
    std::string native = resolve(path);
    struct stat st;
    // The entry itself: a link is removed as a link, whatever it names or whether that exists.
    if (::lstat(native.c_str(), &st) != 0) return Status::failure(errnoText(errno));
    if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) return Status::failure("it is not a file");
    if (S_ISREG(st.st_mode) && posix::isReadOnly(st)) return Status::failure("the file is read-only");
    if (::unlink(native.c_str()) != 0) return Status::failure(errnoText(errno));
    return Status::success();
}

Status PosixFileSystem::makeFolder(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && posix::isSeparator(trimmed.back())) trimmed.pop_back();
    std::string native = resolve(trimmed);
    struct stat st;
    if (::stat(native.c_str(), &st) == 0) {
        return S_ISDIR(st.st_mode) ? Status::success() : Status::failure("a file of that name exists");
    }
    if (::mkdir(native.c_str(), 0777) != 0) return Status::failure(errnoText(errno));
    return Status::success();
}

Status PosixFileSystem::setAttributes(const std::string& path, std::uint32_t attributes) {
    std::string native = resolve(path);
    struct stat st;
    if (::stat(native.c_str(), &st) != 0) return Status::failure(errnoText(errno));
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & READONLY) ? (mode & ~posix::kWriteBits) : (mode | S_IWUSR);
    if (::chmod(native.c_str(), mode) != 0) return Status::failure(errnoText(errno));
    return Status::success();
}

std::string PosixFileSystem::workingFolder() const {
    std::vector<char> buf(4096);
    while (!::getcwd(buf.data(), buf.size())) {
        if (errno != ERANGE) return "./";
        buf.resize(buf.size() * 2);
    }
    std::string cwd = buf.data();
    if (cwd.empty() || cwd.back() != '/') cwd += '/';
    return cwd;
}

std::string PosixFileSystem::nativePath(const std::string& path) const {
    return resolve(path);
}

}  // namespace hartool::platform
