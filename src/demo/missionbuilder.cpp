#include "demo/missionbuilder.h"

namespace hartool::demo {

namespace {

constexpr const char* kEol = "\r\n";

const char* orderLine(WaypointKind kind) {
    switch (kind) {
        case WaypointKind::Checkpoint:
            return "ORDER_ASMBLY_CHKPT";
        case WaypointKind::Assembly:
            return "ORDER_ASMBLY_ASSMBLY";
        case WaypointKind::BattlePosition:
            return "ORDER_ASMBLY_BATTLEPOS";
        case WaypointKind::Patrol:
            return "ORDER_ASMBLY_PATROL";
        case WaypointKind::LandingZone:
            return "ORDER_ASMBLY_LZ";
        case WaypointKind::SearchAndRescue:
            return "ORDER_ASMBLY_SAR";
    }
    return "";
}

std::string platoonLine(const Platoon& p) {
    return "PLATOON: " + words({p.type, p.x, p.y, p.heading, p.strength, p.routeX, p.routeY, p.skill}) + " " +
           p.callSign;
}

const char* sideWord(int side) {
    return side == kBlue ? "BLUE" : "RED";
}

}  // namespace

std::string words(std::initializer_list<int> numbers) {
    std::string s;
    for (int n : numbers) {
        if (!s.empty()) s += ' ';
        s += std::to_string(n);
    }
    return s;
}

MissionBuilder::MissionBuilder(std::string title) : title_(std::move(title)) {}

MissionBuilder& MissionBuilder::side(int side) {
    return entry("SIDE", std::to_string(side));
}

MissionBuilder& MissionBuilder::battleSize(int width, int height) {
    return entry("BATTLESIZE", words({width, height}));
}

MissionBuilder& MissionBuilder::battlefield(std::string name, int x, int y) {
    return entry("BATTLEFIELD", name + " " + words({x, y}));
}

MissionBuilder& MissionBuilder::entry(std::string name, std::string value) {
    header_.push_back(name + ": " + value);
    return *this;
}

MissionBuilder& MissionBuilder::objective(int side, std::string form) {
    objectives_.push_back(std::string("OBJECTIVE: ") + sideWord(side) + " " + form);
    return *this;
}

MissionBuilder& MissionBuilder::platoon(const Platoon& p) {
    body_.push_back(platoonLine(p));
    return *this;
}

MissionBuilder& MissionBuilder::flight(const Flight& f) {
    Platoon p = f.platoon;
    if (!f.waypoints.empty()) {
        p.routeX = f.waypoints[0].x;
        p.routeY = f.waypoints[0].y;
    }
    body_.push_back(platoonLine(p));
    // An order line sets the kind of the waypoint before it, and a new waypoint inherits the kind of the
    // previous one, so an order line is written only where the kind changes.
    WaypointKind current = WaypointKind::Checkpoint;
    for (std::size_t i = 0; i < f.waypoints.size(); ++i) {
        const Waypoint& w = f.waypoints[i];
        if (i > 0) body_.push_back("ADDWAYPT: " + words({w.x, w.y}));
        if (w.kind != current) body_.push_back(orderLine(w.kind));
        current = w.kind;
    }
    body_.push_back("SUPPORT: " + f.support);
    return *this;
}

MissionBuilder& MissionBuilder::page(const std::string& section, const BriefingPage& p) {
    int number = 0;
    for (const Section& s : pages_)
        if (s.name == section) ++number;
    pages_.push_back({section, number, p});
    return *this;
}

MissionBuilder& MissionBuilder::misc(std::string cutscene, std::string sound) {
    cutscene_ = std::move(cutscene);
    sound_ = std::move(sound);
    return *this;
}

std::string MissionBuilder::text() const {
    std::string out = "TITLE: " + title_ + kEol;
    for (const auto* part : {&header_, &objectives_, &body_})
        for (const std::string& line : *part) out += line + kEol;
    // The briefing part is laid out as a briefing file is written, so it can be cut out and read back as one.
    if (!cutscene_.empty() || !sound_.empty()) {
        out += std::string("[Misc]") + kEol;
        if (!cutscene_.empty()) out += "cutscene = " + cutscene_ + kEol;
        if (!sound_.empty()) out += "sound = " + sound_ + kEol;
        out += std::string(kEol) + kEol;
    }
    for (const Section& s : pages_) {
        const BriefingPage& p = s.page;
        out += "[" + s.name + " " + std::to_string(s.number) + "]" + kEol;
        out += "Heading = 9, " + p.heading + kEol;
        if (!p.map.empty()) out += "MAP = " + p.map + kEol;
        if (!p.text.empty()) out += "Text = 1, 1, " + p.text + kEol;
        for (std::size_t i = 0; i < p.lines.size(); ++i)
            out += "Line " + std::to_string(i) + " = " + p.lines[i] + kEol;
        for (std::size_t i = 0; i < p.sprites.size(); ++i)
            out += "Sprite " + std::to_string(i) + " = " + p.sprites[i] + kEol;
        for (std::size_t i = 0; i < p.labels.size(); ++i)
            out += "Label " + std::to_string(i) + " = " + p.labels[i] + kEol;
        if (!p.movie.empty()) out += "Movie = " + p.movie + kEol;
        if (!p.timeOut.empty()) out += "Time Out = " + p.timeOut + kEol;
    }
    return out;
}

}  // namespace hartool::demo
