#pragma once

// Windows-style paths (UTF-8, "\" or "/") to native ones: Wine drive letters, the spelling a name has on
// disk, and the cached index of a folder's names that finds it. PosixFileSystem::resolve is the whole of it;
// FolderNames serves many names of one folder.

#include <memory>
#include <string>

namespace hartool::platform::posix {

struct FolderIndex;

// True when path is already a native absolute path that resolution would leave as it is (if it exists): no
// "\", no drive, no component ending in ".". Such a path can be tried as it stands.
bool nativeAsItStands(const std::string& path);

// Files of one folder found by name as resolve finds a path's last component (exactly, else the first match
// without regard to case, else as given), with the folder resolved and, when needed, read only once.
class FolderNames {
  public:
    explicit FolderNames(std::string native);
    ~FolderNames();
    FolderNames(const FolderNames&) = delete;
    FolderNames& operator=(const FolderNames&) = delete;

    std::string find(const std::string& name);

  private:
    std::string native_;
    std::unique_ptr<FolderIndex> index_;
};

}  // namespace hartool::platform::posix
