#include "core/platform/settings.h"

#include "core/platform/filesystem.h"
#include "core/platform/native.h"

namespace hartool::platform {

namespace {

std::string& programFolderSet() {
    static std::string folder;
    return folder;
}

}  // namespace

std::string iniFile() {
    const std::string portable = workingFolder() + kIniFileName;
    if (fileExists(portable)) return portable;
    const std::string folder = configurationFolder();
    // Without a usable configuration folder the working folder still keeps the settings.
    if (folder.empty() || !makeFolders(folder)) return portable;
    return folder + kIniFileName;
}

void setProgramFolder(const std::string& folder) {
    programFolderSet() = folder;
}

const std::string& programFolder() {
    return programFolderSet();
}

}  // namespace hartool::platform
