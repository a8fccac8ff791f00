#include "core/backup/backup.h"

#include <unordered_set>
#include <vector>

#include "core/platform/codepage.h"

namespace hartool {

namespace {

using platform::Status;

const char* const kCrewFile = "DATA\\campaign.dat";
const char* const kCrewCopy = "campaign.bak";

// folder, unless empty, is made first, so that the crew can be saved before the originals.
Report copyCrew(const std::string& from, const std::string& to, const std::string& folder = "") {
    Report report;
    if (!platform::fileExists(from)) return report;
    report.selected = 1;
    if (!folder.empty()) {
        if (Status s = platform::makeFolder(folder); !s) {
            report.fail(folder, s.error);
            return report;
        }
    }
    if (Status s = platform::copyFile(from, to); s)
        report.done = 1;
    else
        report.fail(to, s.error);
    return report;
}

// The files copyFolder would copy, counted as selected and not done: their folder could not be made.
Report notCopied(const std::string& source, CopyMode mode) {
    Report report;
    report.selected = platform::listFileNames(source + copyMask(mode)).size();
    return report;
}

struct FolderCopy {
    std::string source, target;
    CopyMode mode;
    bool onlyMissing = false;  // leave the files the target has already
};

// names without those the folder holds already, compared as Windows compares them.
std::size_t dropPresent(std::vector<std::string>& names, const std::string& folder, CopyMode mode) {
    std::unordered_set<std::string> present;
    for (const std::string& name : platform::listFileNames(folder + copyMask(mode)))
        present.insert(platform::upperFileName(name));
    const std::size_t before = names.size();
    std::erase_if(names,
                  [&](const std::string& name) { return present.contains(platform::upperFileName(name)); });
    return before - names.size();
}

// The folders' files in one copy, so that making them durable is paid for once. A target folder that cannot
// be made is one failure, and its files are counted as not copied; every other folder's files are copied.
Report copyFolders(const std::vector<FolderCopy>& copies, const Progress& progress,
                   std::size_t* present = nullptr) {
    Report report;
    std::vector<platform::CopyGroup> groups;
    for (const FolderCopy& c : copies) {
        std::vector<std::string> names = platform::listFileNames(c.source + copyMask(c.mode));
        if (c.onlyMissing && present) *present += dropPresent(names, c.target, c.mode);
        report.selected += names.size();
        // Every file would only fail again for the same reason.
        if (Status s = platform::makeFolder(c.target); !s) {
            report.fail(c.target, s.error);
            continue;
        }
        groups.push_back({c.source, c.target, std::move(names)});
    }
    // Earlier read-only copies are replaced, and every copy ends read-only, also an older one whose
    // replacement failed or was cancelled.
    const platform::CopiesResult copied =
        platform::copyFiles(groups, {.replaceReadOnly = true, .leaveReadOnly = true}, progress);
    std::vector<std::string> targets;
    for (const platform::CopyGroup& g : groups)
        for (const std::string& name : g.names) targets.push_back(g.toFolder + name);
    // One failure per file: the first says why.
    for (std::size_t at = 0; at < targets.size(); ++at) {
        if (at < copied.reached && copied.statuses[at]) ++report.done;
        if (!copied.statuses[at])
            report.fail(targets[at], copied.statuses[at].error);
        else if (!copied.readOnly[at])
            report.fail(targets[at], copied.readOnly[at].error);
    }
    report.skipCancelled(copied.reached, targets.size(), [&](std::size_t at) { return targets[at]; });
    return report;
}

}  // namespace

const char* copyMask(CopyMode mode) {
    return mode == CopyMode::MISSION ? "S*.TXT" : "CAMP*";
}

Report copyFolder(const std::string& source, const std::string& target, CopyMode mode,
                  const Progress& progress) {
    return copyFolders({{source, target, mode}}, progress);
}

Report saveOriginals(const GameFolders& folders, const Progress& progress) {
    Report report;
    const Status backup = platform::makeFolder(folders.backup);
    if (!backup) {
        // Nothing can be saved below it: one failure, and every file counted as not copied.
        report.fail(folders.backup, backup.error);
        for (const Campaign& c : kCampaigns) report.add(notCopied(folders.campaign(c), CopyMode::KAMPAGNE));
        report.add(notCopied(folders.player, CopyMode::MISSION));
        return report;
    }
    if (Status s = platform::makeFolder(folders.briefings); !s) report.fail(folders.briefings, s.error);
    std::vector<FolderCopy> copies;
    for (const Campaign& c : kCampaigns) {
        const std::string from = folders.campaign(c);
        // Without its "CAMP0" the backup never counts as complete, so the user had better know why.
        if (!platform::folderExists(from))
            report.warnings.push_back(std::string("the game has no campaign folder \"") + c.folder +
                                      "\", so its backup is empty.");
        else if (!platform::fileExists(from + "CAMP0"))
            report.warnings.push_back(std::string("the campaign folder \"") + c.folder +
                                      "\" has no CAMP0, so the backup does not count as complete.");
        copies.push_back({from, folders.savedCampaign(c), CopyMode::KAMPAGNE, true});
    }
    copies.push_back({folders.player, folders.savedPlayer(), CopyMode::MISSION, true});
    std::size_t present = 0;
    report.add(copyFolders(copies, progress, &present));
    if (present > 0)
        report.warnings.push_back(
            "the backup was not complete: only the files it lacked were saved, and the " +
            std::to_string(present) + " saved before were kept as they were.");
    if (report.ok()) {
        if (Status s =
                platform::writeFile(folders.backupRecord(), "the originals in this folder are complete\r\n");
            !s)
            report.fail(folders.backupRecord(), s.error);
    }
    return report;
}

Report restoreOriginals(const GameFolders& folders, const Progress& progress) {
    std::vector<FolderCopy> copies;
    for (const Campaign& c : kCampaigns)
        copies.push_back({folders.savedCampaign(c), folders.campaign(c), CopyMode::KAMPAGNE});
    copies.push_back({folders.savedPlayer(), folders.player, CopyMode::MISSION});
    return copyFolders(copies, progress);
}

Report saveCrew(const GameFolders& folders) {
    return copyCrew(crewFile(folders), savedCrewFile(folders), folders.backup);
}

Report restoreCrew(const GameFolders& folders) {
    return copyCrew(savedCrewFile(folders), crewFile(folders));
}

std::string crewFile(const GameFolders& folders) {
    return folders.game + kCrewFile;
}

std::string savedCrewFile(const GameFolders& folders) {
    return folders.backup + kCrewCopy;
}

}  // namespace hartool
