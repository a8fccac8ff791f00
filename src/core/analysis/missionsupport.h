#pragma once

// One mission file as the analysis sees it: side, battle area, units, flight routes, objectives and the
// nationality of the player's helicopters, and the briefing map graphics made from them.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/tables.h"
#include "core/base/parent.h"
#include "core/platform/filesystem.h"
#include "core/text/stringlist.h"
#include "core/text/token.h"

namespace hartool {

class BriefSupport;
class Briefing;

struct Point {
    std::int64_t X = 0;
    std::int64_t Y = 0;
    bool operator==(const Point&) const = default;
};

struct Dimension {
    std::int64_t WIDTH = 0;
    std::int64_t HEIGHT = 0;
    bool operator==(const Dimension&) const = default;
};

struct UnitRecord {
    std::int64_t x = 0, y = 0;
    int type = 0;
    std::string_view callSign;  // in the call-sign table, which lives as long as the program
};

struct WaypointRecord {
    std::int64_t x = 0, y = 0;
    int kind = 1;  // 1 checkpoint .. 6 search and rescue
};

// Never without its first waypoint, the route point of the platoon line.
struct FlightRoute {
    int side = 0;
    UnitRecord start;
    std::vector<WaypointRecord> waypoints;
};

struct FlightEntry {
    std::size_t line = 0;  // 1-based in the mission lines
    int type = 0;          // normalised
};

enum class MessagePart { MESSAGE, IMAGEBLUE, IMAGERED };
enum class Shift { OBJ, ONE, TWO, THREE, SECTOR, LINEEND, NONE };

// The map point moved so that an image of that kind sits where it should; capped at 320.
Point CORRECTPOINT(Point p, Shift kind);
Point CORRECTPOINT2(Point p, std::string_view image);
// The shift CORRECTPOINT2 gives an image.
Shift imageShift(std::string_view image);

// A word as a whole number: the leading integer of a decimal word, 0 for a word that is not a number.
std::int64_t wordNumber(std::string_view word);

struct NatWrite {
    int nationality = 0;      // as READNAT read it
    platform::Status status;  // of the rewrite; success when nothing was to be written
};

// Call order. The constructor only fills the tables. READNAT reads the file and splits it into lines: it is
// the load, and everything else works on the lines it kept (WRITENAT and WRITESIDE write them back;
// readInFull() says whether they are the whole file). ANALYZE then runs READSIDE, READDIMENSIONS, READWP,
// READUNITS and READOBJECTIVES, draws with GRAPHWP, GRAPHOBJECTIVES and GRAPHUNITS, and writes the briefing.
// So: READNAT, then ANALYZE, or READSIDE/READNAT, then WRITESIDE/WRITENAT.
class MissionSupport : public Parent {
  public:
    explicit MissionSupport(std::string missionFile);
    ~MissionSupport() override { AXIT(); }

    int READNAT();
    int READSIDE();
    void READDIMENSIONS();
    void READUNITS();
    void READWP();
    void READOBJECTIVES();
    // Reads the mission, writes its graphics into the briefing and stores the briefing, with leadingText
    // before it (a mission's own data, when the briefing is the mission's own part).
    platform::Status ANALYZE(BriefSupport& briefing, const std::string& leadingText = "");

    std::span<const std::string_view> NAT() const { return nationalityNames_; }
    int SIDE() const { return side_; }
    // READNAT read the whole file: what it found is the file's, and WRITENAT may rewrite it.
    bool readInFull() const { return readOk_; }
    int NATIONALITY() const { return nationality_; }

    void FILLARRAYS();
    std::string GETCALLSIGN(std::int64_t number) const;
    std::string GETMESSAGE(std::int64_t number, MessagePart what = MessagePart::MESSAGE) const;
    std::string GETIMAGE(std::int64_t type, int side) const;
    std::string GETWP(std::int64_t kind, int side) const;

