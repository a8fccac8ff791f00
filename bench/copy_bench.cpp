// The copies of the main dialog as a player starts them, through the upper-cased "C:\..." path of play:
// COPYDIR of a campaign folder of 100 files of 20 KB into the backup folder, over the read-only copies of an
// earlier run, and "Save Original Files" of the demo game. The floor copies the same files as "cp -p" does
// into a folder of its own and then syncs the file system once, as "sync -f" does.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "core/backup/backup.h"
#include "demo/demogame.h"
#include "floors.h"

namespace {

using namespace hartool;
namespace fs = std::filesystem;

using FilePairs = std::vector<std::pair<std::string, std::string>>;

void copyFloor(const FilePairs& pairs, const fs::path& anywhere) {
    for (const auto& [from, to] : pairs) bench::copyPreserving(from, to);
    bench::syncFileSystem(anywhere.string());
}

void BM_CopyDir(benchmark::State& state) {
    bench::WineGame game;
    game.use();
    const fs::path source = game.native / "Data" / "Battles" / "1stUKArmDiv";
    const fs::path floorTarget = game.native / "Floor";
    fs::create_directories(source);
    fs::create_directories(game.native / "Data" / "Backup");  // made by "Save Original Files" before COPYDIR
    fs::create_directories(floorTarget);
    std::string body;
    while (body.size() < (20 << 10)) body += "PLATOON: 21 4000 6000 0 1 6000 4000 0 1200\r\n";
    body.resize(20 << 10);
    FilePairs pairs;
    const auto files = static_cast<int>(state.range(0));
    for (int i = 0; i < files; ++i) {
        const std::string name = "CAMP" + std::to_string(i);
        std::ofstream(source / name, std::ios::binary) << "TITLE: Mission " << i << "\r\n" << body;
        pairs.emplace_back((source / name).string(), (floorTarget / name).string());
    }
    game.settle();
    const std::string from = game.folders.campaign(kCampaigns[0]);
    const std::string to = game.folders.savedCampaign(kCampaigns[0]);
    bench::alternate(
        state, [] {},
        [&] {
            if (!copyFolder(from, to).ok()) state.SkipWithError("the copy failed");
        },
        [&] { copyFloor(pairs, floorTarget); });
}

void BM_SaveOriginals(benchmark::State& state) {
    bench::WineGame game;
    game.use();
    if (!demo::writeDemoGame(game.native.string())) state.SkipWithError("no demo game");
    const fs::path battles = game.native / "Data" / "Battles";
    const fs::path floorBackup = game.native / "Floor";
    FilePairs pairs;
    for (const Campaign& c : kCampaigns) {
        fs::create_directories(floorBackup / c.folder);
        for (const auto& e : fs::directory_iterator(battles / c.folder))
            if (e.path().filename().string().starts_with("CAMP"))
                pairs.emplace_back(e.path().string(),
                                   (floorBackup / c.folder / e.path().filename()).string());
    }
    fs::create_directories(floorBackup / "Player");
    for (const auto& e : fs::directory_iterator(battles / "Player"))
        if (e.path().filename().string().starts_with("S") && e.path().extension() == ".TXT")
            pairs.emplace_back(e.path().string(), (floorBackup / "Player" / e.path().filename()).string());
    game.settle();
    bench::alternate(
        state, [] {},
        [&] {
            if (!saveOriginals(game.folders).ok()) state.SkipWithError("the save failed");
        },
        [&] { copyFloor(pairs, floorBackup); });
    state.counters["files"] = static_cast<double>(pairs.size());
}

}  // namespace

BENCHMARK(BM_CopyDir)->ArgName("files")->Arg(100)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveOriginals)->UseManualTime()->Unit(benchmark::kMillisecond);
