#include "demo/demogame.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>

#include "core/game/gamepaths.h"
#include "demo/pictures.h"

namespace hartool::demo {

namespace {

// A fixed-seed generator of our own: the standard distributions differ between libraries, and the demo
// must be byte-identical everywhere.
class Dice {
  public:
    explicit Dice(std::uint32_t seed) : state_(seed) {}
    int range(int lo, int hi) {
        state_ = state_ * 1103515245u + 12345u;
        return lo + static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(hi - lo + 1));
    }
    // Positions lie on the 50-unit grid that the briefing map resolves.
    int coord(int lo, int hi) { return range(lo, hi) / 50 * 50; }

  private:
    std::uint32_t state_;
};

struct Field {
    const char* name;
    int cx, cy, width, height;
};

struct CallSign {
    int number;
    const char* name;
};

struct CampaignStyle {
    int side;
    std::array<const char*, 6> names;  // title words, by mission number modulo 6
    std::array<Field, 3> fields;
    int heloA, heloB;  // the player's flyable helicopters
    std::array<int, 4> ownGround;
    std::array<int, 4> enemyGround;
    int enemyFlight;                   // flyable enemy helicopter, 0 for none
    int enemyHelo;                     // enemy helicopters that only appear as units
    int ownArtillery, enemyArtillery;  // the guns behind the "SUPPORT" lines
    std::array<CallSign, 3> callSigns;
    const char* ownForces;
};

// clang-format off
// Index i belongs to kCampaigns[i].
const std::array<CampaignStyle, 5> kStyles{{
    {.side = kBlue,
     .names = {"Opening Move", "Strike", "Hold Fast", "Long Reach", "Iron Gate", "Night Hammer"},
     .fields = {{{"Wendholm", 0, 0, 16000, 16000},
                 {"Asterbrook", 5000, 7000, 20000, 12000},
                 {"Kelmar_Ridge", 8000, 8000, 12000, 12000}}},
     .heloA = 129, .heloB = 130,
     .ownGround = {1, 3, 6, 25}, .enemyGround = {35, 43, 44, 70},
     .enemyFlight = 62, .enemyHelo = 63, .ownArtillery = 82, .enemyArtillery = 76,
     .callSigns = {{{12, "Raider"}, {15, "Falcon"}, {19, "Bear"}}},
     .ownForces = "Our tank squadrons"},
    {.side = kBlue,
     .names = {"Desert Screen", "Iron Wedge", "Steel Rain", "High Ground", "Thunder Run", "Open Road"},
     .fields = {{{"Dunmoor_Pass", 0, 0, 16000, 16000},
                 {"Halvet_Plain", 6000, 4000, 20000, 12000},
                 {"Sorrin_Valley", 8000, 8000, 12000, 12000}}},
     .heloA = 21, .heloB = 18,
     .ownGround = {0, 2, 8, 79}, .enemyGround = {37, 45, 55, 58},
     .enemyFlight = 128, .enemyHelo = 63, .ownArtillery = 84, .enemyArtillery = 74,
     .callSigns = {{{20, "Hawk"}, {5, "Saber"}, {26, "Hunter"}}},
     .ownForces = "Our armored task force"},
    {.side = kBlue,
     .names = {"Scout Line", "Screen", "Deep Look", "Quick Spur", "Saber Dash", "Far Watch"},
     .fields = {{{"Brackwood", 0, 0, 16000, 16000},
                 {"Elster_Gap", 5000, 7000, 20000, 12000},
                 {"Tollen_Heath", 8000, 8000, 12000, 12000}}},
     .heloA = 21, .heloB = 18,
     .ownGround = {10, 2, 22, 99}, .enemyGround = {39, 47, 57, 68},
     .enemyFlight = 62, .enemyHelo = 63, .ownArtillery = 83, .enemyArtillery = 76,
     .callSigns = {{{4, "Specter"}, {17, "Eagle"}, {27, "Dagger"}}},
     .ownForces = "Our scout troops"},
    {.side = kRed,
     .names = {"Red Storm", "First Blow", "Steppe Wind", "Iron Fist", "Night Crossing", "Hammer Fall"},
     .fields = {{{"Varnow", 0, 0, 16000, 16000},
                 {"Osterfeld", 5000, 7000, 20000, 12000},
                 {"Lindtal", 8000, 8000, 12000, 12000}}},
     .heloA = 62, .heloB = 128,
     .ownGround = {35, 43, 36, 70}, .enemyGround = {1, 3, 6, 84},
     .enemyFlight = 0, .enemyHelo = 23, .ownArtillery = 74, .enemyArtillery = 82,
     .callSigns = {{{8, "Dragon"}, {9, "Storm"}, {29, "Maul"}}},
     .ownForces = "Our motor rifle regiments"},
    {.side = kBlue,
     .names = {"Panther Leap", "Elbe Watch", "Lance", "Cold Front", "Black Forest", "Sentinel"},
     .fields = {{{"Maarstal", 0, 0, 16000, 16000},
                 {"Hollern", 5000, 7000, 20000, 12000},
                 {"Quenz_Forest", 8000, 8000, 12000, 12000}}},
     .heloA = 112, .heloB = 127,
     .ownGround = {31, 32, 113, 28}, .enemyGround = {41, 49, 105, 74},
     .enemyFlight = 128, .enemyHelo = 63, .ownArtillery = 86, .enemyArtillery = 76,
     .callSigns = {{{14, "Lion"}, {16, "Stone"}, {30, "Sledge"}}},
     .ownForces = "Our panzer battalions"},
}};
// clang-format on

constexpr int other(int side) {
    return side == kBlue ? kRed : kBlue;
}

// Where a side's units stand: blue holds the south of the battle area, red the north.
struct Ground {
    const Field& f;
    int xLo() const { return f.cx - f.width * 2 / 5; }
    int xHi() const { return f.cx + f.width * 2 / 5; }
    int xNearLo() const { return f.cx - f.width / 4; }
    int xNearHi() const { return f.cx + f.width / 4; }
    int yFront(int side) const { return side == kBlue ? f.cy + f.height / 10 : f.cy - f.height / 10; }
    int yRear(int side) const { return side == kBlue ? f.cy + f.height * 2 / 5 : f.cy - f.height * 2 / 5; }
    int y(Dice& d, int side) const {
        int a = yFront(side), b = yRear(side);
        return a < b ? d.coord(a, b) : d.coord(b, a);
    }
};

Platoon unit(Dice& d, const Ground& g, int side, int type, std::string callSign) {
    Platoon p;
    p.type = type;
    p.x = d.coord(g.xLo(), g.xHi());
    p.y = g.y(d, side);
    p.heading = side == kBlue ? d.range(0, 2) * 45 : 180 - d.range(0, 2) * 45;
    p.strength = d.range(3, 4);
    p.routeX = p.x;
    p.routeY = p.y;
    p.skill = d.range(1, 3);
    p.callSign = std::move(callSign);
    return p;
}

// Out from the rear, through the assembly area to a battle position facing the enemy, and back.
Flight flight(Dice& d, const Ground& g, int side, int type, int callSign, int support, int mission) {
    Flight f;
    int x = d.coord(g.xNearLo(), g.xNearHi());
    int rear = g.yRear(side), front = g.yFront(side);
    int toEnemy = side == kBlue ? -1 : 1;
    f.platoon.type = type;
    f.platoon.x = x;
    f.platoon.y = rear;
    f.platoon.heading = side == kBlue ? 0 : 180;
    f.platoon.strength = 2;
    f.platoon.skill = d.range(2, 3);
    f.platoon.callSign = std::to_string(callSign * 100 + 1);
    f.waypoints.push_back({x + d.coord(-1000, 1000), (rear + front) / 2, WaypointKind::Checkpoint});
    f.waypoints.push_back({x + d.coord(-1500, 1500), front, WaypointKind::Assembly});
    f.waypoints.push_back(
        {x + d.coord(-2000, 2000), front + toEnemy * d.coord(1000, 2500), WaypointKind::BattlePosition});
    if (mission % 3 == 0)
        f.waypoints.push_back({x + d.coord(-2500, 2500), front + toEnemy * 1500, WaypointKind::Patrol});
    if (mission % 5 == 4)
        f.waypoints.push_back({x + d.coord(-1000, 1000), front, WaypointKind::SearchAndRescue});
    f.waypoints.push_back({x, rear - toEnemy * 500, WaypointKind::LandingZone});
    f.platoon.routeX = f.waypoints[0].x;
    f.platoon.routeY = f.waypoints[0].y;
    f.support = words({support, d.range(1, 3)});
    return f;
}

const char* towardsEnemy(int side) {
    return side == kBlue ? "north" : "south";
}

BriefingPage briefingPage(std::string heading, std::string text, std::string map) {
    BriefingPage p;
    p.heading = std::move(heading);
    p.text = std::move(text);
    p.map = std::move(map);
    return p;
}

// lead names the flight the briefing's side flies; "" when that side has none of its own.
std::vector<BriefingPage> briefingPages(const CampaignStyle& s, const Field& f, int side, int mission,
                                        int count, const std::string& lead) {
    std::string field = f.name;
    for (char& c : field)
        if (c == '_') c = ' ';
    const std::string map = std::string("maps\\") + f.name + ".pcx";
    const std::string flightName = lead.empty() ? "The lead flight" : lead + " flight";
    std::vector<BriefingPage> pages;
    pages.push_back(briefingPage("Situation",
                                 std::string("Enemy armour is massing ") + towardsEnemy(side) + " of " +
                                     field + ". The crossings must hold until nightfall.",
                                 map));
    pages.push_back(
        briefingPage("Orders",
                     flightName + " leaves the holding area, passes the checkpoint and moves to the battle "
                                  "position. Stop the lead elements, then return to the landing zone.",
                     map));
    pages.push_back(
        briefingPage("Threat",
                     "Expect air defence guns with the lead elements, missiles further back. Stay low, use "
                     "the valleys.",
                     map));
    pages.push_back(briefingPage("Friendly forces",
                                 std::string(s.ownForces) + " hold the ground between the river and " +
                                     field + ". Artillery fires on call.",
                                 map));
    pages.push_back(briefingPage("Notes", "Fuel is short. Leave at once, if the weather closes in.", map));
    pages.resize(count);
    // Graphics the player drew earlier, so that an analysis has something to replace.
    if (mission % 3 == 1 && count > 1) {
        const char* prefix = side == kBlue ? "u" : "r";
        pages[1].sprites.push_back(std::string("images\\") + prefix + "obj.pcx, 160, 150, 0");
        pages[1].labels.push_back("160, 143, 99, 99, 208, 1, Crossbow");
    }
    if (mission % 4 == 1) pages.back().timeOut = "90";
    return pages;
}

std::string buildCampaignMission(int campaignIndex, int mission) {
    const CampaignStyle& s = kStyles.at(campaignIndex);
    const Field& f = s.fields[mission % 3];
    const Ground g{f};
    const int own = s.side, enemy = other(s.side);
    Dice d(static_cast<std::uint32_t>((campaignIndex + 1) * 1000 + mission));

    MissionBuilder b(campaignTitle(campaignIndex, mission));
    b.side(own).battleSize(f.width, f.height).battlefield(f.name, f.cx, f.cy);

    static constexpr std::array<const char*, 3> kRings{"KRADIUS_ONE", "KRADIUS_TWO", "KRADIUS_THREE"};
    static constexpr std::array<int, 4> kTargets{14, 15, 16, 22};  // Anvil, Shield, Hammer, Regimental HQ
    b.objective(own, std::string(kRings[mission % 3]) + " " +
                         words({d.coord(g.xLo(), g.xHi()), g.y(d, enemy), kTargets[mission % 4]}));
    if (mission % 2 == 0)
        b.objective(own, "SECTOR " + words({g.xNearLo(), g.yFront(own), g.xNearHi(), g.yRear(own), 13}));
    else
        b.objective(own, "PHASE_LINE " + words({g.xLo(), f.cy, g.xHi(), f.cy, 1 + mission % 6}));
    b.objective(enemy, "KRADIUS_ONE " + words({d.coord(g.xLo(), g.xHi()), g.y(d, own), 17}));

    const int flights = 1 + mission % 2;
    for (int k = 0; k < flights; ++k)
        b.flight(flight(d, g, own, k == 0 ? s.heloA : s.heloB, s.callSigns[(mission + k) % 3].number,
                        s.ownArtillery, mission));
    const int ownUnits = 2 + (mission % 3 == 0);
    for (int j = 0; j < ownUnits; ++j)
        b.platoon(unit(d, g, own, s.ownGround[(mission + j) % 4], j == 0 ? "2501" : "0"));
    if (s.enemyFlight != 0 && mission % 3 == 2)
        b.flight(flight(d, g, enemy, s.enemyFlight, 18, s.enemyArtillery, mission));
    else if (mission % 3 == 1)
        b.platoon(unit(d, g, enemy, s.enemyHelo, "0"));
    const int enemyUnits = 3 + mission % 2;
    for (int j = 0; j < enemyUnits; ++j) b.platoon(unit(d, g, enemy, s.enemyGround[(mission + j) % 4], "0"));

    if (mission % 5 == 2)
        b.misc("cutscenes\\brief" + std::to_string(mission) + ".avi",
               "sounds\\brief" + std::to_string(mission) + ".wav");
    const std::string lead = s.callSigns[mission % 3].name;
    if (mission % 4 == 3) {
        for (const BriefingPage& p : briefingPages(s, f, kBlue, mission, 3, own == kBlue ? lead : ""))
            b.page("Blue_Briefing", p);
        for (const BriefingPage& p : briefingPages(s, f, kRed, mission, 3, own == kRed ? lead : ""))
            b.page("Red_Briefing", p);
    } else {
        for (const BriefingPage& p : briefingPages(s, f, own, mission, 3 + mission % 3, lead))
            b.page("Briefing", p);
    }
    return b.text();
}

PlayerFile playerMission(std::string name, const std::string& title, int side, int helo, CallSign callSign,
                         bool briefing, bool doubleBriefing) {
    const CampaignStyle& s = kStyles[side == kRed ? 3 : 0];
    const Field f{"Farrow_Downs", 4000, 4000, 16000, 16000};
    const Ground g{f};
    Dice d(static_cast<std::uint32_t>(title.size() * 7919 + name.size()));
    MissionBuilder b(title);
    b.side(side).battleSize(f.width, f.height).battlefield(f.name, f.cx, f.cy);
    b.objective(side, "KRADIUS_TWO " + words({f.cx, g.yFront(other(side)), 23}));
    b.objective(other(side), "SECTOR " + words({g.xLo(), g.yFront(side), f.cx, g.yRear(side), 13}));
    b.flight(flight(d, g, side, helo, callSign.number, s.ownArtillery, 3));
    for (int j = 0; j < 2; ++j) b.platoon(unit(d, g, side, s.ownGround[j], "0"));
    for (int j = 0; j < 3; ++j) b.platoon(unit(d, g, other(side), s.enemyGround[j], "0"));
    if (doubleBriefing) {
        for (const BriefingPage& p : briefingPages(s, f, kBlue, 0, 2, side == kBlue ? callSign.name : ""))
            b.page("Blue_Briefing", p);
        for (const BriefingPage& p : briefingPages(s, f, kRed, 0, 2, side == kRed ? callSign.name : ""))
            b.page("Red_Briefing", p);
    } else if (briefing) {
        for (const BriefingPage& p : briefingPages(s, f, side, 1, 3, callSign.name)) b.page("Briefing", p);
    }
    return {std::move(name), title, false, false, b.text()};
}

std::string joinPath(const std::string& folder, const std::string& relative) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder + relative;
    return folder + "\\" + relative;
}

}  // namespace

