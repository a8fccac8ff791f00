#pragma once

// The graphics entries of a briefing's pages read as what they draw on the 320 by 320 briefing map, for the
// map preview. Entries are kept as the file writes them; this only reads them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/briefing/briefsupport.h"

namespace hartool {

inline constexpr int kBriefingMapSize = 320;

enum class MapEntryKind { Line, Sprite, Label };

struct MapPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const MapPoint&) const = default;
};

struct MapEntry {
    MapEntryKind kind = MapEntryKind::Sprite;
    std::string side;        // "" in a one-side briefing, else "blue" or "red"
    std::size_t page = 0;    // 1 to 5
    std::size_t number = 0;  // as the file numbers it: "Sprite 3" is 3
    MapPoint at;             // sprite: top-left corner of its image; label: start of its text; line: one end
    MapPoint to;             // line: the other end
    std::uint32_t colour = 0;  // line and label: 0xFFRRGGBB
    std::string image;         // sprite: as written, "images\uahb.pcx"
    std::string text;          // label
};

// One page of one side.
struct MapPage {
    std::string side;
    std::size_t page = 0;
    std::string map;                      // the page's MAP value: the picture under the graphics
    std::vector<MapEntry> entries;        // lines, sprites, labels, each in file order
    std::vector<std::string> unreadable;  // entries that say nothing drawable, each with why
    bool leftOut = false;                 // no heading and no text: not saved, so the game never shows it
};

// Reads one entry's value; false, with why, when it does not hold what its kind needs.
bool readMapEntry(MapEntryKind kind, std::string_view value, MapEntry& entry, std::string& why);

// The pages each side of the briefing has (a heading or a text), blue before red, and any page left out
// that still carries graphics, which the editor may hold before it saves.
std::vector<MapPage> mapPages(BriefSupport& briefing);
std::vector<MapPage> mapPagesOf(const std::vector<Briefing>& pages, const std::string& side);

// "routes", "routes and objectives", "own units", "other units", or "" for another page.
std::string_view pageRole(std::size_t page);
// "Blue, page 2: routes and objectives"
std::string pageTitle(const MapPage& page);
std::string_view entryKindName(MapEntryKind kind);
// What a player needs to find the entry's line in the file: "Sprite 3, page 2 (blue): images\uahb.pcx at
// 170, 183".
std::string describeMapEntry(const MapEntry& entry);
// The page's status line: entries, those off the map, those unreadable, and the pictures drawn as stand-ins
// (not found, or unreadable with why).
std::string mapStatusText(const MapPage& page, std::size_t offMap, const std::vector<std::string>& notFound,
                          const std::vector<std::string>& unreadablePictures);

// 0 for a blue image ("u..."), 1 for a red one ("r..."), -1 for another name.
int imageSide(std::string_view image);
// The diameter on the map of an objective ring image ("usam4b": 160), 0 for any other image.
int ringDiameter(std::string_view image);

// The side of the square a sprite is drawn as when its picture cannot be had: a ring at its diameter, any
// other image as a small marker.
int standInSize(std::string_view image);
// Whether the map preview draws the entry moved to the map's edge because it lies off the map: a sprite none
// of whose picture (width by height, as drawn) would show, a label whose start lies off it. A line is drawn
// clipped, never moved. The check of a briefing asks the same.
bool drawnAtEdge(const MapEntry& entry, int width = 0, int height = 0);

}  // namespace hartool
