// The briefing side of the mission tools: the list, Extract, Attach, Analyze, New, Copy and Delete.

#include "cli/cli.h"
#include "cli/names.h"
#include "cli/output.h"
#include "core/briefing/briefsupport.h"
#include "core/missions/briefingfiles.h"
#include "core/missions/missions.h"
#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"
#include "core/text/entries.h"
#include "core/text/token.h"

namespace hartool::cli {

namespace {

std::size_t pagesIn(const std::vector<Briefing>& pages) {
    std::size_t n = 0;
    for (const Briefing& b : pages)
        if (!b.CHEADING.empty() || !b.CTEXT.empty()) ++n;
    return n;
}

// The briefing named, with its folder; when there is none, "" after reporting it.
std::string briefingOrReport(Context& c, const std::string& name, const std::string& doneWord) {
    const std::string file = briefingNamed(c.folders, name);
    if (!file.empty()) return c.folders.briefings + file;
    refused(c, platform::fileNameOf(name), "no such briefing in the briefings folder", doneWord);
    return "";
}

int analyzeAll(Context& c) {
    const MissionList list = readMissionList(c.folders.player);
    // In the game's spelling every look-up would read the folder's names anew while the analysis writes into
    // it (a folder changed just now is never cached), and the run would grow with the square of the missions.
    const std::string player = platform::pathAsOnDisk(c.folders.player);
    Report report;
    std::vector<std::string> names;
    // A mission that cannot be read is a failure, not a mission without briefing.
    for (const std::string& game : list.fileNames) {
        const std::string name = platform::fileNameOf(game);
        const std::string file = c.folders.player + name;
        bool briefing = false;
        const platform::ReadResult read = platform::readFileUntil(player + name, [&](std::string_view piece) {
            briefing = piece.find('[') != std::string_view::npos;
            return !briefing;
        });
        if (!read.ok) {
            ++report.selected;
            report.fail(file, read.error.empty() ? "file could not be read" : read.error);
        } else if (briefing) {
            names.push_back(name);
        }
    }
    const Progress progress = c.out.progress("analyze");
    {
        // The player folder synced once, before the report says the missions are written.
        const platform::FolderSyncBatch batch;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (!goOn(progress, i, names.size())) break;
            Report one = analyzeMission(player + names[i]);
            // Named in the report as the player knows it.
            for (auto* list : {&one.failures, &one.skipped, &one.kept})
                for (Failure& f : *list)
                    if (f.file == player + names[i]) f.file = c.folders.player + names[i];
            report.add(one);
        }
    }
    goOn(progress, names.size(), names.size());
    return c.out.report(report,
                        "graphics redrawn in the briefings of " + std::to_string(report.done) + " missions",
                        "written", c.folders.game);
}

}  // namespace

int briefingsCommand(Context& c) {
    Json items = Json::array();
    int status = kAllDone;
    for (const std::string& name : readBriefingNames(c.folders.briefings)) {
        BriefSupport briefing(c.folders.briefings + platform::fileNameOf(name), false,
                              BriefSupport::Graphics::SKIP);
        if (!briefing.readInFull()) {
            c.out.message(name + ": file could not be read");
            status = kNotAllDone;
            if (c.out.json())
                items.push_back({{"name", utf8(name)}, {"pages", nullptr}, {"sides", nullptr}});
            else
                c.out.row({name, "?", "?"});
            continue;
        }
        std::vector<std::size_t> pages;
        if (briefing.DOUBLEMODE())
            pages = {pagesIn(briefing.BLUEBRIEFARRAY()), pagesIn(briefing.REDBRIEFARRAY())};
        else
            pages = {pagesIn(briefing.BRIEFARRAY())};
        if (c.out.json()) {
            items.push_back({{"name", utf8(name)}, {"pages", pages}, {"sides", pages.size()}});
        } else {
            std::string counts;
            for (std::size_t n : pages) counts += (counts.empty() ? "" : "/") + std::to_string(n);
            c.out.row({name, counts, std::to_string(pages.size())});
        }
    }
    if (c.out.json()) c.out.document(items);
    return status;
}

