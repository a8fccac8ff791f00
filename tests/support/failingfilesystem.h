#pragma once

#include <functional>
#include <string>

#include "core/platform/filesystem.h"

namespace hartool::test {

// The file system installed before it, except that chosen operations on chosen paths fail. Installed for its
// lifetime; what was installed before comes back after it.
class FailingFileSystem : public platform::FileSystem {
  public:
    enum class Op { Read, Write, Remove, Trash, MakeFolder, Copy, SetAttributes };

    FailingFileSystem();
    ~FailingFileSystem() override;

    // Operations op on a path containing fragment (case ignored; for Copy, the target) fail with reason. A
    // read that fails finds the file there but unreadable.
    void failOn(Op op, std::string fragment, std::string reason = "injected failure");
    // The n-th operation op (counted from 1 over every path) fails with reason, and only that one.
    void failNth(Op op, int n, std::string reason = "injected failure");
    int failures() const { return failures_; }

    platform::ReadResult read(const std::string& path) const override;
    platform::ReadResult readUntil(const std::string& path,
                                   const std::function<bool(std::string_view chunk)>& consume) const override;
    platform::Status write(const std::string& path, std::string_view content) override;
    bool fileExists(const std::string& path) const override;
    bool folderExists(const std::string& path) const override;
    std::vector<platform::FileEntry> list(const std::string& pathAndMask) const override;
    platform::Status remove(const std::string& path) override;
    platform::TrashResult trash(const std::string& path) override;
    platform::Status makeFolder(const std::string& path) override;
    platform::Status copy(const std::string& from, const std::string& to) override;
    platform::Status setAttributes(const std::string& path, std::uint32_t attributes) override;
    std::string workingFolder() const override;
    std::string nativePath(const std::string& path) const override;

  private:
    struct Rule {
        Op op;
        std::string fragment;
        std::string reason;
        int nth = 0;  // 0: by fragment
    };
    bool fails(Op op, const std::string& path, std::string& reason) const;

    platform::FileSystem& real_;
    platform::FileSystem* previous_;
    std::vector<Rule> rules_;
    mutable int failures_ = 0;
    mutable int calls_[7] = {};  // by Op
};

}  // namespace hartool::test
