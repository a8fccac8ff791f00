#include "backup/backup.h"

#include <vector>

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
};

// One progress over several folder copies: each copy's count goes on from where the last one ended, and once
// stopped every later copy stops before its first file.
Report copyFolders(const std::vector<FolderCopy>& copies, const Progress& progress) {
    std::vector<std::size_t> counts;
    std::size_t total = 0;
    for (const FolderCopy& c : copies) {
        counts.push_back(platform::listFileNames(c.source + copyMask(c.mode)).size());
        total += counts.back();
    }
    Report report;
    std::size_t offset = 0;
    bool go = true;
    for (std::size_t i = 0; i < copies.size(); ++i) {
        Progress step;
        if (progress)
            step = [&, offset](std::size_t done, std::size_t) {
                return go = go && progress(offset + done, total);
            };
        report.add(copyFolder(copies[i].source, copies[i].target, copies[i].mode, step));
        offset += counts[i];
    }
    return report;
}

}  // namespace

const char* copyMask(CopyMode mode) {
    return mode == CopyMode::MISSION ? "S*.TXT" : "CAMP*";
}

Status FABSETFILEATTRIBUTES(const std::string& file, std::uint32_t attributes) {
    if (!platform::fileExists(file)) return Status::failure("the file does not exist");
    return platform::setAttributes(file, attributes & 39);
}

Report copyFolder(const std::string& source, const std::string& target, CopyMode mode,
                  const Progress& progress) {
    Report report;
    const std::vector<std::string> names = platform::listFileNames(source + copyMask(mode));
    report.selected = names.size();
    // Every file would only fail again for the same reason.
    if (Status s = platform::makeFolder(target); !s) {
        report.fail(target, s.error);
        return report;
    }
    // Earlier read-only copies are replaced, and every copy ends read-only, also an older one whose
    // replacement failed or was cancelled.
    const platform::CopiesResult copies = platform::copyFiles(
        source, target, names, {.replaceReadOnly = true, .leaveReadOnly = true}, progress);
    // One failure per file: the first says why.
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i >= copies.reached)
            report.skip(target + names[i], kCancelled);
        else if (copies.statuses[i])
            ++report.done;
        if (!copies.statuses[i])
            report.fail(target + names[i], copies.statuses[i].error);
        else if (!copies.readOnly[i])
            report.fail(target + names[i], copies.readOnly[i].error);
    }
    return report;
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
        copies.push_back({from, folders.savedCampaign(c), CopyMode::KAMPAGNE});
    }
    copies.push_back({folders.player, folders.savedPlayer(), CopyMode::MISSION});
    report.add(copyFolders(copies, progress));
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
    return copyCrew(folders.game + kCrewFile, folders.backup + kCrewCopy, folders.backup);
}

Report restoreCrew(const GameFolders& folders) {
    return copyCrew(folders.backup + kCrewCopy, folders.game + kCrewFile);
}

}  // namespace hartool
