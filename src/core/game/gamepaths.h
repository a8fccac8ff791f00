#pragma once

// The game folder and the folders derived from it, and the fixed table of the game's campaigns.

#include <array>
#include <string>
#include <string_view>

namespace hartool {

// Trimmed of blanks, upper case (upperFileName: the letters 1252 holds), ending in "\" (a final "/" becomes
// one) unless empty. Never fails.
std::string PATHOK(std::string_view path);

inline constexpr const char* kDefaultGamePath = "C:\\Program Files\\Vantrope\\Harvane!";
inline constexpr const char* kIniSection = "TOOL";
inline constexpr const char* kGameExecutable = "HARVANE.EXE";

struct Campaign {
    const char* displayName;
    const char* folder;
    int battleNumberBase;  // single-battle number of the campaign's first mission
    int lastMission;       // missions are numbered 0 to this
    const char* code;      // occurs in the titles of the campaign's missions
};

inline constexpr std::array<Campaign, 5> kCampaigns{{
    {"1st Armoured Division (UK)", "1stUKArmDiv", 3000, 11, "UK"},
    {"1st Armored Division (US)", "1stUsArmDiv", 3020, 11, "ARMOR"},
    {"1st Cavalry Division (US)", "1stUsCavDiv", 3040, 11, "CAV"},
    {"20th Guards Army (RUS)", "20thGuards", 3060, 12, "RUS"},
    {"5th Panzer Division (GER)", "5thPanzer", 3080, 12, "GER"},
}};

// Folders derived from a normalised game path.
struct GameFolders {
    std::string game;       // ends in "\" (or is empty)
    std::string battles;    // game + "Data\Battles\"
    std::string player;     // battles + "Player\"
    std::string backup;     // game + "Data\Backup\"
    std::string briefings;  // game + "Data\Backup\Briefings\"

    static GameFolders fromGamePath(const std::string& normalisedGamePath);

    // A campaign's folder below the single-battle folder and its saved copy below the backup folder, spelt as
    // the campaign table spells them: lookups ignore case, but a folder made anew on a disk that does not
    // must get the game's own spelling, or the game would later have two of them.
    std::string campaign(const Campaign& c) const { return battles + c.folder + "\\"; }
    std::string savedCampaign(const Campaign& c) const { return backup + c.folder + "\\"; }
    std::string savedPlayer() const { return backup + "Player\\"; }
    // Written last by a save of the originals that copied every file: a cancelled or failed save leaves a
    // backup whose CAMP0 files are there but not the rest.
    std::string backupRecord() const { return backup + "originals.ok"; }
};

}  // namespace hartool
