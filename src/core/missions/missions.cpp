#include "core/missions/missions.h"

#include "core/platform/attributes.h"
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
std::string foldedPath(std::string_view s) {
    return platform::upperFileName(trimSpaces(s));
}

// The game and the mission list see only these.
bool listedName(const std::string& name) {
    return name.size() > 4 && platform::iequals1252(std::string_view(name).substr(name.size() - 4), ".TXT");
}

std::string baseName(const std::string& path) {
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
        bool spellable = false;
        std::string name = platform::gameNameOf(e.name, &spellable);
        if (!spellable) continue;  // the game cannot name it
        const std::string file = folder + e.name;
        std::string title = GETTITLE(file);
        // Archive alone hinders neither a rewrite nor a delete; most files need no call at all.
        if (e.attributes & (platform::READONLY | platform::HIDDEN | platform::SYSTEM))
            platform::FABSETFILEATTRIBUTES(file, platform::NORMAL);
        items.push_back(missionItem(title, name));
        titles.push_back(std::move(title));
        names.push_back(std::move(name));
    }
    SortedThree sorted = SORTTHREE(items, titles, names);
    list.items = std::move(sorted.keys);
    list.titles = std::move(sorted.second);
    list.fileNames = std::move(sorted.third);
    return list;
}

std::vector<std::string> readBriefingNames(const std::string& briefingsFolder) {
    std::vector<std::string> names;
    for (const std::string& file : platform::listFileNames(briefingsFolder + "*.*")) {
        bool spellable = false;
        std::string name = platform::gameNameOf(file, &spellable);
        if (spellable) names.push_back(std::move(name));
    }
    return names;
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
    return platform::fileNameProblem(trimSpaces(fileName));
}

MissionCopyPlan planMissionCopy(const std::string& playerFolder, const std::string& fileName,
                                const std::string& title, const std::string& newFileName,
                                const std::string& newTitle) {
    MissionCopyPlan plan;
    plan.source = playerFolder + platform::fileNameOf(fileName);
    const std::string fullPath = playerFolder + platform::fileNameOf(trimSpaces(newFileName));
    plan.copy = foldedPath(plan.source) != foldedPath(fullPath);
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
    if (!plan.copy) {
        const EntryWrite w = PUTENTRY(plan.target, "TITLE", plan.newTitle);
        if (w.outcome == EntryWrite::Outcome::WRITTEN)
            result.retitled = true;
        else if (w.outcome == EntryWrite::Outcome::NO_ENTRY)
            report.skip(plan.target, "it has no TITLE entry");
        else
            report.fail(plan.target, "the title could not be written: " + w.status.error);
        if (report.ok()) report.done = 1;
        return result;
    }
    if (!platform::fileExists(plan.source)) {
        report.fail(plan.source, "the mission file does not exist");
        return result;
    }
    // The player agreed to replace it; a read-only target would refuse.
    if (plan.replaces) platform::FABSETFILEATTRIBUTES(plan.target, platform::NORMAL);
    platform::Status copied;
    if (plan.retitle) {
        // The copy is written with its new title in one step: a full disk leaves no copy under the old title.
        const platform::ReadResult read = platform::fileSystem().read(plan.source);
        if (!read.ok) {
            report.fail(plan.source, read.error.empty() ? "the mission file could not be read" : read.error);
            return result;
        }
        EntryWrite w = withEntry(read.content, "TITLE", plan.newTitle);
        result.retitled = w.outcome == EntryWrite::Outcome::WRITTEN;
        if (!result.retitled)
            report.warnings.push_back(platform::gameNameOf(baseName(plan.target)) +
                                      " has no TITLE entry, so the copy keeps its title");
        copied = WRITESTRING(plan.target, w.text);
    } else {
        copied = platform::copyFile(plan.source, plan.target);
        // The copy carries the source's read-only state, which would stop a retitle and later edits.
        if (copied) platform::FABSETFILEATTRIBUTES(plan.target, platform::NORMAL);
    }
    if (!copied) {
        result.retitled = false;
        report.warnings.clear();
        report.fail(plan.target, copied.error);
        return result;
    }
    result.copied = true;
    if (!listedName(platform::gameNameOf(baseName(plan.target))))
        report.warnings.push_back(platform::gameNameOf(baseName(plan.target)) +
                                  " does not end in .TXT: the game and this list show only .TXT files");
    report.done = 1;
    return result;
}

Deletion deleteFiles(const std::vector<std::string>& files, DeleteMode mode, const Progress& progress) {
    Deletion result;
    Report& report = result.report;
    report.selected = files.size();
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& file = files[i];
        if (!goOn(progress, i, files.size())) {
            report.skipCancelled(i, files.size(), [&](std::size_t rest) { return files[rest]; });
            break;
        }
        if (mode == DeleteMode::FOR_GOOD) {
            if (platform::Status s = platform::removeFile(file); s)
                ++report.done;
            else
                report.fail(file, s.error);
            continue;
        }
        const platform::TrashResult t = platform::trashFile(file);
        switch (t.removal) {
            case platform::Removal::GONE:
                ++result.gone;
                [[fallthrough]];
            case platform::Removal::TRASHED:
                ++report.done;
                break;
            case platform::Removal::NO_TRASH:
                result.notTrashed.push_back({file, t.status.error});
                report.skip(file, "no trash can take it (" + t.status.error + ")");
                break;
            case platform::Removal::FAILED:
                report.fail(file, t.status.error);
                break;
        }
    }
    return result;
}

Deletion deleteMission(const std::string& file, DeleteMode mode) {
    return deleteFiles({file}, mode);
}

}  // namespace hartool
