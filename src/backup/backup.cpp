#include "backup/backup.h"

#include <algorithm>

namespace hartool {

namespace {

using platform::Status;

// Enough names to point at the trouble without filling the screen.
constexpr std::size_t kFailuresShown = 10;

const char* const kCrewFile = "DATA\\campaign.dat";
const char* const kCrewCopy = "campaign.bak";

void makeFolder(const std::string& folder, BackupReport& report) {
    if (Status s = platform::makeFolder(folder); !s) report.failures.push_back({folder, s.error});
}

// folder, unless empty, is made first, so that the crew can be saved before the originals.
BackupReport copyCrew(const std::string& from, const std::string& to, const std::string& folder = "") {
    BackupReport report;
    if (!platform::fileExists(from)) {
        report.skipped = true;
        return report;
    }
    report.listed = 1;
    if (!folder.empty()) makeFolder(folder, report);
    if (Status s = platform::copyFile(from, to); s)
        report.copied = 1;
    else
        report.failures.push_back({to, s.error});
    return report;
}

}  // namespace

const char* copyMask(CopyMode mode) {
    return mode == CopyMode::MISSION ? "S*.TXT" : "CAMP*";
}

std::string notEverythingDone(std::size_t done, std::size_t total, const std::string& doneWord) {
    return "Not everything could be done: " + std::to_string(done) + " of " + std::to_string(total) +
           (total == 1 ? " file was " : " files were ") + doneWord + ".";
}

void appendFailures(std::string& text, const std::string& heading, const std::vector<Failure>& list,
                    const std::string& base) {
    if (list.empty()) return;
    text += "\n\n" + heading;
    const std::size_t shown = std::min(list.size(), kFailuresShown);
    for (std::size_t i = 0; i < shown; ++i) {
        const std::string& file = list[i].file;
        const bool inBase = !base.empty() && file.size() > base.size() && file.starts_with(base);
        text += "\n" + (inBase ? file.substr(base.size()) : file) + ": " + list[i].reason;
    }
    if (list.size() > shown) text += "\nand " + std::to_string(list.size() - shown) + " more";
}

void BackupReport::add(const BackupReport& other) {
    listed += other.listed;
    copied += other.copied;
    failures.insert(failures.end(), other.failures.begin(), other.failures.end());
    warnings.insert(warnings.end(), other.warnings.begin(), other.warnings.end());
}

std::string BackupReport::text(const std::string& successText, const std::string& base) const {
    std::string t;
    if (ok()) {
        t = successText;
    } else {
        t = notEverythingDone(copied, listed, "copied");
        appendFailures(t, "Failed:", failures, base);
    }
    if (!warnings.empty()) t += "\n";
    for (const std::string& w : warnings) t += "\nWarning: " + w;
    return t;
}

Status FABSETFILEATTRIBUTES(const std::string& file, std::uint32_t attributes) {
    if (!platform::fileExists(file)) return Status::failure("the file does not exist");
    return platform::setAttributes(file, attributes & 39);
}

BackupReport COPYDIR(const std::string& source, const std::string& target, CopyMode mode) {
    BackupReport report;
    makeFolder(target, report);
    const std::vector<platform::FileEntry> files = platform::listFiles(source + copyMask(mode));
    report.listed = files.size();

    // One failure per file: the first says why, the later passes would only repeat it.
    std::vector<bool> failed(files.size(), false);
    auto fail = [&](std::size_t i, const std::string& why) {
        if (failed[i]) return;
        failed[i] = true;
        report.failures.push_back({target + files[i].name, why});
    };

    // A read-only copy from an earlier run cannot be replaced until it is writable again.
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string to = target + files[i].name;
        if (!platform::fileExists(to)) continue;
        if (Status s = FABSETFILEATTRIBUTES(to, platform::NORMAL); !s) fail(i, s.error);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (Status s = platform::copyFile(source + files[i].name, target + files[i].name); s)
            ++report.copied;
        else
            fail(i, s.error);
    }
    // Also protects an older copy whose replacement failed.
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (Status s = FABSETFILEATTRIBUTES(target + files[i].name, platform::READONLY | platform::ARCHIVE);
            !s)
            fail(i, s.error);
    }
    return report;
}

BackupReport saveOriginals(const GameFolders& folders) {
    BackupReport report;
    makeFolder(folders.backup, report);
    makeFolder(folders.briefings, report);
    for (const Campaign& c : kCampaigns) {
        const std::string from = PATHOK(folders.battles + c.folder);
        // Without its "CAMP0" the backup never counts as complete, so the user had better know why.
        if (!platform::folderExists(from))
            report.warnings.push_back(std::string("the game has no campaign folder \"") + c.folder +
                                      "\", so its backup is empty.");
        else if (!platform::fileExists(from + "CAMP0"))
            report.warnings.push_back(std::string("the campaign folder \"") + c.folder +
                                      "\" has no CAMP0, so the backup does not count as complete.");
        report.add(COPYDIR(from, PATHOK(folders.backup + c.folder), CopyMode::KAMPAGNE));
    }
    report.add(
        COPYDIR(PATHOK(folders.battles + "PLAYER"), PATHOK(folders.backup + "PLAYER"), CopyMode::MISSION));
    return report;
}

BackupReport restoreOriginals(const GameFolders& folders) {
    BackupReport report;
    for (const Campaign& c : kCampaigns)
        report.add(COPYDIR(PATHOK(folders.backup + c.folder), PATHOK(folders.battles + c.folder),
                           CopyMode::KAMPAGNE));
    report.add(
        COPYDIR(PATHOK(folders.backup + "PLAYER"), PATHOK(folders.battles + "PLAYER"), CopyMode::MISSION));
    return report;
}

BackupReport saveCrew(const GameFolders& folders) {
    return copyCrew(folders.game + kCrewFile, folders.backup + kCrewCopy, folders.backup);
}

BackupReport restoreCrew(const GameFolders& folders) {
    return copyCrew(folders.backup + kCrewCopy, folders.game + kCrewFile);
}

}  // namespace hartool
