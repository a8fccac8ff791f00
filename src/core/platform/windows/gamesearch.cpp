// Where the game lives on Windows: below the Program Files folders and a "Games" folder of the system drive.
// No Wine prefix is consulted.

#include "core/platform/gamesearch.h"

#include <windows.h>
// After windows.h, which they need.
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"
#include "core/platform/windows/nativefiles.h"

namespace hartool::platform {

using namespace windows;

namespace {

std::string environment(const wchar_t* name) {
    const DWORD n = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (n == 0) return {};
    std::wstring value(n, L'\0');
    value.resize(::GetEnvironmentVariableW(name, value.data(), n));
    return narrow(value);
}

struct Listing {
    std::vector<std::string> folders;  // sorted
    bool holdsExecutable = false;
};

class Searcher {
  public:
    explicit Searcher(std::string_view executable) : executable_(upperFileName(executable)) {}

    std::size_t opened() const { return opened_; }

    Listing open(const std::string& folder) {
        Listing listing;
        WIN32_FIND_DATAW found;
        std::wstring pattern = longPath(folder);
        if (!isSeparator(pattern.back())) pattern += L'\\';
        HANDLE find = ::FindFirstFileExW((pattern + L"*").c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, 0);
        if (find == INVALID_HANDLE_VALUE) return listing;
        ++opened_;
        do {
            const std::string name = narrow(found.cFileName);
            if (name.empty() || name[0] == '.') continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                listing.folders.push_back(name);
            else if (upperFileName(name) == executable_)
                listing.holdsExecutable = true;
        } while (::FindNextFileW(find, &found));
        ::FindClose(find);
        std::sort(listing.folders.begin(), listing.folders.end());
        return listing;
    }

    // The game folder one or two levels below top, or "".
    std::string searchBelow(const std::string& top) {
        for (const std::string& child : open(top).folders) {
            const std::string one = top + child + "\\";
            const Listing first = open(one);
            if (first.holdsExecutable) return one;
            for (const std::string& grandchild : first.folders) {
                const std::string two = one + grandchild + "\\";
                if (open(two).holdsExecutable) return two;
            }
        }
        return {};
    }

  private:
    std::string executable_;
    std::size_t opened_ = 0;
};

}  // namespace

SearchPlaces SearchPlaces::fromEnvironment() {
    return {environment(L"USERPROFILE"), {}, {}};
}

GameSearch findGameFolder(const SearchPlaces&, std::string_view executable) {
    Searcher searcher(executable);
    std::vector<std::string> tops = {knownFolder(FOLDERID_ProgramFiles),
                                     knownFolder(FOLDERID_ProgramFilesX86)};
    std::string drive = environment(L"SystemDrive");
    tops.push_back((drive.empty() ? std::string("C:") : drive) + "\\Games\\");
    GameSearch result;
    for (std::size_t i = 0; i < tops.size(); ++i) {
        // On 32-bit Windows both Program Files are one folder.
        if (tops[i].empty() || std::find(tops.begin(), tops.begin() + i, tops[i]) != tops.begin() + i)
            continue;
        result.folder = searcher.searchBelow(tops[i]);
        if (!result.folder.empty()) break;
    }
    result.foldersOpened = searcher.opened();
    return result;
}

std::string expandHome(std::string_view path) {
    return expandHome(path, environment(L"USERPROFILE"));
}

std::string spelledOnDisk(const std::string& path) {
    if (path.empty() || !folderExists(path)) return path;
    std::string folder = narrow(asOnDisk(fullPath(path)));
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace hartool::platform
