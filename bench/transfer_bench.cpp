// A refresh of the campaign transfer dialog's lists over a player folder of 2,000 single battles of 50 KB,
// reached through the upper-case game path as the tool holds it, beside the floor: opening every file and
// reading its first line, by its native name. "x_floor" is the refresh's time divided by the floor's.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "floors.h"
#include "game/gamepaths.h"
#include "support/tempdir.h"
#include "transfer/transfer.h"

namespace {

using namespace hartool;

constexpr int kBattles = 2000;
constexpr std::size_t kBattleSize = 50 << 10;

struct PlayerFolder {
    test::TempDir dir;
    GameFolders folders;
    GameFolders exactCase;            // as spelt on disk: no component needs a case-insensitive search
    std::vector<std::string> native;  // every file as the operating system spells it

    PlayerFolder() {
        const std::filesystem::path player = dir.path() / "Harvane" / "Data" / "Battles" / "Player";
        std::filesystem::create_directories(player);
        std::string body;
        while (body.size() < kBattleSize) body += "PLATOON: 17 4000 6000 0 1 6000 4000 0 1200\r\n";
        for (int i = 0; i < kBattles; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "BATTLE%04d.TXT", i);
            const std::filesystem::path file = player / name;
            std::ofstream(file, std::ios::binary) << "TITLE: ORG_UK_Generated_" << i << "\r\n" << body;
            native.push_back(file.string());
        }
        // An installed game's folders have not changed for a while (folders changed just now are never
        // cached).
        const auto settled = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
        for (std::filesystem::path f = player; f != dir.path(); f = f.parent_path())
            std::filesystem::last_write_time(f, settled);
        folders = GameFolders::fromGamePath(PATHOK((dir.path() / "Harvane").string()));
        exactCase = GameFolders::fromGamePath((dir.path() / "Harvane").string() + "/");
    }
};

PlayerFolder& playerFolder() {
    static PlayerFolder folder;
    return folder;
}

double floorSeconds(const PlayerFolder& folder) {
    return bench::firstLineFloorSeconds(folder.native);
}

void BM_FirstLineFloor(benchmark::State& state) {
    PlayerFolder& folder = playerFolder();
    for (auto _ : state) {
        const double seconds = floorSeconds(folder);
        state.SetIterationTime(seconds);
    }
    state.SetItemsProcessed(state.iterations() * kBattles);
}

// state.range(0): 1 through the upper-case game path, as the tool does; 0 through the path as spelt on disk,
// which shows what the case-insensitive resolution of every component costs.
void BM_Refresh(benchmark::State& state) {
    PlayerFolder& folder = playerFolder();
    const GameFolders& folders = state.range(0) ? folder.folders : folder.exactCase;
    double floor = 1e9;
    for (int i = 0; i < 5; ++i) floor = std::min(floor, floorSeconds(folder));
    double best = 1e9;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        MissionLists lists = transferLists(folders, kCampaigns[0], false);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(lists);
        if (lists.fileNames.size() != kBattles) state.SkipWithError("not every battle was listed");
        best = std::min(best, seconds);
        state.SetIterationTime(seconds);
    }
    state.counters["x_floor"] = best / floor;
    state.SetItemsProcessed(state.iterations() * kBattles);
}

}  // namespace

BENCHMARK(BM_FirstLineFloor)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Refresh)
    ->ArgName("upper_case_path")
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
