// The mission tools' list reading over a player folder of 200 or 2,000 missions of 50 KB, reached through the
// upper-case game path as the tool holds it, beside the floor: opening every file and reading its first line,
// by its native name. Each round times the floor and then the reading; "x_floor" is the median of the rounds'
// ratios, "floor_ms" and "list_ms" the medians of the two times.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "floors.h"
#include "game/gamepaths.h"
#include "missiontools/missions.h"
#include "support/tempdir.h"

namespace {

using namespace hartool;

constexpr std::size_t kMissionSize = 50 << 10;

struct PlayerFolder {
    test::TempDir dir;
    GameFolders folders;
    std::vector<std::string> native;

    explicit PlayerFolder(int count) {
        const std::filesystem::path player = dir.path() / "Harvane" / "Data" / "Battles" / "Player";
        std::filesystem::create_directories(player);
        std::string body = "SIDE: 0\r\n";
        while (body.size() < kMissionSize) body += "PLATOON: 21 4000 6000 0 1 6000 4000 0 1200\r\n";
        for (int i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "S%04d.TXT", i);
            const std::filesystem::path file = player / name;
            // Titles in another order than the names, so the sort has work to do.
            std::ofstream(file, std::ios::binary)
                << "TITLE: Generated mission " << (count - i) * 7919 % count << "\r\n"
                << body;
            native.push_back(file.string());
        }
        // An installed game's folders have not changed for a while (folders changed just now are never
        // cached).
        const auto settled = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
        for (std::filesystem::path f = player; f != dir.path(); f = f.parent_path())
            std::filesystem::last_write_time(f, settled);
        folders = GameFolders::fromGamePath(PATHOK((dir.path() / "Harvane").string()));
    }
};

PlayerFolder& playerFolder(int count) {
    static std::map<int, std::unique_ptr<PlayerFolder>> folders;
    auto& folder = folders[count];
    if (!folder) folder = std::make_unique<PlayerFolder>(count);
    return *folder;
}

double floorSeconds(const PlayerFolder& folder) {
    return bench::firstLineFloorSeconds(folder.native);
}

void BM_MissionFloor(benchmark::State& state) {
    PlayerFolder& folder = playerFolder(static_cast<int>(state.range(0)));
    for (auto _ : state) state.SetIterationTime(floorSeconds(folder));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void BM_MissionList(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    PlayerFolder& folder = playerFolder(static_cast<int>(count));
    std::vector<double> floors, lists, ratios;
    for (auto _ : state) {
        const double floor = floorSeconds(folder);
        const auto start = std::chrono::steady_clock::now();
        MissionList list = readMissionList(folder.folders.player);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(list);
        if (list.fileNames.size() != count) state.SkipWithError("not every mission was listed");
        floors.push_back(floor);
        lists.push_back(seconds);
        ratios.push_back(seconds / floor);
        state.SetIterationTime(seconds);
    }
    state.counters["x_floor"] = median(ratios);
    state.counters["floor_ms"] = median(floors) * 1e3;
    state.counters["list_ms"] = median(lists) * 1e3;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_MissionFloor)
    ->ArgName("missions")
    ->Arg(200)
    ->Arg(2000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MissionList)
    ->ArgName("missions")
    ->Arg(200)
    ->Arg(2000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
