#pragma once

// A synthetic game installation: every byte written by us, so the tool can be run and tested without the
// game. Missions are assembled from small pieces (MissionBuilder) so later features can add what they need.

#include <string>
#include <vector>

#include "platform/filesystem.h"

namespace hartool::demo {

inline constexpr int kBlue = 0;
inline constexpr int kRed = 1;

// Waypoint kinds, numbered as the mission readers number them.
enum class WaypointKind { Checkpoint = 1, Assembly, BattlePosition, Patrol, LandingZone, SearchAndRescue };

struct Waypoint {
    int x = 0;
    int y = 0;
    WaypointKind kind = WaypointKind::Checkpoint;
};

// One "PLATOON" line. For a flight its first waypoint is the route point of the line itself.
struct Platoon {
    int type = 0;
    int x = 0;
    int y = 0;
    int heading = 0;
    int strength = 4;
    int routeX = 0;
    int routeY = 0;
    int skill = 2;
    std::string callSign = "0";  // the last two digits are the element number within the call sign
};

// A helicopter flight: its platoon line, then its order block (further waypoints) closed by "SUPPORT".
struct Flight {
    Platoon platoon;
    std::vector<Waypoint> waypoints;  // waypoints[0] is the route point of the platoon line
    std::string support = "0 0";      // value of the closing "SUPPORT" line
};

struct BriefingPage {
    std::string heading;  // what the player reads; the leading fields are added
    std::string text;
    std::string map;
    std::vector<std::string> lines, sprites, labels;
    std::string movie;
    std::string timeOut;
};

// Builds one mission text with CR LF line ends: the title line, the header, the objectives, the platoons
// and flights, then the briefing part (everything from the first "[").
class MissionBuilder {
  public:
    explicit MissionBuilder(std::string title);

    MissionBuilder& side(int side);
    MissionBuilder& battleSize(int width, int height);
    MissionBuilder& battlefield(std::string name, int x, int y);
    MissionBuilder& entry(std::string name, std::string value);  // any further header line
    // form is the objective's words after the side word, e.g. "KRADIUS_TWO 4000 6000 14".
    MissionBuilder& objective(int side, std::string form);
    MissionBuilder& platoon(const Platoon& p);
    MissionBuilder& flight(const Flight& f);
    // section is "Briefing", "Blue_Briefing" or "Red_Briefing"; pages are numbered from 0 in call order
    // per section name.
    MissionBuilder& page(const std::string& section, const BriefingPage& p);
    MissionBuilder& misc(std::string cutscene, std::string sound);

    const std::string& title() const { return title_; }
    std::string text() const;

  private:
    struct Section {
        std::string name;
        int number;
        BriefingPage page;
    };
    std::string title_;
    std::vector<std::string> header_;
    std::vector<std::string> objectives_;
    std::vector<std::string> body_;
    std::vector<Section> pages_;
    std::string cutscene_, sound_;
};

// campaignIndex is the 0-based row of kCampaigns; mission runs from 0 to its lastMission.
std::string campaignTitle(int campaignIndex, int mission);
std::string campaignMissionText(int campaignIndex, int mission);
// Relative to the game folder: "Data\Battles\1stUKArmDiv\CAMP3".
std::string campaignMissionFile(int campaignIndex, int mission);
// The side the campaign is played for.
int campaignSide(int campaignIndex);

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
// Everything writeDemoGame writes, in writing order.
std::vector<DemoFile> demoFiles();

// Writes the demo installation into gameFolder, creating it (and missing folders above it) when absent.
// Stops at the first failure, whose error names the file or folder.
platform::Status writeDemoGame(const std::string& gameFolder);

}  // namespace hartool::demo
