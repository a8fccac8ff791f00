#include "core/missions/missions.h"

#include "core/backup/backup.h"
#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"
#include "core/text/entries.h"
#include "core/text/token.h"

namespace hartool {

namespace {

constexpr std::size_t kTitleWidth = 30;

std::string folded(std::string_view s) {
    return platform::upper1252(trimSpaces(s));
}

// The game and the mission list see only these.
bool listedName(const std::string& name) {
    return name.size() > 4 && platform::iequals1252(std::string_view(name).substr(name.size() - 4), ".TXT");
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string missionItem(const std::string& title, const std::string& fileName) {
    std::string item = title.substr(0, kTitleWidth);
    item.resize(kTitleWidth, ' ');
    return item + " - " + fileName.substr(0, fileName.find('.'));
}

MissionList readMissionList(const std::string& playerFolder) {
    MissionList list;
    std::vector<std::string> items, titles, names;
    // Resolved once: the listed names are spelt as on disk, so each title is then one direct read.
    const std::string folder = platform::fileSystem().nativePath(playerFolder) + "/";
    for (const platform::FileEntry& e : platform::listFiles(folder + "*.TXT")) {
        const std::string file = folder + e.name;
        std::string title = GETTITLE(file);
        // Archive alone hinders neither a rewrite nor a delete; most files need no call at all.
        if (e.attributes & (platform::READONLY | platform::HIDDEN | platform::SYSTEM))
            FABSETFILEATTRIBUTES(file, platform::NORMAL);
        items.push_back(missionItem(title, e.name));
        titles.push_back(std::move(title));
        names.push_back(e.name);
    }
    SortedThree sorted = SORTTHREE(items, titles, names);
    list.items = std::move(sorted.keys);
    list.titles = std::move(sorted.second);
    list.fileNames = std::move(sorted.third);
    return list;
}

std::vector<std::string> readBriefingNames(const std::string& briefingsFolder) {
    return platform::listFileNames(briefingsFolder + "*.*");
}

std::string titleProblem(const std::string& title) {
    for (char c : title) {
        if (static_cast<unsigned char>(c) < 32 && c != '\t')
            return "the title must not hold line breaks or control characters";
        if (c == '[') return "the title must not hold \"[\": the briefing part of a mission starts there";
    }
    return "";
}

std::string copyNameProblem(const std::string& fileName) {
    const std::string_view name = trimSpaces(fileName);
    if (name.empty()) return "type a file name";
    if (name.find_first_of("\\/:") != std::string_view::npos)
        return "the file name must not hold \\, / or : (the copy stays in the player folder)";
    if (name.find_first_of("*?\"<>|") != std::string_view::npos)
        return "the file name must not hold * ? \" < > or |";
    for (char c : name)
        if (static_cast<unsigned char>(c) < 32) return "the file name must not hold control characters";
    // Windows drops a trailing dot, so "S1.TXT." would be "S1.TXT" there and another file here; "." and ".."
    // are folders.
    if (name.back() == '.') return "the file name must not end in a dot";
    return "";
}

MissionCopyPlan planMissionCopy(const std::string& playerFolder, const std::string& fileName,
                                const std::string& title, const std::string& newFileName,
                                const std::string& newTitle) {
    MissionCopyPlan plan;
    plan.source = playerFolder + fileName;
    const std::string fullPath = playerFolder + std::string(trimSpaces(newFileName));
    plan.copy = folded(plan.source) != folded(fullPath);
    plan.target = plan.copy ? fullPath : plan.source;
    plan.newTitle = newTitle;
    plan.retitle = folded(title) != folded(newTitle);
    plan.replaces = plan.copy && platform::fileExists(plan.target);
    return plan;
}

MissionCopyResult copyMission(const MissionCopyPlan& plan) {
    MissionCopyResult result;
    Report& report = result.report;
    if (!plan.copy && !plan.retitle) return result;
    report.selected = 1;
    if (plan.copy) {
        if (!platform::fileExists(plan.source)) {
            report.fail(plan.source, "the mission file does not exist");
            return result;
        }
        // The player agreed to replace it; a read-only target would refuse.
        if (plan.replaces) FABSETFILEATTRIBUTES(plan.target, platform::NORMAL);
        if (platform::Status s = platform::copyFile(plan.source, plan.target); !s) {
            report.fail(plan.target, s.error);
            return result;
        }
        result.copied = true;
        // The copy carries the source's read-only state, which would stop the retitle and later edits.
        FABSETFILEATTRIBUTES(plan.target, platform::NORMAL);
        if (!listedName(fileNameOf(plan.target)))
            report.warnings.push_back(fileNameOf(plan.target) +
                                      " does not end in .TXT: the game and this list show only .TXT files");
    }
    if (plan.retitle) {
        const EntryWrite w = PUTENTRY(plan.target, "TITLE", plan.newTitle);
        switch (w.outcome) {
            case EntryWrite::Outcome::WRITTEN:
                result.retitled = true;
                break;
            case EntryWrite::Outcome::NO_ENTRY:
                if (result.copied)
                    report.warnings.push_back(fileNameOf(plan.target) +
                                              " has no TITLE entry, so the copy keeps its title");
                else
                    report.skip(plan.target, "it has no TITLE entry");
                break;
            case EntryWrite::Outcome::FAILED:
                report.fail(plan.target, "the title could not be written: " + w.status.error);
                break;
        }
    }
    if (report.ok()) report.done = 1;
    return result;
}

Report deleteMission(const std::string& file) {
    Report report;
    report.selected = 1;
    if (platform::Status s = platform::trashFile(file); s)
        report.done = 1;
    else
        report.fail(file, s.error);
    return report;
}

}  // namespace hartool
