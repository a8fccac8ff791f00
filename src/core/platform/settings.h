#pragma once

// Where the tool keeps its settings.

#include <string>

namespace hartool::platform {

inline constexpr const char* kIniFileName = "HARTOOL.INI";

// The tool's INI file. A "HARTOOL.INI" in the working folder wins (portable use, scripts/run); else the one
// in the desktop's configuration folder: "$XDG_CONFIG_HOME/hartool/", without it "$HOME/.config/hartool/", on
// Windows the program's folder. A missing configuration folder is made here: the profile writer writes into
// an existing folder only.
std::string iniFile();

// A path kept in the settings (PATH): UTF-8, as the file system spells it; "" when there is none. Earlier
// versions wrote it in Windows-1252: a value that is not UTF-8 is read as 1252, so that a player's old
// setting still names its folder. It is written back as any value (WRITEENVIRONMENT), in UTF-8.
std::string pathSetting(const std::string& section, const std::string& key, const std::string& file);

// The program's folder, ending in a separator: where the settings live on Windows. main() sets it.
void setProgramFolder(const std::string& folder);
const std::string& programFolder();

}  // namespace hartool::platform
