#pragma once

// Campaign missions to single battles and back: the two rewriters, the lists of the transfer dialog, and the
// operations behind its buttons. Each operation goes on past a failure and returns what it did; one stopped
// through its progress lists the files it did not reach as skipped.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/base/progress.h"
#include "core/base/report.h"
#include "core/game/gamepaths.h"
#include "core/missions/missions.h"
#include "core/platform/filesystem.h"

namespace hartool {

enum class TitleMode {
    MISSION,   // campaign mission to single battle: "ORG_" mark, spaces to underscores
    KAMPAGNE,  // back again: mark and underscores undone, unless a title is given
};

struct TitleWrite {
    std::string line;  // the new title line, without line end
    platform::Status status;
};

// Rewrites the first line of the file, whatever it holds, as the title line; the rest comes back with "\r\n"
// line ends and without empty lines. Atomic. A file that cannot be read is not written.
TitleWrite PUTTITLE(const std::string& fileName, TitleMode mode, const std::string& newTitle = "");

// Appends the source's text from its first "[" to a target that holds no "[". Atomic; success when there
// was nothing to append.
platform::Status PUTBRIEFING(const std::string& sourceFile, const std::string& targetFile);

// "ORG_UK_STRIKE_1 - BATTLE3001": the upper-cased title cut or padded to 15 characters, and the file name up
// to its first ".".
std::string singleBattleItem(const std::string& title, const std::string& fileName);
// "BATTLE3001.TXT" for mission 1 of the first campaign.
std::string singleBattleName(const Campaign& campaign, std::size_t mission);

struct MissionLists {
    std::vector<std::string> battleItems;    // the single-battle list
    std::vector<std::string> fileNames;      // the file of each of those items, without folder
    std::vector<std::string> campaignItems;  // "CAMP0" to "CAMPn"
};
// The player folder's "BATTLE*.TXT" whose title holds the campaign's code, or with showAll every "*.TXT";
// in character order of their names.
MissionLists transferLists(const GameFolders& folders, const Campaign& campaign, bool showAll);

// Missions (from 0) whose single battle exists and differs from what copying the mission would make: the
// battle builder's edits that a copy would lose.
std::vector<std::size_t> changedSingleBattles(const GameFolders& folders, const Campaign& campaign,
                                              const std::vector<std::size_t>& missions);

// Copies the missions to their single battles with marked titles and cleared attributes, each written whole
// in one step. Missions in keep are left as they are (the player's choice); missing ones are skipped.
Report copyToSingleBattles(const GameFolders& folders, const Campaign& campaign,
                           const std::vector<std::size_t>& missions,
                           const std::vector<std::size_t>& keep = {}, const Progress& progress = {});

// Copies the single battles (names in the player folder) over campaign missions, which end read-only. Paired:
// the one battle goes over that mission and gets the mission's old title. Unpaired: each goes over the
// mission its title ends in, unmarked; a title without a number at its end is refused, since it would
// replace the first mission, and so is a number beyond the campaign's last mission, which the game never
// reads. A battle without a briefing gets the saved original's. Each mission is written whole in one step.
Report copyToCampaign(const GameFolders& folders, const Campaign& campaign,
                      const std::vector<std::string>& battles,
                      std::optional<std::size_t> pairedMission = std::nullopt, const Progress& progress = {});

// The named files of the player folder, as deleteFiles does.
Deletion deleteSingleBattles(const GameFolders& folders, const std::vector<std::string>& battles,
                             const Progress& progress = {}, DeleteMode mode = DeleteMode::TRASH);

}  // namespace hartool
