#pragma once

// The tests behind the main dialog's enable rules: is the game there, is the backup complete, do the two crew
// files match.

#include <string>

#include "core/game/gamepaths.h"

namespace hartool {

// True when the game executable lies in the (normalised) game path.
bool gameFound(const std::string& gamePath);

// True while the originals still have to be saved: no save has finished (its record is missing), or some
// campaign's backup folder lacks "CAMP0".
bool backupIncomplete(const GameFolders& folders);

// True when the saved crew copy and the live crew file both exist with equal last-write date and time.
bool crewFilesMatch(const GameFolders& folders);

}  // namespace hartool
