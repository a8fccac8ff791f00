#pragma once

#include <filesystem>
#include <string>

namespace hartool::test {

// Removes a folder and everything in it, read-only files too (which Windows will not delete as they are).
void removeTree(const std::filesystem::path& folder);

// A fresh folder for one test, removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as the tool spells a folder: native, ending in a separator.
    std::string folder() const;
    // Writes a file below the folder (creating its folders) and returns its full native path.
    std::string write(const std::string& relative, const std::string& content) const;
    std::string read(const std::string& relative) const;
    bool exists(const std::string& relative) const;

  private:
    std::filesystem::path path_;
};

}  // namespace hartool::test
