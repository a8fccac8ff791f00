#pragma once

// Saving and restoring the game's original campaign and single-mission files, and the crew data. Each
// operation does all of its file work, goes on past a failure, and returns what it did and what failed.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game/gamepaths.h"
#include "platform/filesystem.h"

namespace hartool {

// Which files of a folder COPYDIR takes.
enum class CopyMode {
    KAMPAGNE,  // "CAMP*": the missions of a campaign
    MISSION,   // "S*.TXT": the player's single missions
};
const char* copyMask(CopyMode mode);

// A file or folder that could not be made, copied or protected, and why.
struct Failure {
    std::string file;
    std::string reason;
    bool operator==(const Failure&) const = default;
};

// The opening of a report on work that did not all succeed: "Not everything could be done: 3 of 5 files were
// copied." (with doneWord "copied").
std::string notEverythingDone(std::size_t done, std::size_t total, const std::string& doneWord);
// Appends heading and one "file: reason" line per entry (the first ten, then "and N more"); file names are
// shortened by base. Nothing when the list is empty.
void appendFailures(std::string& text, const std::string& heading, const std::vector<Failure>& list,
                    const std::string& base);

struct BackupReport {
    std::size_t listed = 0;  // files set out to copy
    std::size_t copied = 0;
    std::vector<Failure> failures;
    std::vector<std::string> warnings;  // nothing failed, but the result is not what the user expects
    bool skipped = false;               // there was nothing to copy from; nothing was done

    bool ok() const { return failures.empty(); }
    void add(const BackupReport& other);
    // The text for the completion box: successText exactly when all went well; otherwise what failed and
    // why (file names shortened by base) and how many files were copied.
    std::string text(const std::string& successText, const std::string& base = "") const;
};

// Sets attributes AND 39 (read-only, hidden, system, archive; so 128 "normal" clears them all) on an existing
// file. A missing file is left alone and reported as a failure.
platform::Status FABSETFILEATTRIBUTES(const std::string& file, std::uint32_t attributes);

// Copies the files of source folder matching the mode's mask into target folder (created, one level),
// replacing earlier copies even when they are read-only, and leaves every copy read-only and archive. Files
// of the target without a counterpart stay as they are. Both folders end in "\".
BackupReport COPYDIR(const std::string& source, const std::string& target,
                     CopyMode mode = CopyMode::KAMPAGNE);

// The five campaigns and the player's single missions into the backup folder, which is created with its
// briefings folder. A campaign the game lacks, or that lacks "CAMP0", is a warning.
BackupReport saveOriginals(const GameFolders& folders);
// The saved copies back over the game's files.
BackupReport restoreOriginals(const GameFolders& folders);
// The live crew file to its one saved copy (the backup folder is created when missing), and back. Skipped
// when the source is missing.
BackupReport saveCrew(const GameFolders& folders);
BackupReport restoreCrew(const GameFolders& folders);

}  // namespace hartool
