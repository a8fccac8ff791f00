#include "core/platform/gamesearch.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "core/platform/filesystem.h"

namespace hartool::platform {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

std::string upperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

struct Listing {
    std::vector<std::string> folders;  // native names, sorted
    bool holdsExecutable = false;
};

class Searcher {
  public:
    explicit Searcher(std::string_view executable) : executable_(upperAscii(executable)) {}

    std::size_t opened() const { return opened_; }

    Listing open(const std::string& folder) {
        Listing listing;
        DIR* dir = ::opendir(folder.c_str());
        if (!dir) return listing;
        ++opened_;
        while (dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (name.empty() || name[0] == '.') continue;
            bool isFolder = e->d_type == DT_DIR, isFile = e->d_type == DT_REG;
            if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
                struct stat st;
                if (::fstatat(::dirfd(dir), name.c_str(), &st, 0) != 0) continue;
                isFolder = S_ISDIR(st.st_mode);
                isFile = S_ISREG(st.st_mode);
            }
            if (isFolder) listing.folders.push_back(name);
            if (isFile && upperAscii(name) == executable_) listing.holdsExecutable = true;
        }
        ::closedir(dir);
        std::sort(listing.folders.begin(), listing.folders.end());
        return listing;
    }

    // Each folder below parent, as candidate prefixes (a launcher keeps one per game).
    std::vector<std::string> children(const std::string& parent, const std::string& below = "") {
        std::vector<std::string> result;
        for (const std::string& name : open(parent).folders) result.push_back(parent + "/" + name + below);
        return result;
    }

    // The game folder below one prefix's C: drive, or "".
    std::string searchPrefix(const std::string& prefix) {
        struct stat st;
        if (::stat(prefix.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return {};
        // Steam's two places are often one folder reached by a link.
        if (!seen_.insert({st.st_dev, st.st_ino}).second) return {};
        for (const char* base :
             {"/drive_c/Program Files", "/drive_c/Program Files (x86)", "/drive_c/Games"}) {
            const std::string top = prefix + base;
            if (::stat(top.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) continue;
            for (const std::string& child : open(top).folders) {
                const std::string one = top + "/" + child;
                const Listing first = open(one);
                if (first.holdsExecutable) return one;
                for (const std::string& grandchild : first.folders) {
                    const std::string two = one + "/" + grandchild;
                    if (open(two).holdsExecutable) return two;
                }
            }
        }
        return {};
    }

  private:
    std::string executable_;
    std::size_t opened_ = 0;
    std::set<std::pair<dev_t, ino_t>> seen_;
};

}  // namespace

SearchPlaces SearchPlaces::fromEnvironment() {
    SearchPlaces places{environment("HOME"), environment("WINEPREFIX"), environment("XDG_DATA_HOME")};
    if (places.dataHome.empty()) places.dataHome = places.home + "/.local/share";
    return places;
}

GameSearch findGameFolder(const SearchPlaces& places, std::string_view executable) {
    Searcher searcher(executable);
    const std::string& home = places.home;
    const std::string& data = places.dataHome;
    // Lists of prefixes are opened only when the places before them held no game.
    const std::vector<std::function<std::vector<std::string>()>> groups = {
        [&] {
            std::vector<std::string> v;
            if (!places.winePrefix.empty()) v.push_back(places.winePrefix);
            if (!home.empty()) v.push_back(home + "/.wine");
            return v;
        },
        [&] { return home.empty() ? std::vector<std::string>{} : searcher.children(home + "/Games"); },
        // Heroic keeps one prefix per game below "Prefixes/default" (before, below "Prefixes" itself).
        [&] {
            if (home.empty()) return std::vector<std::string>{};
            std::vector<std::string> v = searcher.children(home + "/Games/Heroic/Prefixes/default");
            for (std::string& p : searcher.children(home + "/Games/Heroic/Prefixes"))
                v.push_back(std::move(p));
            return v;
        },
        [&] { return searcher.children(data + "/wineprefixes"); },
        [&] {
            return home.empty() ? std::vector<std::string>{}
                                : searcher.children(home + "/.steam/steam/steamapps/compatdata", "/pfx");
        },
        [&] { return searcher.children(data + "/Steam/steamapps/compatdata", "/pfx"); },
        [&] { return searcher.children(data + "/bottles/bottles"); },
        [&] {
            return home.empty()
                       ? std::vector<std::string>{}
                       : searcher.children(home + "/.var/app/com.usebottles.bottles/data/bottles/bottles");
        },
    };
    GameSearch result;
    for (const auto& group : groups) {
        for (const std::string& prefix : group()) {
            std::string found = searcher.searchPrefix(prefix);
            if (found.empty()) continue;
            result.folder = found + "/";
            result.foldersOpened = searcher.opened();
            return result;
        }
    }
    result.foldersOpened = searcher.opened();
    return result;
}

std::string expandHome(std::string_view path) {
    return expandHome(path, environment("HOME"));
}

std::string spelledOnDisk(const std::string& path) {
    if (path.empty() || !folderExists(path)) return path;
    std::string native = fileSystem().nativePath(path);
    const char separator = native.find('/') != std::string::npos ? '/' : '\\';
    while (native.size() > 1 && isSeparator(native.back())) native.pop_back();
    if (native.size() == 1 && isSeparator(native[0])) return native;
    return native + separator;
}

}  // namespace hartool::platform
