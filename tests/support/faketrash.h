#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace hartool::test {

// Points $XDG_DATA_HOME at dataHome for its lifetime, so that what the tool moves to the trash lands in the
// test's own folder rather than in the trash of whoever runs the tests.
class FakeTrash {
  public:
    explicit FakeTrash(std::filesystem::path dataHome);
    ~FakeTrash();
    FakeTrash(const FakeTrash&) = delete;
    FakeTrash& operator=(const FakeTrash&) = delete;

    std::filesystem::path folder() const { return dataHome_ / "Trash"; }
    // Names in the trash's "files" folder, sorted.
    std::vector<std::string> files() const;
    std::string read(const std::string& name) const;    // a trashed file's content
    std::string infoOf(const std::string& name) const;  // its ".trashinfo" file, "" when missing

  private:
    std::filesystem::path dataHome_;
    std::optional<std::string> previous_;
};

}  // namespace hartool::test
