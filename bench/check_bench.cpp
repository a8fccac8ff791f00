// Checking the demo game's player folder grown to 2,000 missions of 50 KB, each with its briefing part,
// reached through the upper-cased "C:\..." path of play, beside the floor: list the folder and read every
// file once. With one thread and with two (what a machine of two cores gets); the floor has one.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/check/check.h"
#include "demo/demogame.h"
#include "floors.h"

namespace {

using namespace hartool;

constexpr std::size_t kMissionSize = 50 << 10;

void BM_CheckMissions(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    CheckOptions options;
    options.threads = static_cast<std::size_t>(state.range(1));
    bench::WineGame game;
    game.use();
    if (!demo::writeDemoGame(game.native.string() + "/")) state.SkipWithError("no demo game");
    const std::filesystem::path player = game.native / "Data" / "Battles" / "Player";
    // The demo's first mission, its units repeated until it weighs 50 KB.
    const std::string demoMission = demo::playerFiles().front().content;
    const std::size_t briefingAt = demoMission.find('[');
    const std::size_t bodyAt = demoMission.find("\r\n") + 2;
    std::string body = demoMission.substr(bodyAt, briefingAt - bodyAt);
    const std::string units = body.substr(body.find("PLATOON"));
    while (body.size() + units.size() + (demoMission.size() - briefingAt) < kMissionSize) body += units;
    const std::string briefing = demoMission.substr(briefingAt);
    for (std::size_t i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "S%04zu.TXT", i);
        std::ofstream(player / name, std::ios::binary) << "TITLE: Generated mission " << i << "\r\n"
                                                       << body << briefing;
    }
    game.settle();
    bench::alternate(
        state, [] {},
        [&] {
            const std::vector<Finding> findings = checkMissions(game.folders, options);
            if (anyErrors(findings)) state.SkipWithError(findingsText(findings).substr(0, 400).c_str());
            benchmark::DoNotOptimize(findings);
        },
        [&] {
            std::size_t bytes = 0;
            for (const auto& e : std::filesystem::directory_iterator(player))
                bytes += bench::readRaw(e.path().string()).size();
            benchmark::DoNotOptimize(bytes);
        });
}

}  // namespace

BENCHMARK(BM_CheckMissions)
    ->ArgNames({"missions", "threads"})
    ->Args({2000, 1})
    ->Args({2000, 2})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