int extractCommand(Context& c) {
    const std::string mission = missionOrReport(c, c.args.words[0], "extracted");
    if (mission.empty()) return kNotAllDone;
    const std::optional<std::string> as = c.args.value("--as");
    const std::string title = as ? std::string(trimSpaces(*as)) : GETTITLE(mission);
    const BriefingName name = briefingName(title);
    // A name typed is used as it stands or refused; a title that cannot be a file name is changed, as the
    // dialog offers it.
    if (as && (title.empty() || name.changed))
        return refused(c, platform::fileNameOf(*as), kNotAFileName, "extracted");
    const std::string target = c.folders.briefings + platform::fileNameOf(name.name);
    if (platform::fileExists(target) && !c.force())
        return refused(c, target, "a briefing of this name exists: --force replaces it", "extracted");
    const Report report = extractBriefing(mission, c.folders.briefings, title);
    return c.out.report(report,
                        "briefing " + title + (name.changed ? " extracted as " + name.name : " extracted"),
                        "extracted", c.folders.game);
}

int attachCommand(Context& c) {
    const std::string mission = missionOrReport(c, c.args.words[0], "connected");
    if (mission.empty()) return kNotAllDone;
    const std::string briefing = briefingOrReport(c, c.args.words[1], "connected");
    if (briefing.empty()) return kNotAllDone;
    if (EXISTBRIEF(mission) && !c.force())
        return refused(c, mission, "the mission holds a briefing: --force replaces it", "connected");
    const Report report = attachBriefing(briefing, mission);
    return c.out.report(report, "briefing " + c.args.words[1] + " connected", "connected", c.folders.game);
}

int analyzeCommand(Context& c) {
    const bool all = c.args.has("--all");
    if (all != c.args.words.empty())
        return c.out.usage("usage: hartool-cli [OPTIONS] analyze MISSION [BRIEFING] | analyze --all");
    if (all) return analyzeAll(c);
    const std::string mission = missionOrReport(c, c.args.words[0], "written");
    if (mission.empty()) return kNotAllDone;
    if (c.args.words.size() == 1) {
        const Report report = analyzeMission(mission);
        return c.out.report(report, "graphics redrawn in the briefing of mission " + c.args.words[0],
                            "written", c.folders.game);
    }
    const std::string briefing = briefingOrReport(c, c.args.words[1], "written");
    if (briefing.empty()) return kNotAllDone;
    const Report report = analyzeBriefing(mission, briefing);
    return c.out.report(report, "graphics data added to briefing " + c.args.words[1], "written",
                        c.folders.game);
}

int newBriefingCommand(Context& c) {
    const std::string& typed = c.args.words[0];
    const std::string problem = newBriefingNameProblem(c.folders.briefings, typed.empty() ? " " : typed);
    if (!problem.empty()) return refused(c, platform::fileNameOf(typed), problem, "written");
    const std::string file = c.folders.briefings + platform::fileNameOf(trimSpaces(typed));
    std::string failed;
    if (const platform::Status made = platform::makeFolders(c.folders.briefings, &failed); !made)
        return refused(c, failed, made.error, "written");
    // A first page with an empty heading, on each side: a file without pages would not keep its sides.
    BriefSupport briefing(file, c.args.has("--blue-and-red"));
    for (std::vector<Briefing>* pages :
         {&briefing.BRIEFARRAY(), &briefing.BLUEBRIEFARRAY(), &briefing.REDBRIEFARRAY()})
        pages->front().CHEADING = "9, ";
    Report report;
    report.selected = 1;
    if (const platform::Status written = briefing.WRITEBRIEFINGS(); written)
        report.done = 1;
    else
        report.fail(file, written.error);
    return c.out.report(report, "briefing " + std::string(trimSpaces(typed)) + " made", "written",
                        c.folders.game);
}

int copyBriefingCommand(Context& c) {
    const std::string from = briefingOrReport(c, c.args.words[0], "copied");
    if (from.empty()) return kNotAllDone;
    const std::string& typed = c.args.words[1];
    const std::string problem = newBriefingNameProblem(c.folders.briefings, typed.empty() ? " " : typed);
    if (!problem.empty()) return refused(c, platform::fileNameOf(typed), problem, "copied");
    const Report report = copyBriefing(from, c.folders.briefings + platform::fileNameOf(trimSpaces(typed)));
    return c.out.report(report, "briefing " + c.args.words[0] + " has been copied to " + typed, "copied",
                        c.folders.game);
}

int deleteBriefingCommand(Context& c) {
    return deleteNamed(
        c, [&](const std::string& name) { return briefingNamed(c.folders, name); }, c.folders.briefings,
        "no such briefing in the briefings folder", "briefing");
}

}  // namespace hartool::cli
