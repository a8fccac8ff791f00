#pragma once

// How the command line names things: the game folder, missions and briefings by their file names, campaigns
// by the name the transfer dialog shows or their folder.

#include <functional>
#include <optional>
#include <string>

#include "core/game/gamepaths.h"

namespace hartool::cli {

// A command-line word (UTF-8) in the game's code page; nullopt when it has a character the code page lacks.
std::optional<std::string> fromArgument(const std::string& word);

struct GameLookup {
    std::string gamePath;  // normalised; empty when none was found
    std::string problem;   // why not, in UTF-8: it names paths as they are
};
// given (--game), else the path in the tool's settings, else the default place, else the first game the
// search of the usual Wine prefixes finds: the order the main dialog starts with. A relative folder is taken
// from the working folder.
GameLookup findGame(const std::optional<std::string>& given);

// The file name (as on disk) of the player folder's mission named (with or without ".TXT", in any case); ""
// when none. forTools: its attributes are cleared, as the mission tools' list clears them, so that it can be
// rewritten and deleted.
std::string missionNamed(const GameFolders& folders, const std::string& name, bool forTools = false);
// The file name of the briefing named (its exact game name first, then in any case); "" when none.
std::string briefingNamed(const GameFolders& folders, const std::string& name);
// By display name or folder name, in any case; nullptr when none.
const Campaign* campaignNamed(const std::string& name);

struct Context;
// The exit status of an operation on one item that stood in the way before anything was tried: reported as
// skipped, for reason.
int refused(Context& c, const std::string& file, const std::string& reason, const std::string& doneWord);
// delete and delete-briefing: each file named (by named, in folder; "" when there is none, said as noSuch)
// into the trash; what no trash can take stays, with its reason, unless --force deletes it for good. kind is
// "mission" or "briefing".
int deleteNamed(Context& c, const std::function<std::string(const std::string&)>& named,
                const std::string& folder, const std::string& noSuch, const std::string& kind);
// The mission named, with its folder; when there is none, "" after reporting it.
std::string missionOrReport(Context& c, const std::string& name, const std::string& doneWord);

}  // namespace hartool::cli
