// The main dialog's saves and restores and the transfer dialog's copies between campaigns and single battles.

#include <charconv>

#include "cli/cli.h"
#include "cli/names.h"
#include "cli/output.h"
#include "core/backup/backup.h"
#include "core/game/gamecheck.h"
#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"
#include "core/transfer/transfer.h"

namespace hartool::cli {

namespace {

// A mission number of the campaign, from 0; nullopt when the word is none.
std::optional<std::size_t> missionNumber(const Campaign& campaign, const std::string& word) {
    std::size_t n = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), n);
    if (error != std::errc() || end != word.data() + word.size() ||
        n > static_cast<std::size_t>(campaign.lastMission))
        return std::nullopt;
    return n;
}

const Campaign* campaignOrUsage(Context& c, const std::string& name) {
    if (const Campaign* campaign = campaignNamed(name)) return campaign;
    std::string names;
    for (const Campaign& k : kCampaigns) names += std::string("\n  ") + k.displayName + " (" + k.folder + ")";
    c.out.usage("no campaign " + name + "; the campaigns are:" + names);
    return nullptr;
}

int badNumber(Context& c, const Campaign& campaign, const std::string& word) {
    return c.out.usage(word + ": not a mission number of " + campaign.displayName + " (0 to " +
                       std::to_string(campaign.lastMission) + ")");
}

}  // namespace

int saveOriginalsCommand(Context& c) {
    // The dialog offers the save only while some campaign's saved copy is missing.
    if (!backupIncomplete(c.folders))
        return refused(c, c.folders.backup, "the original campaigns are saved already", "copied");
    const Report report = saveOriginals(c.folders, c.out.progress("save campaigns"));
    return c.out.report(report, "The original campaigns have been saved", "copied", c.folders.game);
}

int restoreOriginalsCommand(Context& c) {
    const std::optional<std::string> name = c.args.value("--campaign");
    const Campaign* campaign = nullptr;
    if (name && !(campaign = campaignOrUsage(c, *name))) return kUsage;
    if (backupIncomplete(c.folders))
        return refused(c, c.folders.backup, "the original campaigns have not been saved (save-originals)",
                       "copied");
    if (!c.force())
        return refused(c, campaign ? c.folders.campaign(*campaign) : c.folders.battles,
                       "restoring replaces the game's files with the saved originals: --force restores them",
                       "copied");
    if (campaign) {
        const Report report = copyFolder(c.folders.savedCampaign(*campaign), c.folders.campaign(*campaign),
                                         CopyMode::KAMPAGNE, c.out.progress("restore selected campaign"));
        return c.out.report(report, "the original campaign has been restored", "copied", c.folders.game);
    }
    const Report report = restoreOriginals(c.folders, c.out.progress("restore campaigns"));
    return c.out.report(report, "The original campaigns have been restored", "copied", c.folders.game);
}

int saveCrewCommand(Context& c) {
    if (!platform::fileExists(crewFile(c.folders)))
        return refused(c, crewFile(c.folders), "no crew data to save", "copied");
    if (platform::fileExists(savedCrewFile(c.folders)) && !crewFilesMatch(c.folders) && !c.force())
        return refused(c, savedCrewFile(c.folders), "crew data were saved before: --force replaces them",
                       "copied");
    const Report report = saveCrew(c.folders);
    return c.out.report(report, "all crew data of the campaign you're actually playing have been saved",
                        "copied", c.folders.game);
}

int restoreCrewCommand(Context& c) {
    if (!platform::fileExists(savedCrewFile(c.folders)))
        return refused(c, savedCrewFile(c.folders), "no saved crew data (save-crew)", "copied");
    if (!c.force())
        return refused(c, crewFile(c.folders),
                       "restoring replaces the crew data being played: --force restores them", "copied");
    const Report report = restoreCrew(c.folders);
    return c.out.report(report, "all crew data of the campaign you're actually playing have been restored",
                        "copied", c.folders.game);
}

int toBattlesCommand(Context& c) {
    const Campaign* campaign = campaignOrUsage(c, c.args.words[0]);
    if (!campaign) return kUsage;
    std::vector<std::size_t> missions;
    for (std::size_t i = 1; i < c.args.words.size(); ++i) {
        const std::optional<std::size_t> n = missionNumber(*campaign, c.args.words[i]);
        if (!n) return badNumber(c, *campaign, c.args.words[i]);
        missions.push_back(*n);
    }
    if (missions.empty())
        for (int n = 0; n <= campaign->lastMission; ++n) missions.push_back(static_cast<std::size_t>(n));
    // The dialog asks before replacing single battles changed since they were copied; without --force they
    // stay as they are, and the report says why.
    std::vector<std::size_t> keep;
    if (!c.force()) keep = changedSingleBattles(c.folders, *campaign, missions);
    Report report =
        copyToSingleBattles(c.folders, *campaign, missions, keep, c.out.progress("transfer campaigns"));
    for (const Failure& k : report.kept)
        report.skip(k.file, "the single battle has changed since it was copied: --force replaces it");
    report.kept.clear();
    return c.out.report(report, std::to_string(report.done) + " Files copied", "copied", c.folders.game);
}

int toCampaignCommand(Context& c) {
    const Campaign* campaign = campaignOrUsage(c, c.args.words[0]);
    if (!campaign) return kUsage;
    std::optional<std::size_t> paired;
    if (const std::optional<std::string> number = c.args.value("--paired")) {
        if (c.args.words.size() != 2) return c.out.usage("--paired takes exactly one battle");
        paired = missionNumber(*campaign, *number);
        if (!paired) return badNumber(c, *campaign, *number);
    }
    Report report;
    std::vector<std::string> battles;
    for (std::size_t i = 1; i < c.args.words.size(); ++i) {
        const std::string file = missionNamed(c.folders, c.args.words[i]);
        if (!file.empty()) {
            battles.push_back(platform::gameNameOf(file));
            continue;
        }
        ++report.selected;
        report.fail(platform::fileNameOf(c.args.words[i]), "no such single battle in the player folder");
    }
    if (!battles.empty())
        report.add(
            copyToCampaign(c.folders, *campaign, battles, paired, c.out.progress("transfer single battles")));
    return c.out.report(report, std::to_string(battles.size()) + " files transfered", "transferred",
                        c.folders.game);
}

}  // namespace hartool::cli
