// READDATA of the campaign transfer dialog over a player folder of 2,000 single battles of 50 KB, reached
// through the upper-cased "C:\..." path of play, beside the floor: list the folder, sort, open each file and
// read its first line.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/transfer/transfer.h"
#include "floors.h"

namespace {

using namespace hartool;

constexpr std::size_t kBattleSize = 50 << 10;

void BM_TransferLists(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    bench::WineGame game;
    game.use();
    const std::filesystem::path player = game.native / "Data" / "Battles" / "Player";
    std::filesystem::create_directories(player);
    std::string body;
    while (body.size() < kBattleSize) body += "PLATOON: 17 4000 6000 0 1 6000 4000 0 1200\r\n";
    for (std::size_t i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "BATTLE%04zu.TXT", i);
        std::ofstream(player / name, std::ios::binary) << "TITLE: ORG_UK_Generated_" << i << "\r\n" << body;
    }
    game.settle();
    bench::alternate(
        state, [] {},
        [&] {
            MissionLists lists = transferLists(game.folders, kCampaigns[0], false);
            if (lists.fileNames.size() != count) state.SkipWithError("not every battle was listed");
            benchmark::DoNotOptimize(lists);
        },
        [&] { benchmark::DoNotOptimize(bench::firstLinesFloor(player.string())); });
}

}  // namespace

BENCHMARK(BM_TransferLists)->ArgName("files")->Arg(2000)->UseManualTime()->Unit(benchmark::kMillisecond);
