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

// The program's folder, ending in a separator: where the settings live on Windows. main() sets it.
void setProgramFolder(const std::string& folder);
const std::string& programFolder();

}  // namespace hartool::platform
