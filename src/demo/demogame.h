#pragma once

// A synthetic game installation: every byte written by us, so the tool can be run and tested without the
// game. Missions are assembled from small pieces (MissionBuilder) so later features can add what they need.

#include <string>
#include <vector>

#include "core/platform/filesystem.h"
#include "demo/missionbuilder.h"

namespace hartool::demo {

// campaignIndex is the 0-based row of kCampaigns; mission runs from 0 to its lastMission.
std::string campaignTitle(int campaignIndex, int mission);
std::string campaignMissionText(int campaignIndex, int mission);
// Relative to the game folder: "Data\Battles\1stUKArmDiv\CAMP3".
std::string campaignMissionFile(int campaignIndex, int mission);
// The side the campaign is played for.
int campaignSide(int campaignIndex);
// The battlefields of the campaigns and the player's missions, each once: their maps are "maps\" + name +
// ".pcx".
std::vector<std::string> fieldNames();

// A file of the player folder.
struct PlayerFile {
    std::string name;    // "S01.TXT"
    std::string title;   // "" for a file without a title
    bool singleMission;  // matched by "S*.TXT"
    bool singleBattle;   // matched by "BATTLE*.TXT"
    std::string content;
};
std::vector<PlayerFile> playerFiles();

// Bytes of "DATA\campaign.dat": not text, and meant to be copied, never read.
std::string crewData();

// Relative to the game folder, as spelled on disk.
inline constexpr const char* kPlayerFolder = "Data\\Battles\\Player\\";
inline constexpr const char* kCrewDataFile = "Data\\campaign.dat";

struct DemoFile {
    std::string path;  // relative to the game folder, "\" between folders, as spelled on disk
    std::string content;
};
// Everything writeDemoGame writes, in writing order; the pictures (demo/pictures.h) last.
std::vector<DemoFile> demoFiles();

// Writes the demo installation into gameFolder, creating it (and missing folders above it) when absent.
// Stops at the first failure, whose error names the file or folder.
platform::Status writeDemoGame(const std::string& gameFolder);

}  // namespace hartool::demo
