// The briefing map graphics drawn from what MissionSupport read: unit sprites, flight routes and objectives.

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/analysis/missionsupport.h"
#include "core/analysis/words.h"
#include "core/briefing/briefsupport.h"
#include "core/platform/codepage.h"

namespace hartool {

using analysis::contains;
using analysis::Words;

namespace {

constexpr std::int64_t kMapCap = 320;

std::int64_t capped(std::int64_t v) {
    return std::min(v, kMapCap);
}

// Graphics entries, formatted in one reused buffer: a large mission has tens of thousands of them.
class EntryText {
  public:
    std::string_view sprite(std::string_view image, std::int64_t x, std::int64_t y) {
        char* p = start(image.size() + 2 * kNumber + fixed("images\\.pcx, , , 0"));
        p = put(p, "images\\");
        p = put(p, image);
        p = put(p, ".pcx, ");
        p = number(p, x);
        p = put(p, ", ");
        p = number(p, y);
        return done(put(p, ", 0"));
    }
    std::string_view line(Point a, Point b) {
        char* p = start(4 * kNumber + fixed("200, 200, 200, , , , "));
        p = put(p, "200, 200, 200");
        for (std::int64_t v : {a.X, a.Y, b.X, b.Y}) p = number(put(p, ", "), v);
        return done(p);
    }
    std::string_view label(Point at, std::string_view text) {
        char* p = start(text.size() + 2 * kNumber + fixed(", , 99, 99, 208, 1, "));
        p = number(p, at.X);
        p = put(p, ", ");
        p = number(p, at.Y);
        p = put(p, ", 99, 99, 208, 1, ");
        return done(put(p, text));
    }

  private:
    static constexpr std::size_t kNumber = 20;  // the longest 64-bit decimal
    // The characters an entry has besides its numbers and names.
    static constexpr std::size_t fixed(std::string_view text) { return text.size(); }

    char* start(std::size_t most) {
        if (s_.size() < most) s_.resize(most);
        return s_.data();
    }
    static char* put(char* p, std::string_view text) { return std::copy(text.begin(), text.end(), p); }
    static char* number(char* p, std::int64_t v) { return std::to_chars(p, p + kNumber, v).ptr; }
    std::string_view done(const char* end) const {
        return std::string_view(s_.data(), static_cast<std::size_t>(end - s_.data()));
    }