std::string campaignTitle(int campaignIndex, int mission) {
    return std::string(kCampaigns.at(campaignIndex).code) + " " +
           kStyles.at(campaignIndex).names[mission % 6] + " " + std::to_string(mission);
}

std::string campaignMissionText(int campaignIndex, int mission) {
    return buildCampaignMission(campaignIndex, mission);
}

std::string campaignMissionFile(int campaignIndex, int mission) {
    return std::string("Data\\Battles\\") + kCampaigns.at(campaignIndex).folder + "\\CAMP" +
           std::to_string(mission);
}

int campaignSide(int campaignIndex) {
    return kStyles.at(campaignIndex).side;
}

std::vector<std::string> fieldNames() {
    std::vector<std::string> names{"Farrow_Downs"};
    for (const CampaignStyle& s : kStyles)
        for (const Field& f : s.fields)
            if (std::find(names.begin(), names.end(), f.name) == names.end()) names.push_back(f.name);
    return names;
}

std::vector<PlayerFile> playerFiles() {
    std::vector<PlayerFile> files;
    files.push_back(playerMission("S01.TXT", "Night Raid", kBlue, 21, {12, "Raider"}, true, false));
    files.push_back(playerMission("S02.TXT", "Border Watch", kRed, 128, {8, "Dragon"}, true, false));
    files.push_back(playerMission("S10.TXT", "Convoy Hunt", kBlue, 112, {14, "Lion"}, true, true));
    for (PlayerFile& f : files) f.singleMission = true;
    // Files that the masks of the tool's lists must leave out.
    files.push_back(playerMission("T1.TXT", "Training Flight", kBlue, 130, {15, "Falcon"}, false, false));
    files.push_back({"S1.DAT", "Scratch Data", false, false, "TITLE: Scratch Data\r\nSIDE: 0\r\n"});
    // A single battle as the battle builder saves it: no briefing part.
    PlayerFile battle =
        playerMission("BATTLE0001.TXT", "Valley Ambush", kBlue, 18, {20, "Hawk"}, false, false);
    battle.singleBattle = true;
    files.push_back(std::move(battle));
    return files;
}

