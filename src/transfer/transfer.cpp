#include "transfer/transfer.h"

#include <algorithm>
#include <cctype>

#include "platform/codepage.h"
#include "text/entries.h"
#include "text/token.h"

namespace hartool {

namespace {

using platform::Status;

constexpr std::size_t kItemTitleWidth = 15;

std::string replaced(std::string text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

std::string titleLine(const std::string& title, TitleMode mode, const std::string& newTitle) {
    if (mode == TitleMode::MISSION) return "TITLE:  ORG_" + replaced(title, ' ', '_');
    if (!newTitle.empty()) return "TITLE:  " + newTitle;
    std::string t = title;
    if (t.size() > 4 && platform::upper1252(std::string_view(t).substr(0, 4)) == "ORG_") t.erase(0, 4);
    return "TITLE:  " + replaced(t, '_', ' ');
}

// The text with its first line replaced by line, as PUTTITLE writes it.
std::string retitled(std::string_view text, const std::string& line) {
    return line + "\r\n" + linesAfterFirst(std::string(text));
}

bool endsInDigit(const std::string& s) {
    return !s.empty() && std::isdigit(static_cast<unsigned char>(s.back()));
}

const char* const kMissing = "the file does not exist";

}  // namespace

TitleWrite PUTTITLE(const std::string& fileName, TitleMode mode, const std::string& newTitle) {
    TitleWrite result;
    const platform::ReadResult file = platform::fileSystem().read(fileName);
    result.line = titleLine(GETTITLE(fileName), mode, newTitle);
    // Writing the title over an unreadable file would destroy the mission.
    if (!file.ok) {
        result.status = Status::failure(file.error.empty() ? kMissing : file.error);
        return result;
    }
    result.status = WRITESTRING(fileName, retitled(file.content, result.line));
    return result;
}

Status PUTBRIEFING(const std::string& sourceFile, const std::string& targetFile) {
    const platform::ReadResult target = platform::fileSystem().read(targetFile);
    if (!target.ok) return Status::failure(target.error.empty() ? kMissing : target.error);
    if (target.content.find('[') != std::string::npos) return Status::success();
    const std::string source = platform::readFile(sourceFile);
    const std::size_t at = source.find('[');
    if (at == std::string::npos) return Status::success();
    return WRITESTRING(targetFile, target.content + "\r\n\r\n\r\n" + source.substr(at));
}

std::string singleBattleItem(const std::string& title, const std::string& fileName) {
    std::string item = platform::upper1252(title);
    item.resize(kItemTitleWidth, ' ');
    return item + " - " + std::string(tokenAt(fileName, ".", 1));
}

std::string singleBattleName(const Campaign& campaign, std::size_t mission) {
    return "BATTLE" + VOLLZAHL(campaign.battleNumberBase + static_cast<std::int64_t>(mission), "9999") +
           ".TXT";
}

std::string campaignFolder(const GameFolders& folders, const Campaign& campaign) {
    return PATHOK(folders.battles + campaign.folder);
}

std::string savedCampaignFolder(const GameFolders& folders, const Campaign& campaign) {
    return PATHOK(folders.backup + campaign.folder);
}

MissionLists READDATA(const GameFolders& folders, const Campaign& campaign, bool showAll) {
    MissionLists lists;
    // Resolved once: the listed names are spelt as on disk, so each title is then one direct read.
    const std::string player = platform::fileSystem().nativePath(folders.player) + "/";
    for (const platform::FileEntry& e : platform::listFiles(player + (showAll ? "*.TXT" : "BATTLE*.TXT"))) {
        const std::string title = GETTITLE(player + e.name);
        if (!showAll && platform::upper1252(title).find(campaign.code) == std::string::npos) continue;
        lists.battleItems.push_back(singleBattleItem(title, e.name));
        lists.fileNames.push_back(e.name);
    }
    for (int k = 0; k <= campaign.lastMission; ++k) lists.campaignItems.push_back("CAMP" + std::to_string(k));
    return lists;
}

std::string TransferReport::text(const std::string& successText, const std::string& doneWord,
                                 const std::string& base) const {
    if (ok()) return successText;
    std::string t = notEverythingDone(done, selected, doneWord);
    appendFailures(t, "Failed:", failures, base);
    appendFailures(t, "Not " + doneWord + ":", skipped, base);
    return t;
}

std::vector<std::size_t> changedSingleBattles(const GameFolders& folders, const Campaign& campaign,
                                              const std::vector<std::size_t>& missions) {
    const std::string from = campaignFolder(folders, campaign);
    std::vector<std::size_t> changed;
    for (std::size_t k : missions) {
        const std::string source = from + "CAMP" + std::to_string(k);
        const platform::ReadResult battle =
            platform::fileSystem().read(folders.player + singleBattleName(campaign, k));
        if (battle.missing || !platform::fileExists(source)) continue;
        const std::string copy =
            retitled(platform::readFile(source), titleLine(GETTITLE(source), TitleMode::MISSION, ""));
        if (battle.content != copy) changed.push_back(k);
    }
    return changed;
}

TransferReport copyToSingleBattles(const GameFolders& folders, const Campaign& campaign,
                                   const std::vector<std::size_t>& missions,
                                   const std::vector<std::size_t>& keep) {
    TransferReport report;
    report.selected = missions.size();
    const std::string from = campaignFolder(folders, campaign);
    for (std::size_t k : missions) {
        const std::string source = from + "CAMP" + std::to_string(k);
        const std::string target = folders.player + singleBattleName(campaign, k);
        if (std::find(keep.begin(), keep.end(), k) != keep.end()) {
            report.skipped.push_back({target, "kept, it differs from the campaign mission"});
            continue;
        }
        if (!platform::fileExists(source)) {
            report.skipped.push_back({source, kMissing});
            continue;
        }
        // A read-only battle would refuse the copy.
        Status s =
            platform::fileExists(target) ? FABSETFILEATTRIBUTES(target, platform::NORMAL) : Status::success();
        if (s) s = platform::copyFile(source, target);
        if (s) s = FABSETFILEATTRIBUTES(target, platform::NORMAL);
        if (s) s = PUTTITLE(target, TitleMode::MISSION).status;
        if (s)
            ++report.done;
        else
            report.failures.push_back({target, s.error});
    }
    return report;
}

TransferReport copyToCampaign(const GameFolders& folders, const Campaign& campaign,
                              const std::vector<std::string>& battles,
                              std::optional<std::size_t> pairedMission) {
    TransferReport report;
    report.selected = battles.size();
    const std::string to = campaignFolder(folders, campaign);
    const std::string saved = savedCampaignFolder(folders, campaign);
    for (const std::string& name : battles) {
        const std::string battle = folders.player + name;
        if (!platform::fileExists(battle)) {
            report.skipped.push_back({battle, kMissing});
            continue;
        }
        std::size_t k = 0;
        if (pairedMission) {
            k = *pairedMission;
        } else {
            const std::string title = GETTITLE(battle);
            if (!endsInDigit(title)) {
                report.skipped.push_back({battle, "its title does not end in a mission number"});
                continue;
            }
            k = static_cast<std::size_t>(ENDNUMMER(title));
        }
        const std::string target = to + "camp" + std::to_string(k);
        const std::string title = pairedMission ? GETTITLE(target) : std::string();
        Status s =
            platform::fileExists(target) ? FABSETFILEATTRIBUTES(target, platform::NORMAL) : Status::success();
        if (s) s = platform::copyFile(battle, target + ".");
        if (s) s = PUTTITLE(target, TitleMode::KAMPAGNE, title).status;
        if (s) s = PUTBRIEFING(saved + "camp" + std::to_string(k), target);
        // Also protects an old mission whose replacement failed, and a copy whose rewrite failed.
        const Status protect = platform::fileExists(target)
                                   ? FABSETFILEATTRIBUTES(target, platform::READONLY | platform::ARCHIVE)
                                   : Status::success();
        if (s && !protect) s = protect;
        if (s)
            ++report.done;
        else
            report.failures.push_back({target, s.error});
    }
    return report;
}

TransferReport deleteSingleBattles(const GameFolders& folders, const std::vector<std::string>& battles) {
    TransferReport report;
    report.selected = battles.size();
    for (const std::string& name : battles) {
        const std::string file = folders.player + name;
        if (!platform::fileExists(file)) {
            report.skipped.push_back({file, kMissing});
            continue;
        }
        if (Status s = platform::removeFile(file); s)
            ++report.done;
        else
            report.failures.push_back({file, s.error});
    }
    return report;
}

}  // namespace hartool