    std::string s_;
};

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

Shift imageShift(std::string_view image) {
    const std::string u = platform::upper1252(image);
    if (contains(u, "RSAM2") || contains(u, "UADV2B")) return Shift::ONE;
    if (contains(u, "RSAM4") || contains(u, "USAM4")) return Shift::TWO;
    if (contains(u, "RSAM6")) return Shift::THREE;
    return Shift::OBJ;
}

Point CORRECTPOINT2(Point p, std::string_view image) {
    return CORRECTPOINT(p, imageShift(image));
}

namespace {

// (at - centre + size / 2) / 50, halves rounded away from zero, as llround gives it of the quotient in
// doubles. Below 2^40 the doubles are exact up to the division, whose rounding cannot reach a half, so whole
// numbers give the same; they stand for the doubles there, which cost a call into the maths library per
// coordinate.
std::int64_t mapAxis(std::int64_t at, std::int64_t centre, std::int64_t size) {
    constexpr std::int64_t kExact = std::int64_t{1} << 40;
    const auto small = [](std::int64_t v) { return v > -kExact && v < kExact; };
    if (!small(at) || !small(centre) || !small(size)) {
        const double low = static_cast<double>(centre) - static_cast<double>(size) / 2.0;
        return std::llround((static_cast<double>(at) - low) / 50.0);
    }
    const std::int64_t twice = 2 * at - 2 * centre + size;  // a hundred times the quotient
    std::int64_t q = twice / 100;
    const std::int64_t r = twice % 100;
    if (2 * r >= 100)
        ++q;
    else if (2 * r <= -100)
        --q;
    return q;
}

}  // namespace

Point MissionSupport::NEWCOORD(Point p) const {
    return {capped(mapAxis(p.X, centre_.X, size_.WIDTH) - 10),
            capped(mapAxis(p.Y, centre_.Y, size_.HEIGHT) - 22)};
}

void MissionSupport::GRAPHWP(BriefSupport& briefing) {
    briefing.CLEARGRAPH();
    // Room for the routes of every side at once: a large mission makes lists of tens of megabytes, and
    // growing them step by step copied each several times. Room never used is never touched.
    std::size_t waypoints = 0;
    for (const FlightRoute& r : routes_) waypoints += r.waypoints.size();
    constexpr std::size_t kEntryRoom = 48;
    perSide(briefing, side_, [&](int) {
        for (std::size_t n : {1, 2}) {
            if (Briefing* p = page(briefing, n)) {
                p->ASPRITESTRINGS.reserve(routes_.size() + waypoints,
                                          (routes_.size() + waypoints) * kEntryRoom);
                p->ALINESTRINGS.reserve(waypoints, waypoints * kEntryRoom);
                p->ALABELSTRINGS.reserve(routes_.size(), routes_.size() * kEntryRoom);
            }
        }
    });
    // Both pages get the same entries in the same order: drawn into the first, then copied whole.
    perSide(briefing, side_, [&](int side) {
        Briefing* first = page(briefing, 1);
        Briefing* second = page(briefing, 2);
        Briefing* drawn[] = {first ? first : second, first ? second : nullptr};
        for (std::size_t i = 0; i < routes_.size(); ++i) addRoute({drawn, 1}, i, side);
        if (drawn[1])
            for (StringList Briefing::*list :
                 {&Briefing::ASPRITESTRINGS, &Briefing::ALINESTRINGS, &Briefing::ALABELSTRINGS})
                (drawn[1]->*list).append(drawn[0]->*list);
    });
}

void MissionSupport::ADDGRAPHWP(BriefSupport& briefing, std::size_t flight, int side) {
    Briefing* pages[] = {page(briefing, 1), page(briefing, 2)};
    addRoute(pages, flight, side);
}

void MissionSupport::addRoute(std::span<Briefing* const> pages, std::size_t flight, int side) const {
    if (flight >= routes_.size() || routes_[flight].side != side) return;
    const FlightRoute& route = routes_[flight];
    auto add = [&](StringList Briefing::*list, std::string_view entry) {
        for (Briefing* p : pages)
            if (p) (p->*list).push_back(entry);
    };
    EntryText e;
    Point previous = NEWCOORD({route.start.x, route.start.y});
    add(&Briefing::ASPRITESTRINGS, e.sprite(imageOf(route.start.type, side), previous.X, previous.Y + 5));
    add(&Briefing::ALABELSTRINGS, e.label({previous.X, previous.Y - 2}, route.start.callSign));
    for (const WaypointRecord& w : route.waypoints) {
        const Point p = NEWCOORD({w.x, w.y});
        add(&Briefing::ASPRITESTRINGS, e.sprite(waypointImage(w.kind, side), p.X - 2, p.Y - 5));
        add(&Briefing::ALINESTRINGS, e.line({p.X + 5, p.Y + 15}, {previous.X + 5, previous.Y + 15}));
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
    auto toSecond = [&](StringList Briefing::*list, std::string_view entry) {
        if (second) (second->*list).push_back(entry);
    };
    EntryText e;
    for (const std::string& objective : red ? redObjectives_ : blueObjectives_) {
        const Words o(trimSpaces(objective));
        const std::string_view k = o[1];
        auto at = [&](std::size_t x, std::size_t y) { return NEWCOORD({o.number(x), o.number(y)}); };
        if (contains(k, "KRADIUS")) {
            const Point p = at(2, 3);
            const Point q = CORRECTPOINT(p, Shift::OBJ);
            const std::string_view marker = e.sprite(
                GETMESSAGE(o.number(4), red ? MessagePart::IMAGERED : MessagePart::IMAGEBLUE), q.X, q.Y);
            if (first) first->ASPRITESTRINGS.push_back(marker);
            if (second) second->ASPRITESTRINGS.push_back(marker);
            if (contains(k, "ONE")) {
                const Point r = CORRECTPOINT(p, Shift::ONE);
                toSecond(&Briefing::ASPRITESTRINGS, e.sprite(prefix + "adv2b", r.X, r.Y));
            } else if (contains(k, "TWO")) {
                const Point r = CORRECTPOINT(p, Shift::TWO);
                toSecond(&Briefing::ASPRITESTRINGS, e.sprite(prefix + "sam4b", r.X, r.Y));
            } else if (contains(k, "THREE")) {
                const Point r = CORRECTPOINT(q, Shift::THREE);
                toSecond(&Briefing::ASPRITESTRINGS, e.sprite(red ? "usam4b" : "rsam6b", r.X, r.Y));
            }
        } else if (contains(k, "SECTOR")) {
            const Point a = CORRECTPOINT(at(2, 3), Shift::SECTOR);
            const Point b = CORRECTPOINT(at(4, 5), Shift::SECTOR);
            toSecond(&Briefing::ALINESTRINGS, e.line(a, {a.X, b.Y}));
            toSecond(&Briefing::ALINESTRINGS, e.line({a.X, b.Y}, b));
            toSecond(&Briefing::ALINESTRINGS, e.line(b, {b.X, a.Y}));
            toSecond(&Briefing::ALINESTRINGS, e.line({b.X, a.Y}, a));
            toSecond(&Briefing::ALABELSTRINGS, e.label(a, GETMESSAGE(o.number(6))));
        } else if (contains(k, "_LINE")) {
            const Point a = CORRECTPOINT(at(2, 3), Shift::SECTOR);
            const Point b = CORRECTPOINT(at(4, 5), Shift::LINEEND);
            toSecond(&Briefing::ALINESTRINGS, e.line(a, b));
            toSecond(&Briefing::ALABELSTRINGS, e.label(a, GETMESSAGE(o.number(6))));
        }
    }
}

void MissionSupport::GRAPHUNITS(BriefSupport& briefing) {
    // Both sides' briefings show the same unit sprites: made once.
    const StringList sprites[] = {unitSprites(0), unitSprites(1)};
    placeUnitSprites(briefing, sprites);
}

void MissionSupport::placeUnitSprites(BriefSupport& briefing, const StringList (&sprites)[2]) {
    perSide(briefing, side_, [&](int side) { addUnitSprites(briefing, side, sprites); });
}

void MissionSupport::ADDGRAPHUNIT(BriefSupport& briefing, int side) {
    const StringList sprites[] = {unitSprites(0), unitSprites(1)};
    addUnitSprites(briefing, side, sprites);
}

StringList MissionSupport::unitSprites(int unitSide) const {
    StringList out;
    EntryText e;
    const std::vector<Shift>& shifts = shiftByCode_[unitSide];
    for (const UnitRecord& unit : unitSide == 0 ? blueUnits_ : redUnits_) {
        const std::string_view image = imageOf(unit.type, unitSide);
        // As CORRECTPOINT2 would move it, by the image's shift found once per code.
        const auto code = static_cast<std::size_t>(unit.type);
        const Shift shift = unit.type >= 0 && code < shifts.size() ? shifts[code] : Shift::OBJ;
        const Point p = CORRECTPOINT(NEWCOORD({unit.x, unit.y}), shift);
        out.push_back(e.sprite(image, p.X, p.Y));
    }
    return out;
}

void MissionSupport::addUnitSprites(BriefSupport& briefing, int side, const StringList (&sprites)[2]) {
    if (side != 0 && side != 1) return;
    for (int u = 0; u <= 1; ++u)
        if (Briefing* target = page(briefing, u == side ? 3 : 4)) target->ASPRITESTRINGS.append(sprites[u]);
}

}  // namespace hartool
