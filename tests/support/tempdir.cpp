#include "support/tempdir.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace hartool::test {

TempDir::TempDir() {
    std::random_device rd;
    std::mt19937_64 rng((static_cast<unsigned long long>(rd()) << 32) ^ rd());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::ostringstream name;
        name << "hartool-test-" << std::hex << rng();
        fs::path candidate = fs::temp_directory_path() / name.str();
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

void removeTree(const fs::path& folder) {
    std::error_code ec;
    // Read-only files inside are no obstacle: give write access back first.
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(folder, ec);
}

TempDir::~TempDir() {
    removeTree(path_);
}

std::string TempDir::folder() const {
    return path_.string() + "/";
}

std::string TempDir::write(const std::string& relative, const std::string& content) const {
    fs::path target = path_ / relative;
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out << content;
    return target.string();
}

std::string TempDir::read(const std::string& relative) const {
    std::ifstream in(path_ / relative, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool TempDir::exists(const std::string& relative) const {
    return fs::exists(path_ / relative);
}

}  // namespace hartool::test
