#pragma once

// The one door to the disk. Paths are Windows-style strings of the file system's bytes, UTF-8: "\" and "/"
// both separate, names compare without regard to case (by the 1252 rule for the characters 1252 holds, the
// others exactly), "X:" goes through the Wine prefix. On Linux the bytes reach the system unchanged, also a
// name that is not UTF-8; on Windows they become UTF-16 and back without loss. Game text (what files hold,
// titles, the messages) is Windows-1252: a name crosses between the two through fileNameOf and gameNameOf
// (codepage.h). Everything outside core/platform/ reaches files only through these functions.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace hartool::platform {

// Outcome of an operation that changes the disk.
struct Status {
    bool ok = true;
    std::string error;  // why it failed, for the user; empty on success

    static Status success() { return {}; }
    static Status failure(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

// Attribute bits, as the game's platform numbers them.
enum Attribute : std::uint32_t {
    READONLY = 1,
    HIDDEN = 2,
    SYSTEM = 4,
    ARCHIVE = 32,
    NORMAL = 128,
};

// Last-write date and time in local time, to the second.
struct DateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    std::string date() const;  // "YYYY-MM-DD"
    std::string time() const;  // "HH:MM:SS"
    bool operator==(const DateTime&) const = default;
};

struct FileEntry {
    std::string name;  // without folder, as the file system spells it (UTF-8)
    std::uint64_t size = 0;
    DateTime modified;
    std::uint32_t attributes = 0;
};

// How copyFiles treats the copies it makes.
struct CopyOptions {
    // A read-only target is replaced too, as after clearing its attributes first.
    bool replaceReadOnly = false;
    // Every target ends read-only, also an old one whose replacement failed or was not reached.
    bool leaveReadOnly = false;
};

// What became of a file the trash was asked to take.
enum class Removal {
    TRASHED,   // in the desktop's trash, from where the player can take it back
    GONE,      // there was nothing of that name, not even a link
    NO_TRASH,  // still there: no trash could take it, so only deleting it for good is left
    FAILED,    // still there: it can be neither trashed nor deleted (a read-only file)
};
struct TrashResult {
    Removal removal = Removal::FAILED;
    Status status;  // why, for NO_TRASH and FAILED
};

// Takes the next piece of a file's content.
using PieceWriter = std::function<void(std::string_view piece)>;

// Asked before each file with how many of how many are done; false stops before the next.
using CopyProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Files of one folder to be copied into another, both folders ending in a separator.
struct CopyGroup {
    std::string fromFolder, toFolder;
    std::vector<std::string> names;
};

// Every file of the groups in order, as if their names were one list.
struct CopiesResult {
    std::size_t reached = 0;       // names[0 .. reached) were copied or failed; the rest were not tried
    std::vector<Status> statuses;  // one per name: how its copy went (success for one not reached)
    std::vector<Status> readOnly;  // one per name: how leaving it read-only went (success for nothing to do)
};

struct ReadResult {
    std::string content;   // empty when missing or unreadable
    bool ok = false;       // read in full
    bool missing = false;  // there was no such file
    std::string error;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    virtual ReadResult read(const std::string& path) const = 0;
    // The file from its start, chunk by chunk, until consume returns false or the file ends: a caller after
    // the first lines of a large file need not read the rest. A chunk is valid only during its call. The
    // result is read()'s without the content. This default reads the whole file and hands it over as one
    // chunk.
    virtual ReadResult readUntil(const std::string& path,
                                 const std::function<bool(std::string_view chunk)>& consume) const;
    // Atomic: the file holds either its old content or all of the new one. A read-only file is not written.
    virtual Status write(const std::string& path, std::string_view content) = 0;
    // As write, with the content handed over piece by piece by produce, so that a large file is never whole
    // in memory. This default gathers the pieces and calls write.
    virtual Status writePieces(const std::string& path,
                               const std::function<void(const PieceWriter&)>& produce);
    virtual bool fileExists(const std::string& path) const = 0;  // an ordinary file
    virtual bool folderExists(const std::string& path) const = 0;
    // Ordinary, non-hidden files of the folder part matching the mask part, sorted by name.
    // "C:\GAME\DATA\BATTLES\PLAYER\BATTLE*.TXT"; a path ending in a separator lists everything.
    virtual std::vector<FileEntry> list(const std::string& pathAndMask) const = 0;
    // list's names only, for a caller that needs no size, date or attributes. This default asks list.
    virtual std::vector<std::string> listNames(const std::string& pathAndMask) const;
    virtual Status remove(const std::string& path) = 0;
    // Moves an ordinary file, or a link itself (never what it points to), into the desktop's trash, from
    // where the player can take it back; changes nothing when no trash can take it. A read-only file is
    // refused, as remove refuses it. This default has no trash.
    virtual TrashResult trash(const std::string& /*path*/) {
        return {Removal::NO_TRASH, Status::failure("there is no trash")};
    }
    // One level; an existing folder is success.
    virtual Status makeFolder(const std::string& path) = 0;
    // Replaces the target (unless it is read-only) and keeps the source's last-write time and read-only
    // state.
    virtual Status copy(const std::string& from, const std::string& to) = 0;
    // The named files of each group's folder into its other folder, each as copy does, under options. A copy
    // replaces its target only whole: a crash or a failure leaves each target old or new, and all is on disk
    // when this returns. This default copies one file after the other; a file system may pay for the
    // durability once for all of them.
    virtual CopiesResult copyFiles(const std::vector<CopyGroup>& groups, const CopyOptions& options,
                                   const CopyProgress& progress);
    // Only READONLY has an effect on POSIX; the others are accepted and dropped.
    virtual Status setAttributes(const std::string& path, std::uint32_t attributes) = 0;
    // The process's current folder, ending in a separator.
    virtual std::string workingFolder() const = 0;
    // The path as the operating system spells it, in UTF-8 (for handing to another program or the GUI).
    virtual std::string nativePath(const std::string& path) const = 0;
};

// While one lives, the atomic writes of its thread put off syncing their folders to its end, and clean a
// folder of the temporaries of killed writers once: a batch of many files in one folder then pays for each
// once instead of once a file. Every file is still replaced whole, its content on disk before it takes its
// name; when the batch ends, the names written in it are on disk too. A file system whose writes sync no
// folder ignores it.
class FolderSyncBatch {
  public:
    FolderSyncBatch();
    ~FolderSyncBatch();
    FolderSyncBatch(const FolderSyncBatch&) = delete;
    FolderSyncBatch& operator=(const FolderSyncBatch&) = delete;
};

// The file system in use. Tests may install their own; install returns the one it replaces (nullptr for the
// real one), and nullptr puts the real one back.
FileSystem& fileSystem();
FileSystem* installFileSystem(FileSystem* fs);

// Shorthands for the installed file system.
inline std::string readFile(const std::string& path) {
    return fileSystem().read(path).content;
}
inline ReadResult readFileUntil(const std::string& path,
                                const std::function<bool(std::string_view)>& consume) {
    return fileSystem().readUntil(path, consume);
}
inline Status writeFile(const std::string& path, std::string_view content) {
    return fileSystem().write(path, content);
}
inline Status writeFilePieces(const std::string& path,
                              const std::function<void(const PieceWriter&)>& produce) {
    return fileSystem().writePieces(path, produce);
}
inline bool fileExists(const std::string& path) {
    return fileSystem().fileExists(path);
}
inline bool folderExists(const std::string& path) {
    return fileSystem().folderExists(path);
}
inline std::vector<FileEntry> listFiles(const std::string& pathAndMask) {
    return fileSystem().list(pathAndMask);
}
inline std::vector<std::string> listFileNames(const std::string& pathAndMask) {
    return fileSystem().listNames(pathAndMask);
}
inline Status removeFile(const std::string& path) {
    return fileSystem().remove(path);
}
// Into the trash; never deleted for good (that is removeFile, after the player has agreed).
inline TrashResult trashFile(const std::string& path) {
    return fileSystem().trash(path);
}
inline Status makeFolder(const std::string& path) {
    return fileSystem().makeFolder(path);
}
inline Status copyFile(const std::string& from, const std::string& to) {
    return fileSystem().copy(from, to);
}
inline CopiesResult copyFiles(const std::vector<CopyGroup>& groups, const CopyOptions& options = {},
                              const CopyProgress& progress = {}) {
    return fileSystem().copyFiles(groups, options, progress);
}
inline Status setAttributes(const std::string& path, std::uint32_t attributes) {
    return fileSystem().setAttributes(path, attributes);
}
inline std::string workingFolder() {
    return fileSystem().workingFolder();
}

inline ReadResult FileSystem::readUntil(const std::string& path,
                                        const std::function<bool(std::string_view chunk)>& consume) const {
    ReadResult r = read(path);
    if (!r.content.empty()) consume(r.content);
    r.content.clear();
    return r;
}

// path and every missing folder above it, from the top down; a drive ("C:") or the root is never made. On a
// failure, failed (when given) is the folder that could not be made.
Status makeFolders(const std::string& path, std::string* failed = nullptr);

// The path as the disk spells it, which every later look finds at once where the game's spelling
// ("C:\GAME\DATA") makes each look search the folders above it anew; the path as given when the disk's
// spelling cannot be written as a path here (a backslash or trailing dots in a name). Ends in a separator
// when path does.
std::string pathAsOnDisk(const std::string& path);

// A file as a message names it for the player, in the code page of messages: as the disk spells it, with
// the platform's separators, relative to base (a folder, usually the game folder) when it lies inside it,
// else whole, with "?" for each character the code page cannot spell. "" stays "".
std::string shownPath(const std::string& path, const std::string& base = "");

// A name Windows reserves for a device, with or without extension and blanks: "CON", "aux.txt", "COM1 ",
// "CONIN$".
bool isDeviceName(std::string_view name);
// Why name cannot be a file's name in a folder on Windows and Linux alike; "" when it can. The one rule for
// every name the player types.
std::string fileNameProblem(std::string_view name);

// Windows wildcard match of a file name (UTF-8): "*" any run (dots included), "?" one character, case
// ignored as upperFileName ignores it;
// a trailing ".*" also matches a name without extension, so "*.*" matches every name.
bool matchesMask(std::string_view name, std::string_view mask);

}  // namespace hartool::platform