std::string crewData() {
    std::string d("HVCREW\x1a\x03", 8);
    d += '\0';
    d += '\x02';  // campaign in progress
    d += '\x05';  // its next mission
    d += '\0';
    static constexpr std::array<const char*, 8> kCrew{"Hallam", "Okafor", "Brandt", "Iversen",
                                                      "Sato",   "Marsh",  "Lund",   "Tarrow"};
    std::uint32_t check = 0;
    for (std::size_t i = 0; i < kCrew.size(); ++i) {
        std::string record(kCrew[i]);
        record.resize(16, '\0');
        const int n = static_cast<int>(i);
        record += static_cast<char>(1 + n % 4);        // rank
        record += static_cast<char>((n * 37) & 0xff);  // kills, little endian
        record += static_cast<char>(n % 2);
        record += static_cast<char>(3 + n * 2);  // missions flown
        record += '\0';
        record += static_cast<char>(100 - n * 9);               // health
        record += static_cast<char>(0x80 | ((n * 13) & 0x7f));  // flags
        record += std::string(5, static_cast<char>(0xff));      // unused slots
        for (char c : record) check = check * 31 + static_cast<unsigned char>(c);
        d += record;
    }
    // Results per campaign and mission: 0 to 3 for flown missions, 0xff for those still ahead.
    for (const Campaign& c : kCampaigns) {
        for (int m = 0; m <= 12; ++m) {
            char result =
                m > c.lastMission || m >= 5 ? '\xff' : static_cast<char>((m * 7 + c.battleNumberBase) % 4);
            check = check * 31 + static_cast<unsigned char>(result);
            d += result;
        }
    }
    for (int shift = 0; shift < 32; shift += 8) d += static_cast<char>((check >> shift) & 0xff);
    return d;
}

