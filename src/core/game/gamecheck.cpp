#include "core/game/gamecheck.h"

#include <cstdlib>

#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"

namespace hartool {

namespace {

std::string& programFolder() {
    static std::string folder;
    return folder;
}

// An environment variable as a path the platform layer takes, or "" when unset, empty or not representable.
std::string environmentPath(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return {};
    bool ok = false;
    std::string path = platform::utf8ToCp1252(value, &ok);
    return ok ? path : std::string();
}

// The folder the settings belong in when the working folder has none, ending in a separator; "" when the
// environment names none.
std::string configurationFolder() {
#ifdef _WIN32
    return programFolder();
#else
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base directory rules ask.
    std::string base = environmentPath("XDG_CONFIG_HOME");
    if (base.empty() || base.front() != '/') {
        const std::string home = environmentPath("HOME");
        if (home.empty()) return {};
        base = home + "/.config";
    }
    if (base.back() != '/') base += '/';
    return base + "hartool/";
#endif
}

}  // namespace

std::string iniFile() {
    const std::string portable = platform::workingFolder() + kIniFileName;
    if (platform::fileExists(portable)) return portable;
    const std::string folder = configurationFolder();
    // Without a usable configuration folder the working folder still keeps the settings.
    if (folder.empty() || !platform::makeFolders(folder)) return portable;
    return folder + kIniFileName;
}

void setProgramFolder(const std::string& folder) {
    programFolder() = folder;
}

bool gameFound(const std::string& gamePath) {
    return platform::fileExists(gamePath + kGameExecutable);
}

std::string typedGameFolder(const std::string& typed) {
    std::string path(typed);
    while (!path.empty() && path.back() == ' ') path.pop_back();
    const std::size_t cut = path.find_last_of("\\/");
    const std::string name = path.substr(cut == std::string::npos ? 0 : cut + 1);
    if (cut != std::string::npos && platform::iequals1252(name, kGameExecutable) &&
        platform::fileExists(path))
        return path.substr(0, cut + 1);
    return typed;
}

std::string gamePathProblem(const std::string& typed) {
    if (typed.find_first_not_of(' ') == std::string::npos)
        return std::string("type the folder that holds ") + kGameExecutable;
    const std::string folder = PATHOK(typedGameFolder(typed));
    if (gameFound(folder)) return "";
    if (platform::folderExists(folder)) return std::string("no ") + kGameExecutable + " in this folder";
    if (platform::fileExists(folder.substr(0, folder.size() - 1)))
        return std::string("this is a file: type the folder that holds ") + kGameExecutable;
    return "no such folder";
}

bool backupIncomplete(const GameFolders& folders) {
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
