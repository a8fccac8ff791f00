#pragma once

// Mission texts assembled from small pieces: the demo game's missions, and any mission a test needs.

#include <initializer_list>
#include <string>
#include <vector>

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

// The numbers joined by single spaces, as the words of a mission value.
std::string words(std::initializer_list<int> numbers);

}  // namespace hartool::demo