std::vector<DemoFile> demoFiles() {
    std::vector<DemoFile> files;
    files.push_back({kGameExecutable, ""});
    for (int c = 0; c < static_cast<int>(kCampaigns.size()); ++c)
        for (int m = 0; m <= kCampaigns[c].lastMission; ++m)
            files.push_back({campaignMissionFile(c, m), campaignMissionText(c, m)});
    for (PlayerFile& f : playerFiles()) files.push_back({kPlayerFolder + f.name, std::move(f.content)});
    files.push_back({kCrewDataFile, crewData()});
    for (DemoFile& f : demoPictures()) files.push_back(std::move(f));
    return files;
}

platform::Status writeDemoGame(const std::string& gameFolder) {
    std::string failed;
    if (platform::Status st = platform::makeFolders(gameFolder, &failed); !st)
        return platform::Status::failure(failed + ": " + st.error);
    std::set<std::string> made;
    for (const DemoFile& f : demoFiles()) {
        for (std::size_t i = f.path.find('\\'); i != std::string::npos; i = f.path.find('\\', i + 1)) {
            std::string folder = joinPath(gameFolder, f.path.substr(0, i));
            if (!made.insert(folder).second) continue;
            if (platform::Status st = platform::makeFolder(folder); !st)
                return platform::Status::failure(folder + ": " + st.error);
        }
        std::string path = joinPath(gameFolder, f.path);
        if (platform::Status st = platform::writeFile(path, f.content); !st)
            return platform::Status::failure(path + ": " + st.error);
    }
    return platform::Status::success();
}

}  // namespace hartool::demo
