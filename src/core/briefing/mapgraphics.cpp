#include "core/briefing/mapgraphics.h"

#include <algorithm>
#include <charconv>

#include "core/platform/codepage.h"

namespace hartool {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The first count comma-separated fields, trimmed; the rest of the value, untouched, in rest.
std::vector<std::string_view> fields(std::string_view value, std::size_t count, std::string_view* rest) {
    std::vector<std::string_view> out;
    while (out.size() < count) {
        const std::size_t comma = value.find(',');
        out.push_back(trimmed(value.substr(0, comma)));
        if (comma == std::string_view::npos) {
            value = {};
            break;
        }
        value.remove_prefix(comma + 1);
    }
    if (rest) *rest = value;
    return out;
}

bool number(std::string_view field, int& out) {
    const char* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, out);
    return !field.empty() && ec == std::errc() && ptr == end;
}

// Reads fields[first..] as numbers into the targets; why names the first that is not one.
constexpr int kFarOff = 100000;

bool numbers(const std::vector<std::string_view>& f, std::size_t first, std::initializer_list<int*> targets,
             std::string& why) {
    std::size_t i = first;
    for (int* target : targets) {
        if (i >= f.size() || f[i].empty()) {
            why = "field " + std::to_string(i + 1) + " is missing";
            return false;
        }
        if (!number(f[i], *target)) {
            why = "field " + std::to_string(i + 1) + " (\"" + std::string(f[i]) + "\") is not a whole number";
            return false;
        }
        // Far beyond any map: drawing it would overflow the painter's coordinates.
        if (*target < -kFarOff || *target > kFarOff) {
            why =
                "field " + std::to_string(i + 1) + " (" + std::to_string(*target) + ") lies far off the map";
            return false;
        }
        ++i;
    }
    return true;
}

bool colour(int r, int g, int b, std::uint32_t& out, std::string& why) {
    for (int c : {r, g, b}) {
        if (c < 0 || c > 255) {
            why = "colour value " + std::to_string(c) + " is not 0 to 255";
            return false;
        }
    }
    out = 0xFF000000u | (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) |
          static_cast<std::uint32_t>(b);
    return true;
}

// The image's own name: "images\uSam4b.pcx" gives "usam4b".
std::string baseName(std::string_view image) {
    const std::size_t slash = image.find_last_of("\\/");
    if (slash != std::string_view::npos) image.remove_prefix(slash + 1);
    if (const std::size_t dot = image.rfind('.'); dot != std::string_view::npos) image = image.substr(0, dot);
    std::string lower(image);
    for (char& c : lower) c = platform::lower1252(c);
    return lower;
}

void readList(const StringList& list, MapEntryKind kind, MapPage& page) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        MapEntry entry;
        entry.kind = kind;
        entry.side = page.side;
        entry.page = page.page;
        entry.number = i;
        std::string why;
        if (readMapEntry(kind, list[i], entry, why))
            page.entries.push_back(std::move(entry));
        else
            page.unreadable.push_back(std::string(entryKindName(kind)) + " " + std::to_string(i) + ": " +
                                      why);
    }
}

}  // namespace

bool readMapEntry(MapEntryKind kind, std::string_view value, MapEntry& entry, std::string& why) {
    switch (kind) {
        case MapEntryKind::Sprite: {
            const auto f = fields(value, 3, nullptr);
            if (f.empty() || f[0].empty()) {
                why = "no image";
                return false;
            }
            entry.image = std::string(f[0]);
            return numbers(f, 1, {&entry.at.X, &entry.at.Y}, why);
        }
        case MapEntryKind::Line: {
            const auto f = fields(value, 7, nullptr);
            int r = 0, g = 0, b = 0;
            return numbers(f, 0, {&r, &g, &b, &entry.at.X, &entry.at.Y, &entry.to.X, &entry.to.Y}, why) &&
                   colour(r, g, b, entry.colour, why);
        }
        case MapEntryKind::Label: {
            std::string_view rest;
            const auto f = fields(value, 6, &rest);
            int r = 0, g = 0, b = 0;
            if (!numbers(f, 0, {&entry.at.X, &entry.at.Y, &r, &g, &b}, why) ||
                !colour(r, g, b, entry.colour, why))
                return false;
            entry.text = std::string(trimmed(rest));
            return true;
        }
    }
    return false;
}

std::vector<MapPage> mapPagesOf(const std::vector<Briefing>& pages, const std::string& side) {
    std::vector<MapPage> out;
    for (std::size_t k = 0; k < pages.size(); ++k) {
        const Briefing& b = pages[k];
        const bool graphics =
            !b.ALINESTRINGS.empty() || !b.ASPRITESTRINGS.empty() || !b.ALABELSTRINGS.empty();
        const bool leftOut = b.CHEADING.empty() && b.CTEXT.empty();
        // Only the pages the briefing has; one left out but still drawn on (in the editor) with its warning.
        if (leftOut && !graphics) continue;
        MapPage page;
        page.side = side;
        page.page = k + 1;
        page.map = b.CMAP;
        page.leftOut = leftOut;
        readList(b.ALINESTRINGS, MapEntryKind::Line, page);
        readList(b.ASPRITESTRINGS, MapEntryKind::Sprite, page);
        readList(b.ALABELSTRINGS, MapEntryKind::Label, page);
        out.push_back(std::move(page));
    }
    return out;
}

