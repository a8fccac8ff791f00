#include "core/platform/posix/paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "core/platform/codepage.h"
#include "core/platform/posix/nativefiles.h"
#include "core/platform/posix/posixfilesystem.h"

namespace hartool::platform::posix {

// The entries of one folder by their names folded as upperFileName folds them, each the first in name order.
// A listing is kept only while the folder's last-write time stays the same, and only when that time lay well
// before the listing was read: a change within the same clock tick could otherwise go unseen.
struct FolderIndex {
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    std::unordered_map<std::string, std::string> byUpperName;
};

namespace {

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
    for (std::string& native : names) index.byUpperName.emplace(upperFileName(native), std::move(native));
    return index;
}

// The first entry of folder (in name order) equal to name without regard to case, or "" when none.
std::string findCaseInsensitive(const std::string& folder, const std::string& name) {
    const std::string dir = folder.empty() ? "." : folder;
    struct stat st;
    if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return {};
    const std::string key = upperFileName(name);
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

}  // namespace

bool nativeAsItStands(const std::string& path) {
    if (path.empty() || path[0] != '/' || path.find('\\') != std::string::npos) return false;
    for (std::size_t i = 0; i < path.size(); ++i)
        if (path[i] == '.' && (i + 1 == path.size() || path[i + 1] == '/')) return false;
    return true;
}

FolderNames::FolderNames(std::string native) : native_(std::move(native)) {}
FolderNames::~FolderNames() = default;

std::string FolderNames::find(const std::string& name) {
    std::string component = name;
    while (component.size() > 1 && component.back() == '.') component.pop_back();
    const std::string exact = joinNative(native_, component);
    struct stat st;
    if (::lstat(exact.c_str(), &st) == 0) return exact;
    if (!index_) {
        index_ = std::make_unique<FolderIndex>();
        if (::stat(native_.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) *index_ = readFolderIndex(native_, st);
    }
    const auto found = index_->byUpperName.find(upperFileName(component));
    return found == index_->byUpperName.end() ? exact : joinNative(native_, found->second);
}

}  // namespace hartool::platform::posix

namespace hartool::platform {

std::string PosixFileSystem::resolve(const std::string& path) {
    using namespace posix;
    std::string root;
    std::size_t pos = 0;
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
        root = wineDrive(path[0]);
        pos = 2;
    } else if (!path.empty() && isSeparator(path[0])) {
        root = "/";
    }
    std::vector<std::string> components;  // as given
    while (pos <= path.size()) {
        std::size_t end = pos;
        while (end < path.size() && !isSeparator(path[end])) ++end;
        std::string component = path.substr(pos, end - pos);
        pos = end + 1;
        if (component.empty() || component == ".") continue;
        if (component != "..") {
            while (component.size() > 1 && component.back() == '.') component.pop_back();
        }
        components.push_back(std::move(component));
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
        std::string found = findCaseInsensitive(current, native);
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

}  // namespace hartool::platform
