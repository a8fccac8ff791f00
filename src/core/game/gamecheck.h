#pragma once

// The tests behind the main dialog's enable rules: is the game there, is the backup complete, do the two crew
// files match.

#include <string>

#include "core/game/gamepaths.h"

namespace hartool {

// True when the game executable lies in the (normalised) game path.
bool gameFound(const std::string& gamePath);

// The game folder a typed path names: the path itself, or the folder of the game executable when the path
// names that file.
std::string typedGameFolder(const std::string& typed);
// What is wrong with the typed path as the game folder, for the player; "" when the game is there.
std::string gamePathProblem(const std::string& typed);

// True while the originals still have to be saved: no save has finished (its record is missing), or some
// campaign's backup folder lacks "CAMP0".
bool backupIncomplete(const GameFolders& folders);

// True when the saved crew copy and the live crew file both exist with equal last-write date and time.
bool crewFilesMatch(const GameFolders& folders);

}  // namespace hartool
