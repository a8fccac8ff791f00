#include "cli/names.h"

#include "cli/cli.h"
#include "cli/output.h"

#include "core/backup/backup.h"
#include "core/game/gamecheck.h"
#include "core/missions/missions.h"
#include "core/platform/attributes.h"
#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"
#include "core/platform/gamesearch.h"
#include "core/platform/profile.h"
#include "core/platform/settings.h"
#include "core/text/token.h"

namespace hartool::cli {

namespace {

// The settings outlive the working folder, so a folder given relative to it is made absolute here.
std::string absolute(std::string folder) {
    const bool rooted = !folder.empty() && (folder[0] == '/' || folder[0] == '\\' || folder[0] == '~');
    const bool drive = folder.size() > 1 && folder[1] == ':';
    if (!rooted && !drive) folder = platform::workingFolder() + folder;
    // PATHOK adds its own "\"; a native "/" at the end would leave an empty name behind it.
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
    return folder;
}

}  // namespace

std::optional<std::string> fromArgument(const std::string& word) {
    bool ok = true;
    std::string converted = platform::utf8ToCp1252(word, &ok);
    if (!ok) return std::nullopt;
    return converted;
}

GameLookup findGame(const std::optional<std::string>& given) {
    GameLookup found;
    const auto usable = [&](const std::string& typed, const std::string& where) {
        const std::string path = PATHOK(platform::expandHome(typed));
        if (gameFound(path)) {
            found.gamePath = path;
            return true;
        }
        found.problem =
            where + " " + typed + ": " +
            (platform::folderExists(path) ? std::string("no ") + kGameExecutable + " in this folder"
                                          : std::string("no such folder"));
        return false;
    };
    if (given) {
        usable(absolute(*given), "--game");
        return found;
    }
    const std::string ini = platform::iniFile();
    if (const std::string stored = platform::pathSetting(kIniSection, "PATH", ini); !stored.empty()) {
        usable(stored, "the game folder in " + ini + ",");
        return found;
    }
    if (usable(kDefaultGamePath, "")) return found;
    const platform::GameSearch search =
        platform::findGameFolder(platform::SearchPlaces::fromEnvironment(), kGameExecutable);
    if (!search.folder.empty() && usable(search.folder, "")) return found;
    found.problem = std::string(
        "no game folder found (none in the settings, none at the default place, none in "
        "the usual Wine prefixes): name it with --game FOLDER");
    return found;
}

std::string missionNamed(const GameFolders& folders, const std::string& name, bool forTools) {
    std::string wanted = platform::upperFileName(platform::fileNameOf(trimSpaces(name)));
    if (!wanted.ends_with(".TXT")) wanted += ".TXT";
    for (const platform::FileEntry& e : platform::listFiles(folders.player + "*.TXT")) {
        if (platform::upperFileName(e.name) != wanted) continue;
        // A failure shows in the operation, which then reports why it could not change the file.
        if (forTools && (e.attributes & (platform::READONLY | platform::HIDDEN | platform::SYSTEM)))
            platform::FABSETFILEATTRIBUTES(folders.player + e.name, platform::NORMAL);
        return e.name;
    }
    return "";
}

std::string briefingNamed(const GameFolders& folders, const std::string& name) {
    const std::vector<std::string> names = readBriefingNames(folders.briefings);
    for (const std::string& briefing : names)
        if (briefing == name) return platform::fileNameOf(briefing);
    for (const std::string& briefing : names)
        if (platform::iequals1252(briefing, name)) return platform::fileNameOf(briefing);
    return "";
}

const Campaign* campaignNamed(const std::string& name) {
    const std::string_view wanted = trimSpaces(name);
    for (const Campaign& c : kCampaigns)
        if (platform::iequals1252(wanted, c.displayName) || platform::iequals1252(wanted, c.folder))
            return &c;
    return nullptr;
}

int refused(Context& c, const std::string& file, const std::string& reason, const std::string& doneWord) {
    Report report;
    report.selected = 1;
    report.skip(file, reason);
    return c.out.report(report, "", doneWord, c.folders.game);
}

int deleteNamed(Context& c, const std::function<std::string(const std::string&)>& named,
                const std::string& folder, const std::string& noSuch, const std::string& kind) {
    Report report;
    for (const std::string& name : c.args.words) {
        const std::string file = named(name);
        if (file.empty()) {
            ++report.selected;
            report.fail(platform::fileNameOf(name), noSuch);
            continue;
        }
        Deletion deletion = deleteFiles({folder + file}, DeleteMode::TRASH);
        if (!deletion.notTrashed.empty() && c.force())
            deletion = deleteFiles({folder + file}, DeleteMode::FOR_GOOD);
        report.add(deletion.report);
    }
    const std::string success = c.args.words.size() == 1
                                    ? kind + " " + c.args.words[0] + " deleted"
                                    : std::to_string(report.done) + " " + kind + "s deleted";
    return c.out.report(report, success, "deleted", c.folders.game);
}

std::string missionOrReport(Context& c, const std::string& name, const std::string& doneWord) {
    const std::string file = missionNamed(c.folders, name, true);
    if (!file.empty()) return c.folders.player + file;
    refused(c, platform::fileNameOf(name), "no such mission in the player folder", doneWord);
    return "";
}

}  // namespace hartool::cli
