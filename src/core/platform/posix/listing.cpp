// Listing a folder's files by a Windows mask.

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>

#include "core/platform/posix/nativefiles.h"
#include "core/platform/posix/posixfilesystem.h"

namespace hartool::platform {

namespace {

DateTime toDateTime(const timespec& ts) {
    std::tm tm{};
    time_t seconds = ts.tv_sec;
    ::localtime_r(&seconds, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::uint32_t attributesOf(const struct stat& st) {
    return ARCHIVE | (posix::isReadOnly(st) ? READONLY : 0u);
}

// The ordinary, non-hidden files of pathAndMask's folder that match its mask, unsorted: visit(name, dir,
// type) for each, which may stat it. Names are as the disk spells them, whatever their bytes.
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
        chosen = posix::baseOf(PosixFileSystem::resolve(posix::joinNative(folder, mask)));

    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (dirent* e = ::readdir(dir)) {
        std::string native = e->d_name;
        if (native.empty() || native[0] == '.') continue;  // hidden, and "." and ".."
        if (chosen.empty() ? !matchesMask(native, mask) : native != chosen) continue;
        visit(std::move(native), dir, e->d_type);
    }
    ::closedir(dir);
}

}  // namespace

std::vector<FileEntry> PosixFileSystem::list(const std::string& pathAndMask) const {
    std::vector<FileEntry> entries;
    forEachListed(pathAndMask, [&](std::string name, DIR* dir, unsigned char) {
        struct stat st;
        if (::fstatat(::dirfd(dir), name.c_str(), &st, 0) != 0 || !S_ISREG(st.st_mode)) return;
        entries.push_back({std::move(name), static_cast<std::uint64_t>(st.st_size), toDateTime(st.st_mtim),
                           attributesOf(st)});
    });
    std::sort(entries.begin(), entries.end(),
              [](const FileEntry& a, const FileEntry& b) { return a.name < b.name; });
    return entries;
}

std::vector<std::string> PosixFileSystem::listNames(const std::string& pathAndMask) const {
    std::vector<std::string> names;
    forEachListed(pathAndMask, [&](std::string name, DIR* dir, unsigned char type) {
        // The folder entry tells an ordinary file without a stat; a link or an unknown kind is looked at.
        struct stat st;
        if (type != DT_REG && (::fstatat(::dirfd(dir), name.c_str(), &st, 0) != 0 || !S_ISREG(st.st_mode)))
            return;
        names.push_back(std::move(name));
    });
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace hartool::platform
