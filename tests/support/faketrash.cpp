#include "support/faketrash.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/scopedenvironment.h"

namespace fs = std::filesystem;

namespace hartool::test {

namespace {
std::string contentOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
}  // namespace

FakeTrash::FakeTrash(fs::path dataHome) : dataHome_(std::move(dataHome)) {
    if (const char* old = std::getenv("XDG_DATA_HOME")) previous_ = old;
    setEnvironment("XDG_DATA_HOME", dataHome_.string());
}

FakeTrash::~FakeTrash() {
    setEnvironment("XDG_DATA_HOME", previous_);
}

std::vector<std::string> FakeTrash::files() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (auto it = fs::directory_iterator(folder() / "files", ec); !ec && it != fs::directory_iterator();
         it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string FakeTrash::read(const std::string& name) const {
    return contentOf(folder() / "files" / name);
}

std::string FakeTrash::infoOf(const std::string& name) const {
    return contentOf(folder() / "info" / (name + ".trashinfo"));
}

}  // namespace hartool::test
