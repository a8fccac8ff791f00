#include "core/platform/filesystem.h"

#include <array>
#include <cstdio>

#include "core/base/seam.h"
#include "core/platform/codepage.h"
#include "core/platform/native.h"

namespace hartool::platform {

std::string DateTime::date() const {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, month, day);
    return buf;
}

std::string DateTime::time() const {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", hour, minute, second);
    return buf;
}

Status FileSystem::writePieces(const std::string& path,
                               const std::function<void(const PieceWriter&)>& produce) {
    std::string content;
    produce([&content](std::string_view piece) { content.append(piece); });
    return write(path, content);
}

std::vector<std::string> FileSystem::listNames(const std::string& pathAndMask) const {
    std::vector<std::string> names;
    for (FileEntry& e : list(pathAndMask)) names.push_back(std::move(e.name));
    return names;
}

CopiesResult FileSystem::copyFiles(const std::vector<CopyGroup>& groups, const CopyOptions& options,
                                   const CopyProgress& progress) {
    std::vector<std::pair<std::string, std::string>> files;  // from, to
    for (const CopyGroup& g : groups)
        for (const std::string& name : g.names) files.emplace_back(g.fromFolder + name, g.toFolder + name);
    CopiesResult result;
    result.statuses.resize(files.size());
    result.readOnly.resize(files.size());
    for (; result.reached < files.size(); ++result.reached) {
        const std::size_t i = result.reached;
        if (progress && !progress(i, files.size())) break;
        const auto& [from, to] = files[i];
        Status& s = result.statuses[i];
        if (options.replaceReadOnly && fileExists(to)) s = setAttributes(to, NORMAL);
        if (s) s = copy(from, to);
    }
    if (options.leaveReadOnly) {
        for (std::size_t i = 0; i < files.size(); ++i) {
            // A file not there has nothing to protect.
            if (fileExists(files[i].second))
                result.readOnly[i] = setAttributes(files[i].second, READONLY | ARCHIVE);
        }
    }
    return result;
}

namespace {

Seam<FileSystem>& seam() {
    static Seam<FileSystem> installed(nativeFileSystem());
    return installed;
}

bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// "?" takes one character, all the bytes of a UTF-8 one. fold: ASCII letters compare without regard to case
// (for ASCII alone; other names are folded beforehand).
bool globMatch(std::string_view name, std::string_view mask, bool fold) {
    // Greedy match with one backtrack point: linear for masks with a single "*", never exponential.
    std::size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && mask[m] == '?') {
            ++m, ++n;
            while (n < name.size() && isContinuation(name[n])) ++n;
        } else if (m < mask.size() &&
                   (fold ? upper1252(mask[m]) == upper1252(name[n]) : mask[m] == name[n])) {
            ++m, ++n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

bool maskMatch(std::string_view name, std::string_view mask, bool fold) {
    if (globMatch(name, mask, fold)) return true;
    // As on Windows, "NAME.*" also takes "NAME" without any extension.
    return mask.size() >= 2 && mask.substr(mask.size() - 2) == ".*" &&
           globMatch(name, mask.substr(0, mask.size() - 2), fold);
}

bool isAscii(std::string_view s) {
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

FileSystem& fileSystem() {
    return seam().get();
}

FileSystem* installFileSystem(FileSystem* fs) {
    return seam().install(fs);
}

Status makeFolders(const std::string& path, std::string* failed) {
    // Nearly always there already: one look instead of one for each folder above it.
    if (folderExists(path)) return Status::success();
    auto separator = [](char c) { return c == '\\' || c == '/'; };
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !separator(path[i])) continue;
        const std::string prefix = path.substr(0, i);
        if (prefix.empty() || separator(prefix.back()) || prefix.back() == ':') continue;
        if (folderExists(prefix)) continue;
        if (Status st = makeFolder(prefix); !st) {
            if (failed) *failed = prefix;
            return st;
        }
    }
    return Status::success();
}

std::string pathAsOnDisk(const std::string& path) {
    const std::string native = fileSystem().nativePath(path);
    if (native.empty() || fileSystem().nativePath(native) != native) return path;
    const bool folder = !path.empty() && (path.back() == '\\' || path.back() == '/');
    return folder && native.back() != '/' && native.back() != '\\' ? native + "/" : native;
}

std::string shownPath(const std::string& path, const std::string& base) {
    if (path.empty()) return path;
#ifdef _WIN32
    constexpr char kSeparator = '\\';
#else
    constexpr char kSeparator = '/';
#endif
    std::string native = fileSystem().nativePath(path);
    if (!base.empty()) {
        std::string folder = fileSystem().nativePath(base);
        if (!folder.empty() && folder.back() != kSeparator) folder += kSeparator;
        if (native.size() > folder.size() && native.starts_with(folder)) native.erase(0, folder.size());
    }
    // Messages are game text: a character the code page cannot spell shows as "?". Inside the game folder
    // only the game's own names are left, which it spells.
    return gameNameOf(native);
}

bool isDeviceName(std::string_view name) {
    static constexpr std::array<std::string_view, 28> kDevices{
        "CON",  "PRN",  "AUX",  "NUL",  "COM0",   "COM1",    "COM2",   "COM3",   "COM4", "COM5",
        "COM6", "COM7", "COM8", "COM9", "LPT0",   "LPT1",    "LPT2",   "LPT3",   "LPT4", "LPT5",
        "LPT6", "LPT7", "LPT8", "LPT9", "CONIN$", "CONOUT$", "CLOCK$", "CONERR$"};
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    while (!stem.empty() && stem.front() == ' ') stem.remove_prefix(1);
    const std::string upper = upper1252(stem);
    for (std::string_view device : kDevices)
        if (upper == device) return true;
    return false;
}

std::string fileNameProblem(std::string_view name) {
    if (name.find_first_not_of(' ') == std::string_view::npos) return "type a file name";
    if (name.find_first_of("\\/:") != std::string_view::npos)
        return "the file name must not hold \\, / or : (it names a file of this folder)";
    if (name.find_first_of("*?\"<>|") != std::string_view::npos)
        return "the file name must not hold * ? \" < > or |";
    for (char c : name)
        if (static_cast<unsigned char>(c) < 32) return "the file name must not hold control characters";
    // Windows drops them, so the file would be another one there; "." and ".." are folders.
    const std::size_t kept = name.find_last_not_of(". ");
    if (kept == std::string_view::npos) return "the file name must not be only dots";
    if (kept + 1 < name.size())
        return "a file name cannot end in a dot or blank: it would be saved as \"" +
               std::string(name.substr(0, kept + 1)) + "\"";
    if (isDeviceName(name))
        return "the file name must not be a device name of Windows such as CON or aux.txt";
    return "";
}

bool matchesMask(std::string_view name, std::string_view mask) {
    // Listings match every name of a folder: the usual ASCII pair is compared without copies.
    if (isAscii(name) && isAscii(mask)) return maskMatch(name, mask, true);
    return maskMatch(upperFileName(name), upperFileName(mask), false);
}

}  // namespace hartool::platform
