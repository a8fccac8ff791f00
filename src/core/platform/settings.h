#pragma once

// Where the tool keeps its settings.

#include <string>

#include "core/platform/filesystem.h"

namespace hartool::platform {

inline constexpr const char* kIniFileName = "HARTOOL.INI";

// The tool's INI file. A "HARTOOL.INI" in the working folder wins (portable use, scripts/run); else the one
// in the desktop's configuration folder: "$XDG_CONFIG_HOME/hartool/", without it "$HOME/.config/hartool/", on
// Windows the program's folder. A missing configuration folder is made here: the profile writer writes into
// an existing folder only.
std::string iniFile();

// A path kept in the settings (PATH): UTF-8, as the file system spells it; "" when there is none. Earlier
// versions wrote it in Windows-1252: a value that is not UTF-8 is read as 1252, so that a player's old
// setting still names its folder. A file with a byte-order mark holds characters, which the path is.
std::string pathSetting(const std::string& section, const std::string& key, const std::string& file);
// Writes a path (UTF-8) as pathSetting reads it back: as it stands into a file without a mark, as its
// characters into a marked one; the file's other lines stay as they were.
Status writePathSetting(const std::string& section, const std::string& key, const std::string& path,
                        const std::string& file);

// The program's folder, ending in a separator: where the settings live on Windows. main() sets it.
void setProgramFolder(const std::string& folder);
const std::string& programFolder();

}  // namespace hartool::platform
