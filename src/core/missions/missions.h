#pragma once

// The player's single missions as the mission tools list them, and the copy, retitle and delete behind their
// buttons. Names are bytes of the game's code page; folders end in "\".

#include <string>
#include <vector>

#include "core/base/progress.h"
#include "core/base/report.h"

namespace hartool {

// "Night Raid                     - S1" for "S1.A.TXT": the title padded or cut to 30 characters, then the
// file name up to its first ".".
std::string missionItem(const std::string& title, const std::string& fileName);

struct MissionList {
    std::vector<std::string> items;   // display lines, sorted
    std::vector<std::string> titles;  // in the order of the items
    std::vector<std::string>
        fileNames;  // game names without folder (fileNameOf gives the file), in item order
};

// The "*.TXT" files of the player folder whose names 1252 can spell, sorted by display line. Each file's
// attributes are cleared so that it can be rewritten and deleted later; a file where that fails is listed all
// the same, and an operation on it reports why it fails. A missing folder lists nothing.
MissionList readMissionList(const std::string& playerFolder);

// Every ordinary file of the briefings folder, by game name; one whose name 1252 cannot spell is left out.
std::vector<std::string> readBriefingNames(const std::string& briefingsFolder);

// Why the name cannot be a copy's file name in the player folder; "" when it can.
std::string copyNameProblem(const std::string& fileName);

// Why the text cannot be a mission's title; "" when it can. A line break would end the title line and put the
// rest into the mission data, and a "[" would start the briefing part there for everything that looks for it.
std::string titleProblem(const std::string& title);

// What copying or retitling the selected mission would do, decided before anything is written.
struct MissionCopyPlan {
    std::string source;     // the selected mission, with folder
    std::string target;     // the file written: the new one after a copy, the source otherwise
    std::string newTitle;   // as typed
    bool copy = false;      // the file name differs (case and surrounding blanks aside)
    bool retitle = false;   // the title differs (case and surrounding blanks aside)
    bool replaces = false;  // the copy would replace another existing file
};
MissionCopyPlan planMissionCopy(const std::string& playerFolder, const std::string& fileName,
                                const std::string& title, const std::string& newFileName,
                                const std::string& newTitle);

struct MissionCopyResult {
    Report report;  // one file; a title that could not be set is a failure, or a warning after a copy
    bool copied = false;
    bool retitled = false;
};
// Copies or retitles as planned; a copy under a new title is written with it in one atomic step, so that a
// failure leaves no copy at all. A target with a name the game does not list gets a warning.
MissionCopyResult copyMission(const MissionCopyPlan& plan);

// How a delete treats its files.
enum class DeleteMode {
    TRASH,     // into the trash only: a file no trash can take stays where it is
    FOR_GOOD,  // deleted, after the player agreed that it cannot be undone
};
struct Deletion {
    Report report;                    // done: trashed (or deleted, FOR_GOOD), or gone already
    std::vector<Failure> notTrashed;  // still there because no trash could take them, and why; skipped too
    std::size_t gone = 0;             // of done, those that were not there any more
};
// Each file as mode says; a file that is gone already counts as done.
Deletion deleteFiles(const std::vector<std::string>& files, DeleteMode mode, const Progress& progress = {});
Deletion deleteMission(const std::string& file, DeleteMode mode = DeleteMode::TRASH);

}  // namespace hartool