    Point NEWCOORD(Point battlefield) const;
    void GRAPHWP(BriefSupport& briefing);
    void ADDGRAPHWP(BriefSupport& briefing, std::size_t flight, int side);
    void GRAPHOBJECTIVES(BriefSupport& briefing);
    void ADDGRAPHOBJ(BriefSupport& briefing, int side);
    void GRAPHUNITS(BriefSupport& briefing);
    void ADDGRAPHUNIT(BriefSupport& briefing, int side);

    // Changes the flights' helicopter codes to those of nationality n and rewrites the file.
    NatWrite WRITENAT(int n);
    // Sets the "SIDE" value when it differs from the side read; fails, saying why, when the mission has no
    // SIDE entry or the file cannot be read or written.
    platform::Status WRITESIDE(int side);

    const std::string& missionFile() const { return missionFile_; }
    const Token& missionLines() const { return missionLines_; }
    const std::vector<FlightEntry>& flights() const { return flights_; }
    const std::vector<FlightRoute>& routes() const { return routes_; }
    const std::vector<UnitRecord>& blueUnits() const { return blueUnits_; }
    const std::vector<UnitRecord>& redUnits() const { return redUnits_; }
    const std::vector<std::string>& blueObjectives() const { return blueObjectives_; }
    const std::vector<std::string>& redObjectives() const { return redObjectives_; }
    Point centre() const { return centre_; }
    Dimension size() const { return size_; }

    void DESTROY() override;

  private:
    // The entries of one flight's route, into each page given (null ones left out).
    void addRoute(std::span<Briefing* const> pages, std::size_t flight, int side) const;
    // Also gives the platoon's route point.
    Point readUnit(std::size_t line, UnitRecord& out) const;
    void classifyLines();
    // Line n (from 1) upper-cased, for the few lines whose words are read without regard to case.
    std::string upperLine(std::size_t line) const;
    void indexTables();
    int unitSide(int type) const;  // 0 blue, 1 red, -1 in neither unit table
    std::string_view callSignOf(std::int64_t number) const;
    std::string_view imageOf(std::int64_t type, int side) const;
    std::string_view waypointImage(std::int64_t kind, int side) const;
    // The sprites of one side's units, and ADDGRAPHUNIT with them made.
    StringList unitSprites(int unitSide) const;
    void addUnitSprites(BriefSupport& briefing, int side, const StringList (&sprites)[2]);
    // The sprites of both sides' units into each side's briefing, as GRAPHUNITS places them.
    void placeUnitSprites(BriefSupport& briefing, const StringList (&sprites)[2]);

    std::string missionFile_;
    bool readOk_ = false;  // READNAT read the file in full
    std::span<const std::string_view> nationalityNames_;
    Token missionLines_;
    std::vector<std::uint8_t> lineKeys_;  // per mission line, the LineKey bits of the words it holds
    std::vector<FlightEntry> flights_;
    std::span<const int> flyable_;
    std::span<const int> role1_, role2_;
    int side_ = 0;
    int nationality_ = 0;
    std::vector<FlightRoute> routes_;
    std::vector<UnitRecord> redUnits_;
    std::vector<UnitRecord> blueUnits_;
    std::span<const tables::CodeRow> blueTypes_, redTypes_;
    std::vector<std::string> redObjectives_;
    std::vector<std::string> blueObjectives_;
    std::span<const tables::CodeRow> blueImages_, redImages_;
    std::span<const std::string_view> blueWaypoints_, redWaypoints_;
    Point centre_;
    Dimension size_{16000, 16000};
    std::span<const tables::CallSignRow> callSigns_;
    std::span<const tables::MessageRow> messages_;
    std::vector<signed char> unitSideByCode_;
    std::vector<std::string_view> imageByCode_[2];
    std::vector<Shift> shiftByCode_[2];  // imageShift of imageByCode_
    std::vector<std::string_view> callSignByNumber_;
    std::vector<std::string_view> waypointByKind_[2];  // the waypoint images, trimmed, from kind 1
};

}  // namespace hartool
