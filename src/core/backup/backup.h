#pragma once

// Saving and restoring the game's original campaign and single-mission files, and the crew data. Each
// operation does all of its file work, goes on past a failure, and returns what it did and what failed.

#include <string>

#include "core/base/progress.h"
#include "core/base/report.h"
#include "core/game/gamepaths.h"
#include "core/platform/filesystem.h"

namespace hartool {

// Which files of a folder a copy takes.
enum class CopyMode {
    KAMPAGNE,  // "CAMP*": the missions of a campaign
    MISSION,   // "S*.TXT": the player's single missions
};
const char* copyMask(CopyMode mode);

// Copies the files of source folder matching the mode's mask into target folder (created, one level),
// replacing earlier copies even when they are read-only, and leaves every copy read-only and archive. Files
// of the target without a counterpart stay as they are. Both folders end in "\". A target folder that cannot
// be made is one failure, not one per file. Stopped through progress, the files not copied are skipped.
Report copyFolder(const std::string& source, const std::string& target, CopyMode mode = CopyMode::KAMPAGNE,
                  const Progress& progress = {});

// The five campaigns and the player's single missions into the backup folder, which is created with its
// briefings folder. A campaign the game lacks, or that lacks "CAMP0", is a warning.
// progress counts the files of all of them.
Report saveOriginals(const GameFolders& folders, const Progress& progress = {});
// The saved copies back over the game's files.
Report restoreOriginals(const GameFolders& folders, const Progress& progress = {});
// The live crew file to its one saved copy (the backup folder is created when missing), and back. Nothing is
// selected, and nothing done, when the source is missing.
Report saveCrew(const GameFolders& folders);
Report restoreCrew(const GameFolders& folders);

}  // namespace hartool
