#pragma once

// The file work behind the briefing buttons of the mission tools. A mission file is its mission data, from
// the start up to its first "[", followed by its briefing part, from that "[" to the end; a briefing file
// holds a briefing part alone and is named after its mission's title.

#include <string>
#include <string_view>

#include "core/base/report.h"
#include "core/missions/missions.h"

namespace hartool {

// The file exists and holds a briefing part.
bool EXISTBRIEF(const std::string& file);

struct BriefingName {
    std::string name;
    bool changed = false;  // the title could not stand as a file name as it is
};

// The title as a file name that works on Windows and Linux and stays inside its folder: every \ / : * ? " < >
// | and control character becomes "_", an empty or dots-only title is "_", trailing dots and blanks go, and a
// device name of Windows ("CON", "lpt1.txt") gets "_" behind its first part.
BriefingName briefingName(std::string_view title);

// Writes the mission's briefing part, unchanged up to a ^Z that ends it, as the whole of briefingsFolder +
// fileNameOf(briefingName(title).name), creating the folder when needed and replacing an earlier file of that
// name. The mission stays as it is. A mission without briefing part is passed over ("no briefingtext found"),
// nothing written.
Report extractBriefing(const std::string& missionFile, const std::string& briefingsFolder,
                       const std::string& title);

// Replaces the mission's briefing part by the briefing file read as profileText (one with a byte-order mark
// holding what Windows-1252 cannot spell is refused, so that a mission stays one encoding): the mission data
// without its trailing blanks and line breaks, one empty line, and the briefing without its surrounding
// blanks. Nothing is written when either file cannot be read, or the briefing file holds no "[" (its text
// would end up in the mission data).
Report attachBriefing(const std::string& briefingFile, const std::string& missionFile);

// Draws the mission's units, routes and objectives into the briefing file's pages as map graphics, in place
// of those there. A missing briefing file is created; one that cannot be read, or a mission that cannot be
// read, leaves the briefing as it was. Graphics of a page that has neither heading nor text cannot be
// written (the file leaves such a page out); the report warns of them.
Report analyzeBriefing(const std::string& missionFile, const std::string& briefingFile);

// Redraws the graphics of the mission's own briefing part, as analyzeBriefing draws them into a briefing
// file: the mission data before the first "[" is kept byte for byte, the pages' headings, texts and other
// values as BriefSupport keeps them, and the mission is written in one atomic step. A mission without
// briefing part is passed over ("no briefingtext found"); one that cannot be read is left as it was.
Report analyzeMission(const std::string& missionFile);

// Why a name typed for a briefing file is refused when it is not a file name as it stands.
inline constexpr const char* kNotAFileName =
    "not a file name: no \\ / : * ? \" < > | or control characters, not \".\" or \"..\", and no device name "
    "such as CON";

// Why typed (a game name) cannot be the name of a new briefing file in folder; "" when it can (or nothing is
// typed yet).
std::string newBriefingNameProblem(const std::string& folder, const std::string& typed);

// Replaces to unless it is read-only; makes to's folder when it is missing.
Report copyBriefing(const std::string& from, const std::string& to);
// As deleteMission.
Deletion deleteBriefing(const std::string& file, DeleteMode mode = DeleteMode::TRASH);

}  // namespace hartool
