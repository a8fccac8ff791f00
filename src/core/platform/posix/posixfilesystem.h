#pragma once

#include "core/platform/filesystem.h"

namespace hartool::platform {

// The file system of Linux and other POSIX systems, with Windows path rules on top: see filesystem.h.
// Read-only files behave as on Windows: they are not written, replaced or deleted, whoever runs the tool.
class PosixFileSystem : public FileSystem {
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
    std::vector<std::string> listNames(const std::string& pathAndMask) const override;
    Status remove(const std::string& path) override;
    // The freedesktop.org home trash: "$XDG_DATA_HOME/Trash" (else "~/.local/share/Trash"), with a
    // ".trashinfo" file beside each trashed file. Fails when the trash cannot be made or lies on another file
    // system.
    Status trash(const std::string& path) override;
    Status makeFolder(const std::string& path) override;
    Status copy(const std::string& from, const std::string& to) override;
    // Writes every copy to a temporary file first, makes them all durable in one step, then renames them over
    // their targets and makes each folder durable once: the guarantees of copy, paid for once.
    CopiesResult copyFiles(const std::vector<CopyGroup>& groups, const CopyOptions& options,
                           const CopyProgress& progress) override;
    Status setAttributes(const std::string& path, std::uint32_t attributes) override;
    std::string workingFolder() const override;
    std::string nativePath(const std::string& path) const override;

    // Windows-style path to the native path: separators, drive letters through the Wine prefix ($WINEPREFIX,
    // else ~/.wine), each component matched exactly first, else case-insensitively (first in name order);
    // a component that does not exist keeps the spelling given. A trailing "." means "no extension".
    static std::string resolve(const std::string& path);
};

}  // namespace hartool::platform
