#pragma once

#include "core/platform/filesystem.h"

namespace hartool::platform {

// The file system of Windows. Paths are UTF-8 and reach the wide-character functions as UTF-16, with the
// "\\?\" prefix so that paths past 260 characters work; reads share the file with other programs; writes go
// through a hidden temporary beside the target, flushed and moved over it. Read-only files behave as on
// Linux: they are not written, replaced or deleted.
class WindowsFileSystem : public FileSystem {
  public:
    ReadResult read(const std::string& path) const override;
    ReadResult readUntil(const std::string& path,
                         const std::function<bool(std::string_view chunk)>& consume) const override;
    Status write(const std::string& path, std::string_view content) override;
    Status writePieces(const std::string& path,
                       const std::function<void(const PieceWriter&)>& produce) override;
    bool fileExists(const std::string& path) const override;
    bool folderExists(const std::string& path) const override;
    std::vector<FileEntry> list(const std::string& pathAndMask) const override;
    Status remove(const std::string& path) override;
    // The Recycle Bin, through the shell.
    TrashResult trash(const std::string& path) override;
    Status makeFolder(const std::string& path) override;
    Status copy(const std::string& from, const std::string& to) override;
    Status setAttributes(const std::string& path, std::uint32_t attributes) override;
    std::string workingFolder() const override;
    std::string nativePath(const std::string& path) const override;
};

}  // namespace hartool::platform
