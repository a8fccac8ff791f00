#include "core/platform/settings.h"

#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"
#include "core/platform/native.h"
#include "core/platform/profile.h"

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

std::string pathSetting(const std::string& section, const std::string& key, const std::string& file) {
    const std::string bytes = readFile(file);
    std::string value = profileUtf8Value(bytes, section, key);
    return hasByteOrderMark(bytes) || isUtf8(value) ? value : cp1252ToUtf8(value);
}

Status writePathSetting(const std::string& section, const std::string& key, const std::string& path,
                        const std::string& file) {
    ReadResult old = fileSystem().read(file);
    if (!old.ok && !old.missing) return Status::failure(old.error);
    std::string updated, why;
    if (!withProfileUtf8ValueInFile(old.content, section, key, path, updated, why))
        return Status::failure(why);
    if (old.ok && updated == old.content) return Status::success();  // spare the disk an identical rewrite
    return writeFile(file, updated);
}

void setProgramFolder(const std::string& folder) {
    programFolderSet() = folder;
}

const std::string& programFolder() {
    return programFolderSet();
}

}  // namespace hartool::platform
