#pragma once

// The tests behind the main dialog's enable rules: is the game there, is the backup complete, do the two crew
// files match.

#include <string>

#include "core/game/gamepaths.h"

namespace hartool {

// The tool's INI file. A "HARTOOL.INI" in the working folder wins (portable use, scripts/run); else the one
// in the desktop's configuration folder: "$XDG_CONFIG_HOME/hartool/", without it "$HOME/.config/hartool/", on
// Windows the program's folder. A missing configuration folder is made here: the profile writer writes into
// an existing folder only.
std::string iniFile();

// The program's folder, ending in a separator: where the settings live on Windows. main() sets it.
void setProgramFolder(const std::string& folder);

// True when the game executable lies in the (normalised) game path.
bool gameFound(const std::string& gamePath);

// The game folder a typed path names: the path itself, or the folder of the game executable when the path
// names that file.
std::string typedGameFolder(const std::string& typed);
// What is wrong with the typed path as the game folder, for the player; "" when the game is there.
std::string gamePathProblem(const std::string& typed);

// True while some campaign's backup folder lacks "CAMP0": the originals still have to be saved.
bool backupIncomplete(const GameFolders& folders);

// True when the saved crew copy and the live crew file both exist with equal last-write date and time.
bool crewFilesMatch(const GameFolders& folders);

}  // namespace hartool
