#include "core/analysis/missionsupport.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "core/analysis/words.h"
#include "core/base/together.h"
#include "core/briefing/briefsupport.h"
#include "core/platform/codepage.h"
#include "core/text/entries.h"
#include "core/text/sections.h"

namespace hartool {

using analysis::contains;
using analysis::Words;

namespace {

int typeCode(std::int64_t n) {
    return static_cast<int>(
        std::clamp<std::int64_t>(n, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The words whose lines the reading looks for, anywhere in a line and without regard to case. Every line is
// tested for all of them in one pass when the file is read, rather than searched once per word and reader.
enum LineKey : std::uint8_t {
    kPlatoon = 1,
    kSupport = 2,
    kOrder = 4,     // "ORDER_ASMBLY_"
    kWaypoint = 8,  // "ADDWAYPT"
    kObjective = 16,
};

// text at p begins with word (upper-case letters and "_"), letters compared without regard to case. The code
// page folds no other character onto an ASCII letter, so this is the upper-cased text compared with word.
bool foldedAt(const char* p, const char* end, std::string_view word) {
    if (static_cast<std::size_t>(end - p) < word.size()) return false;
    for (const char w : word) {
        const char c = *p++;
        if (w == '_' ? c != '_' : (c & ~0x20) != w) return false;
    }
    return true;
}

// The word found at p (its key, 0 for none) and its length.
struct KeyFound {
    std::uint8_t key = 0;
    std::size_t length = 0;
};

KeyFound keyAt(const char* p, const char* end) {
    const auto word = [&](std::string_view w, std::uint8_t key) {
        return foldedAt(p, end, w) ? KeyFound{key, w.size()} : KeyFound{};
    };
    switch (*p & ~0x20) {
        case 'P':
            return word("PLATOON", kPlatoon);
        case 'S':
            return word("SUPPORT", kSupport);
        case 'O':
            if (const KeyFound order = word("ORDER_ASMBLY_", kOrder); order.key) return order;
            return word("OBJECTIVE", kObjective);
        case 'A':
            return word("ADDWAYPT", kWaypoint);
        default:
            return {};
    }
}

std::uint8_t keysOf(std::string_view line) {
    const char* const end = line.data() + line.size();
    std::uint8_t keys = 0;
    for (const char* p = line.data(); p < end;) {
        // Every word begins with a letter, and only a letter (or "_", "@" or a high byte) has bit 0x40: eight
        // characters without one, such as the numbers that make up most of a mission, cannot start a word.
        std::uint64_t eight;
        while (end - p >= 8 && (std::memcpy(&eight, p, 8), (eight & 0x4040404040404040u) == 0)) p += 8;
        if (p == end) break;
        const KeyFound found = keyAt(p, end);
        keys |= found.key;
        // No word begins inside another, so the search goes on behind one found.
        p += found.key ? found.length : 1;
    }
    return keys;
}

// The game appends the element number as two digits; the call sign is what stands before them.
std::int64_t callSignNumber(std::string_view w) {
    if (w.size() > 2) w.remove_suffix(2);
    return wordNumber(w);
}

}  // namespace

std::int64_t wordNumber(std::string_view w) {
    // Mission numbers are short plain digits: those need none of the checks below.
    if (!w.empty() && w.size() < 19) {
        std::int64_t n = 0;
        std::size_t k = 0;
        while (k < w.size() && static_cast<unsigned char>(w[k] - '0') < 10) n = n * 10 + (w[k++] - '0');
        if (k == w.size()) return n;
    }
    std::size_t i = 0;
    const bool negative = i < w.size() && w[i] == '-';
    if (i < w.size() && (w[i] == '-' || w[i] == '+')) ++i;
    const std::size_t intStart = i;
    while (i < w.size() && w[i] >= '0' && w[i] <= '9') ++i;
    const std::size_t intEnd = i;
    std::size_t fraction = 0;
    if (i < w.size() && w[i] == '.') {
        ++i;
        const std::size_t f = i;
        while (i < w.size() && w[i] >= '0' && w[i] <= '9') ++i;
        fraction = i - f;
    }
    if (i != w.size() || (intEnd == intStart && fraction == 0)) return 0;
    // Saturate rather than wrap a huge number.
    std::int64_t n = 0;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    for (std::size_t k = intStart; k < intEnd; ++k) {
        const int d = w[k] - '0';
        // Eighteen digits cannot overflow; only a longer number needs the check.
        n = (k - intStart < 18 || n <= (kMax - d) / 10) ? n * 10 + d : kMax;
    }
    return negative ? -n : n;
}

MissionSupport::MissionSupport(std::string missionFile) : missionFile_(std::move(missionFile)) {
    FILLARRAYS();
}

void MissionSupport::FILLARRAYS() {
    nationalityNames_ = tables::kNationalities;
    flyable_ = tables::kFlyableHelicopters;
    role1_ = tables::kNationalityRole1;
    role2_ = tables::kNationalityRole2;
    blueTypes_ = tables::kBlueUnitTypes;
    redTypes_ = tables::kRedUnitTypes;
    blueImages_ = tables::kBlueUnitImages;
    redImages_ = tables::kRedUnitImages;
    blueWaypoints_ = tables::kBlueWaypointImages;
    redWaypoints_ = tables::kRedWaypointImages;
    callSigns_ = tables::kCallSigns;
    messages_ = tables::kMessages;
    indexTables();
    flights_.clear();
    routes_.clear();
    blueUnits_.clear();
    redUnits_.clear();
    blueObjectives_.clear();
    redObjectives_.clear();
}

// The analysis asks for a unit's side and image and a call sign once per unit: indexed by code and number,
// with the first row that has a code deciding, as a search through the rows would.
void MissionSupport::indexTables() {
    auto byCode = [](std::span<const tables::CodeRow> rows, auto&& set) {
        for (auto r = rows.rbegin(); r != rows.rend(); ++r)
            for (int code : r->codes)
                if (code >= 0) set(static_cast<std::size_t>(code), trimSpaces(r->name));
    };
    // v[i] = value, v grown with fill as far as needed.
    auto put = [](auto& v, std::size_t i, auto value, auto fill) {
        if (i >= v.size()) v.resize(i + 1, fill);
        v[i] = value;
    };
    unitSideByCode_.clear();
    byCode(redTypes_, [&](std::size_t c, std::string_view) { put(unitSideByCode_, c, 1, -1); });
    byCode(blueTypes_, [&](std::size_t c, std::string_view) { put(unitSideByCode_, c, 0, -1); });
    for (int side = 0; side <= 1; ++side) {
        std::vector<std::string_view>& images = imageByCode_[side];
        images.clear();
        byCode(side == 0 ? blueImages_ : redImages_,
               [&](std::size_t c, std::string_view name) { put(images, c, name, std::string_view()); });
        shiftByCode_[side].clear();
        for (const std::string_view image : images) shiftByCode_[side].push_back(imageShift(image));
    }
    for (int side = 0; side <= 1; ++side) {
        waypointByKind_[side].clear();
        for (const std::string_view image : side == 0 ? blueWaypoints_ : redWaypoints_)
            waypointByKind_[side].push_back(trimSpaces(image));
    }
    callSignByNumber_.clear();
    for (auto r = callSigns_.rbegin(); r != callSigns_.rend(); ++r)
        if (r->number > 0)
            put(callSignByNumber_, static_cast<std::size_t>(r->number), trimSpaces(r->name),
                std::string_view());
}

int MissionSupport::unitSide(int type) const {
    return type >= 0 && static_cast<std::size_t>(type) < unitSideByCode_.size()
               ? unitSideByCode_[static_cast<std::size_t>(type)]
               : -1;
}

void MissionSupport::DESTROY() {
    missionLines_ = Token();
    lineKeys_.clear();
    flights_.clear();
    routes_.clear();
    blueUnits_.clear();
    redUnits_.clear();
    blueObjectives_.clear();
    redObjectives_.clear();
    Parent::DESTROY();
}

void MissionSupport::classifyLines() {
    const std::size_t count = missionLines_.ANZAHL();
    lineKeys_.resize(count);
    for (std::size_t i = 0; i < count; ++i) lineKeys_[i] = keysOf(missionLines_.GETTOKEN(i + 1));
}

std::string MissionSupport::upperLine(std::size_t line) const {
    return platform::upper1252(missionLines_.GETTOKEN(line));
}

int MissionSupport::READNAT() {
    platform::ReadResult r = platform::fileSystem().read(missionFile_);
    readOk_ = r.ok;
    missionLines_ = TXT2TOKEN(std::move(r.content));
    const std::size_t count = missionLines_.ANZAHL();
    classifyLines();

    flights_.clear();
    for (std::size_t i = 1; i <= count; ++i) {
        if (!(lineKeys_[i - 1] & kPlatoon)) continue;
        const std::string_view line = trimSpaces(missionLines_.GETTOKEN(i));
        if (!foldedAt(line.data(), line.data() + line.size(), "PLATOON")) continue;
        int c = typeCode(Words::ofLine(missionLines_.GETTOKEN(i), 1).number(1));
        if (c == 17)
            c = 21;
        else if (c == 109)
            c = 18;
        else if (c == 131)
            c = 129;
        auto at = std::find(flyable_.begin(), flyable_.end(), c);
        if (at == flyable_.end()) continue;
        flights_.push_back({i, c});
        const auto k = at - flyable_.begin();  // 0-based: pairs of positions per nationality, red last
        if (nationality_ == 0 && k < 6) nationality_ = static_cast<int>(k / 2) + 1;
    }
    return nationality_;
}

int MissionSupport::READSIDE() {
    side_ = typeCode(wordNumber(GETENTRY(missionFile_, "SIDE")));
    return side_;
}

void MissionSupport::READDIMENSIONS() {
    const std::string sizeValue = GETENTRY(missionFile_, "BATTLESIZE");
    if (const Words w(trimSpaces(sizeValue)); !sizeValue.empty())
        size_ = {w.number(1), w.number(2)};
    else
        size_ = {16000, 16000};
    const std::string field = GETENTRY(missionFile_, "BATTLEFIELD");
    if (const Words w(trimSpaces(field)); !field.empty())
        centre_ = {w.number(2), w.number(3)};
    else
        centre_ = {0, 0};
}

Point MissionSupport::readUnit(std::size_t line, UnitRecord& out) const {
    const Words w = Words::ofLine(missionLines_.GETTOKEN(line));
    out.type = typeCode(w.number(1));
    out.x = w.number(2);
    out.y = w.number(3);
    out.callSign = callSignOf(callSignNumber(w[9]));
    return {w.number(6), w.number(7)};
}

void MissionSupport::READUNITS() {
    blueUnits_.clear();
    redUnits_.clear();
    for (std::size_t i = 1; i <= lineKeys_.size(); ++i) {
        if (!(lineKeys_[i - 1] & kPlatoon)) continue;
        UnitRecord u;
        readUnit(i, u);
        if (const int side = unitSide(u.type); side == 0)
            blueUnits_.push_back(std::move(u));
        else if (side == 1)
            redUnits_.push_back(std::move(u));
    }
}

void MissionSupport::READWP() {
    static constexpr std::string_view kOrders[] = {"ORDER_ASMBLY_CHKPT",     "ORDER_ASMBLY_ASSMBLY",
                                                   "ORDER_ASMBLY_BATTLEPOS", "ORDER_ASMBLY_PATROL",
                                                   "ORDER_ASMBLY_LZ",        "ORDER_ASMBLY_SAR"};
    routes_.clear();
    routes_.reserve(flights_.size());
    for (const FlightEntry& f : flights_) {
        FlightRoute route;
        const Point first = readUnit(f.line, route.start);
        route.side = (route.start.type == 62 || route.start.type == 128) ? 1 : 0;
        route.waypoints.push_back({first.X, first.Y, 1});
        for (std::size_t n = f.line + 1; n <= lineKeys_.size(); ++n) {
            const std::uint8_t keys = lineKeys_[n - 1];
            if (keys & (kPlatoon | kSupport)) break;
            if (keys & kOrder) {
                const std::string u = upperLine(n);
                for (std::size_t k = 0; k < std::size(kOrders); ++k) {
                    if (contains(u, kOrders[k])) {
                        route.waypoints.back().kind = static_cast<int>(k) + 1;
                        break;
                    }
                }
            }
            if (keys & kWaypoint) {
                const Words w = Words::ofLine(missionLines_.GETTOKEN(n), 2);
                route.waypoints.push_back({w.number(1), w.number(2), route.waypoints.back().kind});
            }
        }
        routes_.push_back(std::move(route));
    }
}

void MissionSupport::READOBJECTIVES() {
    redObjectives_.clear();
    blueObjectives_.clear();
    for (std::size_t i = 0; i < lineKeys_.size(); ++i) {
        if (lineKeys_[i] & kObjective) {
            const std::string u = upperLine(i + 1);
            const std::string_view value = valueAfter(u);
            const std::string_view w = Words(value, 1)[1];
            if (w == "RED")
                redObjectives_.emplace_back(value.substr(3));
            else if (w == "BLUE")
                blueObjectives_.emplace_back(value.substr(4));
        } else if (lineKeys_[i] & kPlatoon) {
            break;
        }
    }
}

platform::Status MissionSupport::ANALYZE(BriefSupport& briefing, const std::string& leadingText) {
    READSIDE();
    READDIMENSIONS();
    // The units and their sprites beside the routes and objectives: the two share only what both read (the
    // lines, the tables, the battle area) and draw into different pages, the units' placed when both are
    // done.
    // A thread costs more than a small mission's units take, so those are done in turn.
    constexpr std::size_t kLinesForThread = 2000;
    StringList sprites[2];
    const auto routes = [&] {
        READWP();
        READOBJECTIVES();
        GRAPHWP(briefing);
        GRAPHOBJECTIVES(briefing);
    };
    const auto units = [&] {
        READUNITS();
        sprites[0] = unitSprites(0);
        sprites[1] = unitSprites(1);
    };
    if (missionLines_.ANZAHL() >= kLinesForThread) {
        doTogether(routes, units);
    } else {
        routes();
        units();
    }
    placeUnitSprites(briefing, sprites);
    return briefing.WRITEBRIEFINGS(leadingText);
}

std::string MissionSupport::GETCALLSIGN(std::int64_t number) const {
    return std::string(callSignOf(number));
}

std::string_view MissionSupport::callSignOf(std::int64_t number) const {
    if (number <= 0 || static_cast<std::uint64_t>(number) >= callSignByNumber_.size()) return "";
    return callSignByNumber_[static_cast<std::size_t>(number)];
}

std::string MissionSupport::GETMESSAGE(std::int64_t number, MessagePart what) const {
    for (const tables::MessageRow& r : messages_) {
        if (r.number != number) continue;
        switch (what) {
            case MessagePart::MESSAGE:
                return std::string(trimSpaces(r.text));
            case MessagePart::IMAGEBLUE:
                return std::string(trimSpaces(r.blueImage));
            case MessagePart::IMAGERED:
                return std::string(trimSpaces(r.redImage));
        }
    }
    return "";
}

std::string MissionSupport::GETIMAGE(std::int64_t type, int side) const {
    return std::string(imageOf(type, side));
}

std::string_view MissionSupport::imageOf(std::int64_t type, int side) const {
    if (side != 0 && side != 1) return "";
    const std::vector<std::string_view>& images = imageByCode_[side];
    return type >= 0 && static_cast<std::uint64_t>(type) < images.size()
               ? images[static_cast<std::size_t>(type)]
               : "";
}

std::string MissionSupport::GETWP(std::int64_t kind, int side) const {
    return std::string(waypointImage(kind, side));
}

std::string_view MissionSupport::waypointImage(std::int64_t kind, int side) const {
    if (kind <= 0 || (side != 0 && side != 1)) return "";
    const std::vector<std::string_view>& images = waypointByKind_[side];
    if (kind > static_cast<std::int64_t>(images.size())) return "";
    return images[static_cast<std::size_t>(kind - 1)];
}

NatWrite MissionSupport::WRITENAT(int n) {
    NatWrite result{nationality_, platform::Status::success()};
    if (n == nationality_) return result;
    if (n < 1 || n > static_cast<int>(role1_.size())) {
        result.status = platform::Status::failure("no such nationality");
        return result;
    }
    // Rewriting from what could not be read would empty or create the file.
    if (!readOk_) {
        result.status = platform::Status::failure("the mission file could not be read: " + missionFile_);
        return result;
    }
    for (FlightEntry& f : flights_) {
        if (std::find(role1_.begin(), role1_.end(), f.type) != role1_.end())
            f.type = role1_[static_cast<std::size_t>(n - 1)];
        else if (std::find(role2_.begin(), role2_.end(), f.type) != role2_.end())
            f.type = role2_[static_cast<std::size_t>(n - 1)];
    }
    for (const FlightEntry& f : flights_) {
        missionLines_.REPLACETOKEN(f.line,
                                   PUTWERT(missionLines_.GETTOKEN(f.line), 1, std::to_string(f.type)));
    }
    classifyLines();
    result.status = WRITESTRING(missionFile_, missionLines_.TOKENSTRING());
    return result;
}

platform::Status MissionSupport::WRITESIDE(int side) {
    if (side == side_) return platform::Status::success();
    const EntryWrite w = PUTENTRY(missionFile_, "SIDE", std::to_string(side));
    switch (w.outcome) {
        case EntryWrite::Outcome::WRITTEN:
            return platform::Status::success();
        case EntryWrite::Outcome::NO_ENTRY:
            return platform::Status::failure("the mission has no SIDE entry to change: " + missionFile_);
        case EntryWrite::Outcome::FAILED:
            break;
    }
    return platform::Status::failure("the side could not be written: " + w.status.error);
}

}  // namespace hartool
