#pragma once

// Where a Windows game lives on this machine: the search of the usual Wine prefixes for a game folder, and
// the spelling of a folder as the disk has it.

#include <cstddef>
#include <string>
#include <string_view>

namespace hartool::platform {

// The user's folders the search starts from, as the environment names them.
struct SearchPlaces {
    std::string home;        // $HOME
    std::string winePrefix;  // $WINEPREFIX; empty when unset
    std::string dataHome;    // $XDG_DATA_HOME, else home + "/.local/share"

    static SearchPlaces fromEnvironment();
};

struct GameSearch {
    std::string
        folder;  // the first game folder found, spelt as on disk (UTF-8), ending in "/"; empty when none
    std::size_t foldersOpened = 0;
};

// Looks for a folder directly holding executable (compared without regard to case) one or two levels below
// "Program Files", "Program Files (x86)" and "Games" of the C: drives of the usual Wine prefixes: the
// current one, ~/.wine, and those kept by game launchers, Steam and Bottles: each folder of ~/Games (Lutris),
// of ~/Games/Heroic/Prefixes/default and ~/Games/Heroic/Prefixes (Heroic), of wineprefixes, Steam's
// compatdata
// ("pfx") and Bottles' bottles. Opens no other folders.
GameSearch findGameFolder(const SearchPlaces& places, std::string_view executable);

// A leading "~" ("~" alone or "~/...", "~\...") becomes home; any other path is returned as it is.
std::string expandHome(std::string_view path, const std::string& home);
std::string expandHome(std::string_view path);  // with $HOME

// An existing folder as the disk spells it, with the system's separator and ending in one; any other path as
// it is.
std::string spelledOnDisk(const std::string& path);

}  // namespace hartool::platform
