#include "analysis/missionsupport.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "briefing/briefsupport.h"
#include "platform/codepage.h"
#include "text/entries.h"
#include "text/sections.h"

namespace hartool {

namespace {

constexpr std::int64_t kMapCap = 320;

std::string_view lineValue(std::string_view line) {
    return trimSpaces(tokenAt(line, ":", 2));
}

// The first words of a trimmed value, split once: a line is asked for up to nine of them.
class Words {
  public:
    explicit Words(std::string_view value) {
        std::size_t i = 0;
        while (count_ < kMax && i < value.size()) {
            const std::size_t end = std::min(value.find(' ', i), value.size());
            words_[count_++] = value.substr(i, end - i);
            i = value.find_first_not_of(' ', end);
            if (i == std::string_view::npos) break;
        }
    }
    // Word n, from 1; "" when there is none.
    std::string_view operator[](std::size_t n) const { return n >= 1 && n <= count_ ? words_[n - 1] : ""; }
    std::int64_t number(std::size_t n) const { return wordNumber((*this)[n]); }

  private:
    static constexpr std::size_t kMax = 9;
    std::string_view words_[kMax];
    std::size_t count_ = 0;
};

int typeCode(std::int64_t n) {
    return static_cast<int>(
        std::clamp<std::int64_t>(n, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The game appends the element number as two digits; the call sign is what stands before them.
std::int64_t callSignNumber(std::string_view w) {
    if (w.size() > 2) w.remove_suffix(2);
    return wordNumber(w);
}

bool hasCode(std::span<const tables::CodeRow> rows, std::int64_t code) {
    for (const tables::CodeRow& r : rows)
        if (std::find(r.codes.begin(), r.codes.end(), code) != r.codes.end()) return true;
    return false;
}

bool contains(std::string_view s, std::string_view part) {
    return s.find(part) != std::string_view::npos;
}

std::int64_t capped(std::int64_t v) {
    return std::min(v, kMapCap);
}

void appendNumber(std::string& s, std::int64_t v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    s.append(buf, r.ptr);
}

// Entries are built in one buffer each: there are tens of thousands of them in a large mission.
std::string sprite(std::string_view image, std::int64_t x, std::int64_t y) {
    std::string s;
    s.reserve(image.size() + 40);
    s += "images\\";
    s += image;
    s += ".pcx, ";
    appendNumber(s, x);
    s += ", ";
    appendNumber(s, y);
    s += ", 0";
    return s;
}

std::string line(Point a, Point b) {
    std::string s;
    s.reserve(64);
    s += "200, 200, 200";
    for (std::int64_t v : {a.X, a.Y, b.X, b.Y}) {
        s += ", ";
        appendNumber(s, v);
    }
    return s;
}

std::string label(Point p, std::string_view text) {
    std::string s;
    s.reserve(text.size() + 48);
    appendNumber(s, p.X);
    s += ", ";
    appendNumber(s, p.Y);
    s += ", 99, 99, 208, 1, ";
    s += text;
    return s;
}

// Page n (1-based) of the selected briefing, or null when the briefing has fewer pages.
Briefing* page(BriefSupport& b, std::size_t n) {
    std::vector<Briefing>& pages = b.BRIEFARRAY();
    return n <= pages.size() ? &pages[n - 1] : nullptr;
}

// Runs add once per side in double mode, selecting that side's briefing, or once for the mission's side.
template <class Add>
void perSide(BriefSupport& b, int missionSide, Add add) {
    if (b.DOUBLEMODE()) {
        b.SETBLUEMODE(true);
        add(0);
        b.SETBLUEMODE(false);
        add(1);
    } else {
        add(missionSide);
    }
}

}  // namespace

std::int64_t wordNumber(std::string_view w) {
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
        n = n > (kMax - d) / 10 ? kMax : n * 10 + d;
    }
    return negative ? -n : n;
}

Point CORRECTPOINT(Point p, Shift kind) {
    std::int64_t dx = 0, dy = 0;
    switch (kind) {
        case Shift::OBJ:
            dx = -5, dy = 0;
            break;
        case Shift::ONE:
            dx = -30, dy = -20;
            break;
        case Shift::TWO:
            dx = -70, dy = -60;
            break;
        case Shift::THREE:
            dx = -105, dy = -100;
            break;
        case Shift::SECTOR:
        case Shift::LINEEND:
            dx = 10, dy = 20;
            break;
        case Shift::NONE:
            break;
    }
    return {capped(p.X + dx), capped(p.Y + dy)};
}

Point CORRECTPOINT2(Point p, std::string_view image) {
    const std::string u = platform::upper1252(image);
    if (contains(u, "RSAM2") || contains(u, "UADV2B")) return CORRECTPOINT(p, Shift::ONE);
    if (contains(u, "RSAM4") || contains(u, "USAM4")) return CORRECTPOINT(p, Shift::TWO);
    if (contains(u, "RSAM6")) return CORRECTPOINT(p, Shift::THREE);
    return CORRECTPOINT(p, Shift::OBJ);
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
    flights_.clear();
    routes_.clear();
    blueUnits_.clear();
    redUnits_.clear();
    blueObjectives_.clear();
    redObjectives_.clear();
}

void MissionSupport::DESTROY() {
    missionLines_ = Token();
    upperLines_.clear();
    upperText_.clear();
    flights_.clear();
    routes_.clear();
    blueUnits_.clear();
    redUnits_.clear();
    blueObjectives_.clear();
    redObjectives_.clear();
    Parent::DESTROY();
}

void MissionSupport::buildUpperLines() {
    const std::size_t count = missionLines_.ANZAHL();
    std::size_t total = 0;
    for (std::size_t i = 1; i <= count; ++i) total += missionLines_.GETTOKEN(i).size();
    upperText_.clear();
    upperText_.reserve(total);
    static const auto kUpper = [] {
        std::array<char, 256> t{};
        for (int c = 0; c < 256; ++c) t[c] = platform::upper1252(static_cast<char>(c));
        return t;
    }();
    for (std::size_t i = 1; i <= count; ++i)
        for (char c : missionLines_.GETTOKEN(i)) upperText_ += kUpper[static_cast<unsigned char>(c)];
    upperLines_.clear();
    upperLines_.reserve(count);
    std::size_t at = 0;
    for (std::size_t i = 1; i <= count; ++i) {
        const std::size_t n = missionLines_.GETTOKEN(i).size();
        upperLines_.emplace_back(upperText_.data() + at, n);
        at += n;
    }
}

int MissionSupport::READNAT() {
    platform::ReadResult r = platform::fileSystem().read(missionFile_);
    readOk_ = r.ok;
    missionLines_ = TXT2TOKEN(std::move(r.content));
    const std::size_t count = missionLines_.ANZAHL();
    buildUpperLines();

    flights_.clear();
    for (std::size_t i = 1; i <= count; ++i) {
        if (!trimSpaces(upperLines_[i - 1]).starts_with("PLATOON")) continue;
        int c = typeCode(Words(lineValue(missionLines_.GETTOKEN(i))).number(1));
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

void MissionSupport::readUnit(std::size_t line, UnitRecord& out) const {
    const Words w(lineValue(missionLines_.GETTOKEN(line)));
    out.type = typeCode(w.number(1));
    out.x = w.number(2);
    out.y = w.number(3);
    out.callSign = GETCALLSIGN(callSignNumber(w[9]));
}

void MissionSupport::READUNITS() {
    blueUnits_.clear();
    redUnits_.clear();
    for (std::size_t i = 1; i <= upperLines_.size(); ++i) {
        if (!contains(upperLines_[i - 1], "PLATOON")) continue;
        UnitRecord u;
        readUnit(i, u);
        if (hasCode(blueTypes_, u.type))
            blueUnits_.push_back(std::move(u));
        else if (hasCode(redTypes_, u.type))
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
        readUnit(f.line, route.start);
        route.side = (route.start.type == 62 || route.start.type == 128) ? 1 : 0;
        const Words start(lineValue(missionLines_.GETTOKEN(f.line)));
        route.waypoints.push_back({start.number(6), start.number(7), 1});
        for (std::size_t n = f.line + 1; n <= upperLines_.size(); ++n) {
            const std::string_view u = upperLines_[n - 1];
            if (contains(u, "PLATOON") || contains(u, "SUPPORT")) break;
            for (std::size_t k = 0; k < std::size(kOrders) && contains(u, "ORDER_ASMBLY_"); ++k) {
                if (contains(u, kOrders[k])) {
                    route.waypoints.back().kind = static_cast<int>(k) + 1;
                    break;
                }
            }
            if (contains(u, "ADDWAYPT")) {
                const Words w(lineValue(missionLines_.GETTOKEN(n)));
                route.waypoints.push_back({w.number(1), w.number(2), route.waypoints.back().kind});
            }
        }
        routes_.push_back(std::move(route));
    }
}

void MissionSupport::READOBJECTIVES() {
    redObjectives_.clear();
    blueObjectives_.clear();
    for (const std::string_view u : upperLines_) {
        if (contains(u, "OBJECTIVE")) {
            const std::string_view value = lineValue(u);
            const std::string_view w = Words(value)[1];
            if (w == "RED")
                redObjectives_.emplace_back(value.substr(3));
            else if (w == "BLUE")
                blueObjectives_.emplace_back(value.substr(4));
        } else if (contains(u, "PLATOON")) {
            break;
        }
    }
}

platform::Status MissionSupport::ANALYZE(BriefSupport& briefing) {
    READSIDE();
    READDIMENSIONS();
    READWP();
    READUNITS();
    READOBJECTIVES();
    GRAPHWP(briefing);
    GRAPHOBJECTIVES(briefing);
    GRAPHUNITS(briefing);
    return briefing.WRITEBRIEFINGS();
}

std::string MissionSupport::GETCALLSIGN(std::int64_t number) const {
    if (number <= 0) return "";
    for (const tables::CallSignRow& r : callSigns_)
        if (r.number == number) return std::string(trimSpaces(r.name));
    return "";
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
    if (side != 0 && side != 1) return "";
    for (const tables::CodeRow& r : side == 0 ? blueImages_ : redImages_)
        if (std::find(r.codes.begin(), r.codes.end(), type) != r.codes.end())
            return std::string(trimSpaces(r.name));
    return "";
}

std::string MissionSupport::GETWP(std::int64_t kind, int side) const {
    if (kind <= 0 || (side != 0 && side != 1)) return "";
    const auto images = side == 0 ? blueWaypoints_ : redWaypoints_;
    if (kind > static_cast<std::int64_t>(images.size())) return "";
    return std::string(trimSpaces(images[static_cast<std::size_t>(kind - 1)]));
}

Point MissionSupport::NEWCOORD(Point p) const {
    const double left = static_cast<double>(centre_.X) - static_cast<double>(size_.WIDTH) / 2.0;
    const double top = static_cast<double>(centre_.Y) - static_cast<double>(size_.HEIGHT) / 2.0;
    // llround rounds halves away from zero.
    const std::int64_t x = std::llround((static_cast<double>(p.X) - left) / 50.0) - 10;
    const std::int64_t y = std::llround((static_cast<double>(p.Y) - top) / 50.0) - 22;
    return {capped(x), capped(y)};
}

void MissionSupport::GRAPHWP(BriefSupport& briefing) {
    briefing.CLEARGRAPH();
    for (std::size_t i = 0; i < routes_.size(); ++i)
        perSide(briefing, side_, [&](int side) { ADDGRAPHWP(briefing, i, side); });
}

void MissionSupport::ADDGRAPHWP(BriefSupport& briefing, std::size_t flight, int side) {
    if (flight >= routes_.size() || routes_[flight].side != side) return;
    const FlightRoute& route = routes_[flight];
    Briefing* pages[] = {page(briefing, 1), page(briefing, 2)};
    auto add = [&](std::vector<std::string> Briefing::*list, std::string entry) {
        if (pages[0]) (pages[0]->*list).push_back(pages[1] ? entry : std::move(entry));
        if (pages[1]) (pages[1]->*list).push_back(std::move(entry));
    };
    Point previous = NEWCOORD({route.start.x, route.start.y});
    add(&Briefing::ASPRITESTRINGS, sprite(GETIMAGE(route.start.type, side), previous.X, previous.Y + 5));
    add(&Briefing::ALABELSTRINGS, label({previous.X, previous.Y - 2}, route.start.callSign));
    for (const WaypointRecord& w : route.waypoints) {
        const Point p = NEWCOORD({w.x, w.y});
        add(&Briefing::ASPRITESTRINGS, sprite(GETWP(w.kind, side), p.X - 2, p.Y - 5));
        add(&Briefing::ALINESTRINGS, line({p.X + 5, p.Y + 15}, {previous.X + 5, previous.Y + 15}));
        previous = p;
    }
}

void MissionSupport::GRAPHOBJECTIVES(BriefSupport& briefing) {
    perSide(briefing, side_, [&](int side) { ADDGRAPHOBJ(briefing, side); });
}

void MissionSupport::ADDGRAPHOBJ(BriefSupport& briefing, int side) {
    if (side != 0 && side != 1) return;
    const bool red = side == 1;
    const std::string prefix = red ? "r" : "u";
    Briefing* first = page(briefing, 1);
    Briefing* second = page(briefing, 2);
    auto toSecond = [&](std::vector<std::string> Briefing::*list, std::string entry) {
        if (second) (second->*list).push_back(std::move(entry));
    };
    for (const std::string& objective : red ? redObjectives_ : blueObjectives_) {
        const Words o(trimSpaces(objective));
        const std::string_view k = o[1];
        auto at = [&](std::size_t x, std::size_t y) { return NEWCOORD({o.number(x), o.number(y)}); };
        if (contains(k, "KRADIUS")) {
            const Point p = at(2, 3);
            const Point q = CORRECTPOINT(p, Shift::OBJ);
            const std::string marker = sprite(
                GETMESSAGE(o.number(4), red ? MessagePart::IMAGERED : MessagePart::IMAGEBLUE), q.X, q.Y);
            if (first) first->ASPRITESTRINGS.push_back(marker);
            if (second) second->ASPRITESTRINGS.push_back(marker);
            if (contains(k, "ONE")) {
                const Point r = CORRECTPOINT(p, Shift::ONE);
                toSecond(&Briefing::ASPRITESTRINGS, sprite(prefix + "adv2b", r.X, r.Y));
            } else if (contains(k, "TWO")) {
                const Point r = CORRECTPOINT(p, Shift::TWO);
                toSecond(&Briefing::ASPRITESTRINGS, sprite(prefix + "sam4b", r.X, r.Y));
            } else if (contains(k, "THREE")) {
                const Point r = CORRECTPOINT(q, Shift::THREE);
                toSecond(&Briefing::ASPRITESTRINGS, sprite(red ? "usam4b" : "rsam6b", r.X, r.Y));
            }
        } else if (contains(k, "SECTOR")) {
            const Point a = CORRECTPOINT(at(2, 3), Shift::SECTOR);
            const Point b = CORRECTPOINT(at(4, 5), Shift::SECTOR);
            toSecond(&Briefing::ALINESTRINGS, line(a, {a.X, b.Y}));
            toSecond(&Briefing::ALINESTRINGS, line({a.X, b.Y}, b));
            toSecond(&Briefing::ALINESTRINGS, line(b, {b.X, a.Y}));
            toSecond(&Briefing::ALINESTRINGS, line({b.X, a.Y}, a));
            toSecond(&Briefing::ALABELSTRINGS, label(a, GETMESSAGE(o.number(6))));
        } else if (contains(k, "_LINE")) {
            const Point a = CORRECTPOINT(at(2, 3), Shift::SECTOR);
            const Point b = CORRECTPOINT(at(4, 5), Shift::LINEEND);
            toSecond(&Briefing::ALINESTRINGS, line(a, b));
            toSecond(&Briefing::ALABELSTRINGS, label(a, GETMESSAGE(o.number(6))));
        }
    }
}

void MissionSupport::GRAPHUNITS(BriefSupport& briefing) {
    perSide(briefing, side_, [&](int side) { ADDGRAPHUNIT(briefing, side); });
}

void MissionSupport::ADDGRAPHUNIT(BriefSupport& briefing, int side) {
    if (side != 0 && side != 1) return;
    for (int u = 0; u <= 1; ++u) {
        Briefing* target = page(briefing, u == side ? 3 : 4);
        if (!target) continue;
        for (const UnitRecord& unit : u == 0 ? blueUnits_ : redUnits_) {
            const std::string image = GETIMAGE(unit.type, u);
            const Point p = CORRECTPOINT2(NEWCOORD({unit.x, unit.y}), image);
            target->ASPRITESTRINGS.push_back(sprite(image, p.X, p.Y));
        }
    }
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
    buildUpperLines();
    result.status = WRITESTRING(missionFile_, missionLines_.TOKENSTRING());
    return result;
}

platform::Status MissionSupport::WRITESIDE(int side) {
    if (side == side_) return platform::Status::success();
    return PUTENTRY(missionFile_, "SIDE", std::to_string(side)).status;
}

}  // namespace hartool
