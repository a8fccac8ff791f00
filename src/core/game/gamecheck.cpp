#include "core/game/gamecheck.h"

#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"

namespace hartool {

bool gameFound(const std::string& gamePath) {
    return platform::fileExists(gamePath + kGameExecutable);
}

std::string typedGameFolder(const std::string& typed) {
    std::string path(typed);
    while (!path.empty() && path.back() == ' ') path.pop_back();
    const std::size_t cut = path.find_last_of("\\/");
    const std::string name = path.substr(cut == std::string::npos ? 0 : cut + 1);
    if (cut != std::string::npos && platform::iequalsFileName(name, kGameExecutable) &&
        platform::fileExists(path))
        return path.substr(0, cut + 1);
    return typed;
}

std::string gamePathProblem(const std::string& typed) {
    const std::string folder = PATHOK(typedGameFolder(typed));
    if (gameFound(folder)) return "";
    // An empty path is the working folder, which the player does not see.
    if (folder.empty()) return std::string("type the folder that holds ") + kGameExecutable;
    if (platform::folderExists(folder)) return std::string("no ") + kGameExecutable + " in this folder";
    if (platform::fileExists(folder.substr(0, folder.size() - 1)))
        return std::string("this is a file: type the folder that holds ") + kGameExecutable;
    return "no such folder";
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
