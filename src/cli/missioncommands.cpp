// The mission side of the mission tools: the list, Copy Mission, Delete and Mission Properties.

#include "cli/cli.h"
#include "cli/names.h"
#include "cli/output.h"
#include "core/analysis/missionsupport.h"
#include "core/missions/briefingfiles.h"
#include "core/missions/missions.h"
#include "core/platform/codepage.h"
#include "core/text/entries.h"
#include "core/text/token.h"

namespace hartool::cli {

namespace {

// The side the mission's "SIDE" entry names, as Mission Properties shows it: "-" without one.
std::string sideName(int side) {
    return side == 0 ? "blue" : side == 1 ? "red" : "-";
}

std::string sideOf(const std::string& file) {
    const std::string value = GETENTRY(file, "SIDE");
    if (trimSpaces(value).empty()) return "-";
    return sideName(static_cast<int>(wordNumber(trimSpaces(value))));
}

// Copy Mission with the new file name and title given: the copy, the rename, or both.
int copyOrRetitle(Context& c, const std::string& file, const std::string& newFile,
                  const std::optional<std::string>& newTitle) {
    const std::string name = platform::gameNameOf(file.substr(c.folders.player.size()));
    const std::string title = GETTITLE(file);
    if (const std::string problem = copyNameProblem(newFile); !problem.empty())
        return refused(c, platform::fileNameOf(newFile), problem, "copied");
    if (newTitle)
        if (const std::string problem = titleProblem(*newTitle); !problem.empty())
            return refused(c, file, problem, "copied");
    const MissionCopyPlan plan =
        planMissionCopy(c.folders.player, name, title, newFile, newTitle.value_or(title));
    if (plan.replaces && !c.force())
        return refused(c, plan.target, "a mission of this name exists: --force replaces it", "copied");
    if (!plan.copy && !plan.retitle) {
        c.out.message("mission " + name + " left as it was: the name and title are those it has");
        Report unchanged;
        unchanged.selected = 1;
        if (c.out.json()) c.out.document(reportJson(unchanged, c.folders.game));
        return kAllDone;
    }
    const MissionCopyResult result = copyMission(plan);
    const std::string newName(trimSpaces(newFile));
    const std::string oldDescription = name + " - " + title;
    const std::string newDescription = newName + " - " + newTitle.value_or(title);
    const std::string success = result.copied
                                    ? "mission " + oldDescription + " has been copied to " + newDescription
                                    : "mission " + oldDescription + " has been renamed to " + newDescription;
    return c.out.report(result.report, success, plan.copy ? "copied" : "renamed", c.folders.game);
}

}  // namespace

int missionsCommand(Context& c) {
    const MissionList list = readMissionList(c.folders.player);
    Json items = Json::array();
    for (std::size_t i = 0; i < list.fileNames.size(); ++i) {
        const std::string file = c.folders.player + platform::fileNameOf(list.fileNames[i]);
        const std::string side = sideOf(file);
        const bool briefing = EXISTBRIEF(file);
        if (c.out.json())
            items.push_back({{"file", utf8(list.fileNames[i])},
                             {"title", utf8(list.titles[i])},
                             {"side", side},
                             {"briefing", briefing}});
        else
            c.out.row({list.fileNames[i], list.titles[i], side, briefing ? "yes" : "no"});
    }
    if (c.out.json()) c.out.document(items);
    return kAllDone;
}

int copyCommand(Context& c) {
    const std::string file = missionOrReport(c, c.args.words[0], "copied");
    if (file.empty()) return kNotAllDone;
    // Missions are named with or without ".TXT" here, and the game lists only ".TXT" files.
    std::string newFile(trimSpaces(c.args.words[1]));
    if (!newFile.empty() && !platform::upper1252(newFile).ends_with(".TXT")) newFile += ".TXT";
    return copyOrRetitle(c, file, newFile, c.args.value("--title"));
}

int retitleCommand(Context& c) {
    const std::string file = missionOrReport(c, c.args.words[0], "renamed");
    if (file.empty()) return kNotAllDone;
    return copyOrRetitle(c, file, platform::gameNameOf(file.substr(c.folders.player.size())),
                         c.args.words[1]);
}

int deleteCommand(Context& c) {
    return deleteNamed(
        c, [&](const std::string& name) { return missionNamed(c.folders, name, true); }, c.folders.player,
        "no such mission in the player folder", "mission");
}

int propertiesCommand(Context& c) {
    const std::string file = missionOrReport(c, c.args.words[0], "saved");
    if (file.empty()) return kNotAllDone;
    const std::optional<std::string> side = c.args.value("--side");
    const std::optional<std::string> nation = c.args.value("--nation");
    if (side && *side != "blue" && *side != "red") return c.out.usage("--side is blue or red");

    // As the dialog: the side and the nationality read first; what a partly read file seems to hold is not
    // the mission's, so nothing is shown or written then.
    MissionSupport mission(file);
    mission.READSIDE();
    const int nationality = mission.READNAT();
    int newNationality = 0;
    if (nation) {
        for (std::size_t i = 0; i < mission.NAT().size(); ++i)
            if (platform::iequals1252(trimSpaces(*nation), mission.NAT()[i]))
                newNationality = static_cast<int>(i) + 1;
        if (newNationality == 0) {
            std::string names;
            for (std::string_view n : mission.NAT()) names += (names.empty() ? "" : ", ") + std::string(n);
            return c.out.usage("--nation is one of " + names);
        }
    }
    Report report;
    report.selected = 1;
    if (!mission.readInFull()) {
        report.fail(file, "file could not be read");
        return c.out.report(report, "", side || nation ? "saved" : "read", c.folders.game);
    }
    if (!side && !nation) {
        const std::string nationName =
            nationality > 0 && static_cast<std::size_t>(nationality) <= mission.NAT().size()
                ? std::string(mission.NAT()[static_cast<std::size_t>(nationality) - 1])
                : "-";
        if (c.out.json()) {
            c.out.document({{"side", sideOf(file)}, {"nation", utf8(nationName)}});
        } else {
            c.out.row({"side", sideOf(file)});
            c.out.row({"nation", nationName});
        }
        return kAllDone;
    }
    // The dialog's order: the nationality, then the side.
    if (nation)
        if (const platform::Status s = mission.WRITENAT(newNationality).status; !s)
            report.fail(file, s.error);
    if (side)
        if (const platform::Status s = mission.WRITESIDE(*side == "blue" ? 0 : 1); !s)
            report.fail(file, s.error);
    if (report.ok()) report.done = 1;
    return c.out.report(report, "mission " + c.args.words[0] + " saved", "saved", c.folders.game);
}

}  // namespace hartool::cli
