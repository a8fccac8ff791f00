#pragma once

// A file system in memory for the fuzz targets: millions of writes without touching the disk. Names compare
// without regard to case and "/" equals "\", as on the real one; folders exist implicitly. readUntil hands
// the file over in chunks of a chosen size, so that readers that stop early are fuzzed across chunk joints.

#include <algorithm>
#include <cstddef>
#include <map>
#include <string>

#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"

namespace hartool::fuzz {

class MemoryFileSystem : public platform::FileSystem {
  public:
    MemoryFileSystem() : previous_(platform::installFileSystem(this)) {}
    ~MemoryFileSystem() override { platform::installFileSystem(previous_); }
    MemoryFileSystem(const MemoryFileSystem&) = delete;
    MemoryFileSystem& operator=(const MemoryFileSystem&) = delete;

    void setChunk(std::size_t bytes) { chunk_ = std::max<std::size_t>(1, bytes); }
    const std::string* file(const std::string& path) const {
        auto at = files_.find(key(path));
        return at == files_.end() ? nullptr : &at->second;
    }

    platform::ReadResult read(const std::string& path) const override {
        platform::ReadResult r;
        if (const std::string* f = file(path)) {
            r.content = *f;
            r.ok = true;
        } else {
            r.missing = true;
            r.error = "there is no such file";
        }
        return r;
    }
    platform::ReadResult readUntil(
        const std::string& path, const std::function<bool(std::string_view chunk)>& consume) const override {
        platform::ReadResult r = read(path);
        const std::string content = std::move(r.content);
        r.content.clear();
        for (std::size_t at = 0; at < content.size(); at += chunk_)
            if (!consume(std::string_view(content).substr(at, chunk_))) break;
        return r;
    }
    platform::Status write(const std::string& path, std::string_view content) override {
        files_[key(path)] = std::string(content);
        return platform::Status::success();
    }
    bool fileExists(const std::string& path) const override { return file(path) != nullptr; }
    bool folderExists(const std::string&) const override { return true; }
    std::vector<platform::FileEntry> list(const std::string&) const override { return {}; }
    platform::Status remove(const std::string& path) override {
        return files_.erase(key(path)) ? platform::Status::success()
                                       : platform::Status::failure("there is no such file");
    }
    platform::Status makeFolder(const std::string&) override { return platform::Status::success(); }
    platform::Status copy(const std::string& from, const std::string& to) override {
        const std::string* f = file(from);
        if (!f) return platform::Status::failure("there is no such file");
        files_[key(to)] = *f;
        return platform::Status::success();
    }
    platform::Status setAttributes(const std::string&, std::uint32_t) override {
        return platform::Status::success();
    }
    std::string workingFolder() const override { return "\\"; }
    std::string nativePath(const std::string& path) const override { return path; }

  private:
    static std::string key(std::string path) {
        std::replace(path.begin(), path.end(), '/', '\\');
        return platform::upper1252(path);
    }

    platform::FileSystem* previous_;
    std::map<std::string, std::string> files_;
    std::size_t chunk_ = 4096;
};

}  // namespace hartool::fuzz
