#include "support/gamefolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "core/platform/codepage.h"
#include "demo/demogame.h"

namespace fs = std::filesystem;

namespace hartool::test {

namespace {

// The test's game folder name is mixed case, so that the upper-cased game path needs case-insensitive
// resolution all the way down.
constexpr const char* kGameFolderName = "Harvane";

// The demo game is written once and copied for each test: its writer makes every file durable, which would
// cost most of a test's time, many times over. Under ctest the run's fixture has written it already
// (tests/CMakeLists.txt); a program run by hand writes its own, once.
const fs::path& demoGameOriginal() {
    static std::unique_ptr<TempDir> folder;
    static const fs::path game = [] {
        if (const char* written = std::getenv("HARTOOL_TEST_DEMO_GAME"); written && *written) {
            if (!fs::is_directory(written))
                throw std::runtime_error(std::string("the run's demo game is missing: ") + written);
            return fs::path(written);
        }
        folder = std::make_unique<TempDir>();
        const fs::path path = folder->path() / kGameFolderName;
        if (platform::Status st = demo::writeDemoGame(path.string()); !st)
            throw std::runtime_error("cannot write the demo game: " + st.error);
        return path;
    }();
    return game;
}

}  // namespace

GameFolder::GameFolder(const std::string& below) {
    game_ = temp_.path() / fs::path(std::u8string(below.begin(), below.end())) / kGameFolderName;
    const fs::path& game = game_;
    const std::u8string spelt = game.u8string();
    nativeFolder_ = std::string(spelt.begin(), spelt.end()) + "/";
    gamePath_ = PATHOK(std::string(spelt.begin(), spelt.end()));
    folders_ = GameFolders::fromGamePath(gamePath_);
    try {
        fs::create_directories(game.parent_path());
        fs::copy(demoGameOriginal(), game, fs::copy_options::recursive);
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
        throw;
    }
}

std::string GameFolder::nativePath(const std::string& relative) const {
    fs::path current = game_;
    std::string name;
    auto step = [&current](const std::string& component) {
        std::error_code ec;
        if (fs::exists(current / component, ec)) {
            current /= component;
            return;
        }
        std::vector<std::string> names;
        for (auto it = fs::directory_iterator(current, ec); !ec && it != fs::directory_iterator();
             it.increment(ec))
            names.push_back(it->path().filename().string());
        std::sort(names.begin(), names.end());
        auto match = std::find_if(names.begin(), names.end(),
                                  [&](const std::string& n) { return platform::iequals1252(n, component); });
        current /= match != names.end() ? *match : component;
    };
    for (char c : relative) {
        if (c == '\\' || c == '/') {
            if (!name.empty()) step(name);
            name.clear();
        } else {
            name += c;
        }
    }
    if (!name.empty()) step(name);
    return current.string();
}

bool GameFolder::exists(const std::string& relative) const {
    std::error_code ec;
    return fs::exists(nativePath(relative), ec);
}

std::string GameFolder::read(const std::string& relative) const {
    std::ifstream in(nativePath(relative), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void GameFolder::write(const std::string& relative, const std::string& content) const {
    const fs::path target = nativePath(relative);
    fs::create_directories(target.parent_path());
    std::error_code ec;
    if (fs::exists(target, ec)) fs::permissions(target, fs::perms::owner_write, fs::perm_options::add, ec);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out.flush()) ADD_FAILURE() << "cannot write " << target;
}

void GameFolder::remove(const std::string& relative) const {
    std::error_code ec;
    fs::remove(nativePath(relative), ec);
}

bool GameFolder::isReadOnly(const std::string& relative) const {
    std::error_code ec;
    const fs::perms p = fs::status(nativePath(relative), ec).permissions();
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return !ec && (p & anyWrite) == fs::perms::none;
}

std::vector<std::string> GameFolder::files(const std::string& relativeFolder) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (auto it = fs::directory_iterator(nativePath(relativeFolder), ec);
         !ec && it != fs::directory_iterator(); it.increment(ec))
        if (it->is_regular_file(ec)) names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::map<std::string, std::string> GameFolder::snapshot() const {
    std::map<std::string, std::string> all;
    for (const auto& e : fs::recursive_directory_iterator(nativeFolder_)) {
        const std::string rel = fs::relative(e.path(), nativeFolder_).string();
        all[rel] = e.is_directory() ? "<folder>" : read(rel) + (isReadOnly(rel) ? "<ro>" : "");
    }
    return all;
}

}  // namespace hartool::test
