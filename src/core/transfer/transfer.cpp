#include "core/transfer/transfer.h"

#include <algorithm>
#include <cctype>

#include "core/platform/attributes.h"
#include "core/platform/codepage.h"
#include "core/text/entries.h"
#include "core/text/token.h"

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

// target with the source's text from its first "[" appended, when target holds no "[" and the source has one.
std::string withBriefing(std::string target, std::string_view source) {
    if (target.find('[') != std::string::npos) return target;
    const std::size_t at = source.find('[');
    if (at == std::string_view::npos) return target;
    target += "\r\n\r\n\r\n";
    target += source.substr(at);
    return target;
}

// Clears the attributes of an existing file, so that it can be replaced, and writes text in its place.
Status replaceWith(const std::string& file, std::string_view text) {
    if (platform::fileExists(file)) {
        if (Status s = platform::FABSETFILEATTRIBUTES(file, platform::NORMAL); !s) return s;
    }
    return WRITESTRING(file, text);
}

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
    if (source.find('[') == std::string::npos) return Status::success();
    return WRITESTRING(targetFile, withBriefing(target.content, source));
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

MissionLists transferLists(const GameFolders& folders, const Campaign& campaign, bool showAll) {
    MissionLists lists;
    // Resolved once: the listed names are spelt as on disk, so each title is then one direct read.
    const std::string player = platform::fileSystem().nativePath(folders.player) + "/";
    // Names only: the lists show no size, date or attributes.
    for (const std::string& file : platform::listFileNames(player + (showAll ? "*.TXT" : "BATTLE*.TXT"))) {
        bool spellable = false;
        std::string name = platform::gameNameOf(file, &spellable);
        if (!spellable) continue;  // the game cannot name it
        const std::string title = GETTITLE(player + file);
        if (!showAll && platform::upper1252(title).find(campaign.code) == std::string::npos) continue;
        lists.battleItems.push_back(singleBattleItem(title, name));
        lists.fileNames.push_back(std::move(name));
    }
    for (int k = 0; k <= campaign.lastMission; ++k) lists.campaignItems.push_back("CAMP" + std::to_string(k));
    return lists;
}

std::vector<std::size_t> changedSingleBattles(const GameFolders& folders, const Campaign& campaign,
                                              const std::vector<std::size_t>& missions) {
    const std::string from = folders.campaign(campaign);
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

Report copyToSingleBattles(const GameFolders& folders, const Campaign& campaign,
                           const std::vector<std::size_t>& missions, const std::vector<std::size_t>& keep,
                           const Progress& progress) {
    Report report;
    report.selected = missions.size();
    const std::string from = folders.campaign(campaign);
    for (std::size_t i = 0; i < missions.size(); ++i) {
        const std::size_t k = missions[i];
        const std::string source = from + "CAMP" + std::to_string(k);
        if (!goOn(progress, i, missions.size())) {
            report.skipCancelled(i, missions.size(), [&](std::size_t rest) {
                return from + "CAMP" + std::to_string(missions[rest]);
            });
            break;
        }
        const std::string target = folders.player + singleBattleName(campaign, k);
        if (std::find(keep.begin(), keep.end(), k) != keep.end()) {
            report.kept.push_back({target, "changed since it was copied"});
            continue;
        }
        const platform::ReadResult mission = platform::fileSystem().read(source);
        if (mission.missing) {
            report.skip(source, kMissing);
            continue;
        }
        // The copy and its marked title in one write: a failure leaves the old battle whole.
        Status s = mission.ok ? Status::success() : Status::failure(mission.error);
        if (s)
            s = replaceWith(target,
                            retitled(mission.content, titleLine(GETTITLE(source), TitleMode::MISSION, "")));
        if (s)
            ++report.done;
        else
            report.fail(target, s.error);
    }
    return report;
}

Report copyToCampaign(const GameFolders& folders, const Campaign& campaign,
                      const std::vector<std::string>& battles, std::optional<std::size_t> pairedMission,
                      const Progress& progress) {
    Report report;
    report.selected = battles.size();
    const std::string to = folders.campaign(campaign);
    const std::string saved = folders.savedCampaign(campaign);
    const auto last = static_cast<std::size_t>(campaign.lastMission);
    for (std::size_t i = 0; i < battles.size(); ++i) {
        const std::string battle = folders.player + platform::fileNameOf(battles[i]);
        if (!goOn(progress, i, battles.size())) {
            report.skipCancelled(i, battles.size(), [&](std::size_t rest) {
                return folders.player + platform::fileNameOf(battles[rest]);
            });
            break;
        }
        const platform::ReadResult text = platform::fileSystem().read(battle);
        if (text.missing) {
            report.skip(battle, kMissing);
            continue;
        }
        if (!text.ok) {
            report.fail(battle, text.error);
            continue;
        }
        std::size_t k = 0;
        if (pairedMission) {
            k = *pairedMission;
        } else {
            const std::string title = GETTITLE(battle);
            if (!endsInDigit(title)) {
                report.skip(battle, "its title does not end in a mission number");
                continue;
            }
            const std::int64_t number = ENDNUMMER(title);
            if (number > static_cast<std::int64_t>(last)) {
                report.skip(battle, "its title ends in " + std::to_string(number) +
                                        ", but the campaign's last mission is " + std::to_string(last));
                continue;
            }
            k = static_cast<std::size_t>(number);
        }
        const std::string target = to + "camp" + std::to_string(k);
        const std::string title = pairedMission ? GETTITLE(target) : std::string();
        // Copy, title and the saved briefing in one write, so that a failure leaves the old mission whole.
        const std::string mission =
            withBriefing(retitled(text.content, titleLine(GETTITLE(battle), TitleMode::KAMPAGNE, title)),
                         platform::readFile(saved + "camp" + std::to_string(k)));
        Status s = replaceWith(target + ".", mission);
        // Also protects an old mission whose replacement failed.
        const Status protect =
            platform::fileExists(target)
                ? platform::FABSETFILEATTRIBUTES(target, platform::READONLY | platform::ARCHIVE)
                : Status::success();
        if (s && !protect) s = protect;
        if (s)
            ++report.done;
        else
            report.fail(target, s.error);
    }
    return report;
}

Deletion deleteSingleBattles(const GameFolders& folders, const std::vector<std::string>& battles,
                             const Progress& progress, DeleteMode mode) {
    std::vector<std::string> files;
    for (const std::string& battle : battles) files.push_back(folders.player + platform::fileNameOf(battle));
    return deleteFiles(files, mode, progress);
}

}  // namespace hartool
