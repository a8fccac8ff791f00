// The mission tools' list over a player folder of 2,000 missions of 50 KB, reached through the upper-cased
// "C:\..." path of play, beside the floor: list the folder, sort, open each file and read its first line.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/missions/missions.h"
#include "floors.h"

namespace {

using namespace hartool;

constexpr std::size_t kMissionSize = 50 << 10;

void BM_MissionList(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    bench::WineGame game;
    game.use();
    const std::filesystem::path player = game.native / "Data" / "Battles" / "Player";
    std::filesystem::create_directories(player);
    std::string body = "SIDE: 0\r\n";
    while (body.size() < kMissionSize) body += "PLATOON: 21 4000 6000 0 1 6000 4000 0 1200\r\n";
    for (std::size_t i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "S%04zu.TXT", i);
        // Titles in another order than the names, so the sort has work to do.
        std::ofstream(player / name, std::ios::binary)
            << "TITLE: Generated mission " << (count - i) * 7919 % count << "\r\n"
            << body;
    }
    game.settle();
    bench::alternate(
        state, [] {},
        [&] {
            MissionList list = readMissionList(game.folders.player);
            if (list.fileNames.size() != count) state.SkipWithError("not every mission was listed");
            benchmark::DoNotOptimize(list);
        },
        [&] { benchmark::DoNotOptimize(bench::firstLinesFloor(player.string())); });
}

}  // namespace

BENCHMARK(BM_MissionList)->ArgName("missions")->Arg(2000)->UseManualTime()->Unit(benchmark::kMillisecond);
