// The user's application-data folder, where Windows programs keep their settings.

#include <windows.h>
// After windows.h, which it needs.
#include <knownfolders.h>
#include <shlobj.h>

#include "core/platform/native.h"
#include "core/platform/windows/nativefiles.h"

namespace hartool::platform {

std::string windows::knownFolder(const GUID& id) {
    wchar_t* path = nullptr;
    std::string folder;
    if (::SHGetKnownFolderPath(id, 0, nullptr, &path) == S_OK) folder = narrow(path);
    ::CoTaskMemFree(path);
    if (folder.empty()) return {};
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

std::string configurationFolder() {
    const std::string appData = windows::knownFolder(FOLDERID_RoamingAppData);
    return appData.empty() ? std::string() : appData + "hartool\\";
}

}  // namespace hartool::platform
