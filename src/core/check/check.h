#pragma once

// What is wrong in the missions and briefings of a game folder before the game or the player meets it: each
// finding names its file, its line where one applies, how bad it is, its rule and a sentence for the player.
// The check only reads.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/briefing/mapgraphics.h"
#include "core/game/gamepaths.h"

namespace hartool {

// Error: the game or the tool will lose or misread something. Warning: it will look wrong. Note: worth
// knowing. In this order, the worst first.
enum class Severity { Error, Warning, Note };

// What kind of file a finding is about, so that a window can select it where the player knows it.
enum class CheckedFile {
    Mission,          // a file of the player folder
    Briefing,         // a file of the briefings folder
    CampaignMission,  // "CAMPn" of a campaign folder
    Game,             // the game folder as a whole (the backup)
};

// A graphics entry as the map preview finds it.
struct EntryPlace {
    std::string side;      // "" in a one-side briefing, else "blue" or "red"
    std::size_t page = 0;  // 1 to 5
    MapEntryKind kind = MapEntryKind::Sprite;
    std::size_t number = 0;  // as the file numbers it
    bool operator==(const EntryPlace&) const = default;
};

struct Finding {
    std::string file;      // with folder, as the game path spells it
    std::size_t line = 0;  // of the file, from 1, counting every line; 0 when none applies
    Severity severity = Severity::Note;
    std::string rule;  // "title-missing"
    std::string text;  // a sentence the player understands
    CheckedFile kind = CheckedFile::Mission;
    std::optional<EntryPlace> entry;  // a graphics finding: the entry it is about
    bool operator==(const Finding&) const = default;
};

struct CheckOptions {
    // Files of the player folder ("S01.TXT") or paths; none: every "*.TXT" of the player folder, every
    // briefing file, the backup and the single battles not copied back.
    std::vector<std::string> missions;
    // Also the missions of the campaign folders.
    bool campaigns = false;
    // How many threads check the player folder's missions, reading files at the same time; 0: as many as the
    // machine's cores (four at most) and the folder's size make worth it. The findings are the same for any
    // number.
    std::size_t threads = 0;
};

// Every finding, by file in the order checked, then by line.
std::vector<Finding> checkMissions(const GameFolders& folders, const CheckOptions& options = {});

// Each rule once: its id, its severity and what it says in a line.
struct CheckRule {
    std::string_view id;
    Severity severity;
    std::string_view about;
};
const std::vector<CheckRule>& checkRules();

std::string_view severityName(Severity severity);  // "error", "warning", "note"
bool anyErrors(const std::vector<Finding>& findings);

// The file as the player knows it, as game text: without base when it begins with it.
std::string shownFile(const Finding& finding, const std::string& base = "");
// "file:line: severity: rule: text", the line left out when it is 0.
std::string findingLine(const Finding& finding, const std::string& base = "");
// One such line per finding, each ended by "\n".
std::string findingsText(const std::vector<Finding>& findings, const std::string& base = "");
// A JSON list of objects {"file", "line", "severity", "rule", "text"} in UTF-8, "line" 0 when none applies.
std::string findingsJson(const std::vector<Finding>& findings, const std::string& base = "");

// Where a graphics finding's entry stands among pages as mapPages() gives them: the page's index and the
// entry's index in it; nothing when the page or the entry is not there.
struct EntryIndex {
    std::size_t page = 0;
    std::size_t entry = 0;
};
std::optional<EntryIndex> locateEntry(const std::vector<MapPage>& pages, const EntryPlace& place);

}  // namespace hartool