std::vector<MapPage> mapPages(BriefSupport& briefing) {
    if (!briefing.DOUBLEMODE()) return mapPagesOf(briefing.BRIEFARRAY(), "");
    std::vector<MapPage> out = mapPagesOf(briefing.BLUEBRIEFARRAY(), "blue");
    std::vector<MapPage> red = mapPagesOf(briefing.REDBRIEFARRAY(), "red");
    out.insert(out.end(), std::make_move_iterator(red.begin()), std::make_move_iterator(red.end()));
    return out;
}

std::string_view pageRole(std::size_t page) {
    switch (page) {
        case 1:
            return "routes";
        case 2:
            return "routes and objectives";
        case 3:
            return "own units";
        case 4:
            return "other units";
        default:
            return "";
    }
}

std::string pageTitle(const MapPage& page) {
    std::string title = page.side.empty() ? "Page " : (page.side == "blue" ? "Blue, page " : "Red, page ");
    title += std::to_string(page.page);
    if (const std::string_view role = pageRole(page.page); !role.empty()) title += ": " + std::string(role);
    return title;
}

std::string_view entryKindName(MapEntryKind kind) {
    switch (kind) {
        case MapEntryKind::Line:
            return "Line";
        case MapEntryKind::Sprite:
            return "Sprite";
        case MapEntryKind::Label:
            return "Label";
    }
    return "";
}

std::string describeMapEntry(const MapEntry& e) {
    std::string s = std::string(entryKindName(e.kind)) + " " + std::to_string(e.number) + ", page " +
                    std::to_string(e.page) + (e.side.empty() ? "" : " (" + e.side + ")") + ": ";
    const auto point = [](MapPoint p) { return std::to_string(p.X) + ", " + std::to_string(p.Y); };
    switch (e.kind) {
        case MapEntryKind::Line:
            return s + "from " + point(e.at) + " to " + point(e.to);
        case MapEntryKind::Sprite:
            return s + e.image + " at " + point(e.at);
        case MapEntryKind::Label:
            return s + "\"" + e.text + "\" at " + point(e.at);
    }
    return s;
}

std::string mapStatusText(const MapPage& page, std::size_t offMap, const std::vector<std::string>& notFound,
                          const std::vector<std::string>& unreadablePictures) {
    const auto count = [](std::size_t n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    std::string s = count(page.entries.size(), "entry", "entries") + ".";
    if (offMap > 0) s += " " + count(offMap, "entry lies", "entries lie") + " off the map.";
    if (!page.unreadable.empty()) {
        s += " " + count(page.unreadable.size(), "entry", "entries") + " could not be read: ";
        for (std::size_t i = 0; i < page.unreadable.size(); ++i) s += (i ? "; " : "") + page.unreadable[i];
        s += ".";
    }
    const auto list = [&s](const std::vector<std::string>& items, const char* separator) {
        for (std::size_t i = 0; i < items.size(); ++i) s += (i ? separator : "") + items[i];
        s += ".";
    };
    if (!notFound.empty()) {
        s += " Not in the game folder, drawn as stand-ins: ";
        list(notFound, ", ");
    }
    if (!unreadablePictures.empty()) {
        s += " Unreadable, drawn as stand-ins: ";
        list(unreadablePictures, "; ");
    }
    if (page.leftOut && !page.entries.empty())
        s += " The page has no heading and no text, so it is not saved and the game does not show it.";
    return s;
}

int imageSide(std::string_view image) {
    const std::string name = baseName(image);
    if (name.empty()) return -1;
    if (name.front() == 'u') return 0;
    if (name.front() == 'r') return 1;
    return -1;
}

int ringDiameter(std::string_view image) {
    const std::string name = baseName(image);
    const bool ring = name.find("sam") != std::string::npos || name.find("adv") != std::string::npos;
    if (!ring || name.size() < 2 || name.back() != 'b') return 0;
    const char digit = name[name.size() - 2];
    if (digit < '1' || digit > '9') return 0;
    // A ring's number step is 20 map units of radius: the analysis shifts a "4" ring 40 further up and
    // left than a "2" ring.
    return 40 * (digit - '0');
}

int standInSize(std::string_view image) {
    constexpr int kMarker = 10;
    const int ring = ringDiameter(image);
    return ring > 0 ? ring : kMarker;
}

bool drawnAtEdge(const MapEntry& e, int width, int height) {
    const auto onMap = [](int v) { return v >= 0 && v < kBriefingMapSize; };
    switch (e.kind) {
        case MapEntryKind::Sprite:
            // The box [X, X + width) by [Y, Y + height) misses the map.
            return e.at.X >= kBriefingMapSize || e.at.Y >= kBriefingMapSize ||
                   e.at.X + std::max(width, 1) <= 0 || e.at.Y + std::max(height, 1) <= 0;
        case MapEntryKind::Label:
            return !onMap(e.at.X) || !onMap(e.at.Y);
        case MapEntryKind::Line:
            return false;
    }
    return false;
}

}  // namespace hartool
