#include "core/game/gamecheck.h"

#include "core/platform/filesystem.h"

namespace hartool {

bool gameFound(const std::string& gamePath) {
    return platform::fileExists(gamePath + kGameExecutable);
}

bool backupIncomplete(const GameFolders& folders) {
    if (!platform::fileExists(folders.backupRecord())) return true;
    for (const Campaign& c : kCampaigns)
        if (!platform::fileExists(folders.savedCampaign(c) + "CAMP0")) return true;
    return false;
}

bool crewFilesMatch(const GameFolders& folders) {
    auto saved = platform::listFiles(folders.backup + "campaign.bak");
    auto live = platform::listFiles(folders.game + "DATA\\" + "campaign.dat");
    if (saved.empty() || live.empty()) return false;
    return saved.front().modified == live.front().modified;
}

}  // namespace hartool
