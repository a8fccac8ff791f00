// "analyze --all" of the command-line program over a player folder of 50 and 500 missions of the demo's size,
// each with its briefing part, reached through the upper-cased "C:\..." path of play. The floor is the single
// analysis's, summed: each mission read and split at line feeds, and its analysed bytes stored durably. The
// missions hold the graphics of an earlier analysis, as after the untimed first round; every round then reads
// and writes the same bytes. The peak memory is taken in a process of its own at both counts, so that its
// growth with the count shows.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "demo/demogame.h"
#include "floors.h"

namespace {

using namespace hartool;

struct AllMissionsGame {
    bench::WineGame game;
    std::filesystem::path player, floorFolder;
    std::vector<std::string> missions;  // native paths
    std::vector<std::string> analysed;  // each mission's bytes after an analysis
    std::size_t bytes = 0;

    explicit AllMissionsGame(std::size_t count) {
        game.use();
        if (!demo::writeDemoGame(game.native.string() + "/")) return;
        player = game.native / "Data" / "Battles" / "Player";
        floorFolder = game.native / "Floor";
        std::filesystem::create_directories(floorFolder);
        for (const auto& e : std::filesystem::directory_iterator(player)) std::filesystem::remove(e.path());
        // The demo's first mission, under a title of its own.
        const std::string demoMission = demo::playerFiles().front().content;
        const std::string body = demoMission.substr(demoMission.find("\r\n") + 2);
        for (std::size_t i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "S%04zu.TXT", i);
            missions.push_back((player / name).string());
            bench::storeDurably(missions.back(),
                                "TITLE: Generated mission " + std::to_string(i) + "\r\n" + body);
        }
        game.settle();
    }
    // The analysis as the player starts it; its exit status.
    int analyzeAll() const {
        std::ostringstream result, messages;
        return cli::run({"analyze", "--all", "--quiet"}, "", result, messages, false);
    }
    void takeAnalysed() {
        analysed.clear();
        bytes = 0;
        for (const std::string& m : missions) {
            analysed.push_back(bench::readRaw(m));
            bytes += analysed.back().size();
        }
    }
};

void BM_AnalyzeAll(benchmark::State& state) {
    AllMissionsGame g(static_cast<std::size_t>(state.range(0)));
    if (g.missions.empty() || g.analyzeAll() != cli::kAllDone) {
        state.SkipWithError("the analysis failed");
        return;
    }
    g.takeAnalysed();
    bench::alternate(
        state, [] {},
        [&] {
            if (g.analyzeAll() != cli::kAllDone) state.SkipWithError("the analysis failed");
        },
        [&] {
            for (std::size_t i = 0; i < g.missions.size(); ++i) {
                const std::string text = bench::readRaw(g.missions[i]);
                benchmark::DoNotOptimize(bench::splitLines(text));
                bench::storeDurably((g.floorFolder / std::to_string(i)).string(), g.analysed[i]);
            }
        });
    state.counters["missions_KB"] = static_cast<double>(g.bytes) / 1024;
}

// The largest process size of "analyze --all" in a process of its own (this program, started with
// --analyze-all-once): the same at both counts when the missions are done one at a time.
void BM_AnalyzeAllPeakMemory(benchmark::State& state) {
    AllMissionsGame g(static_cast<std::size_t>(state.range(0)));
    double peakMB = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double peak = bench::peakOfChild({"--analyze-all-once"}, (g.game.dir.path() / "peak").string());
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (peak == 0) state.SkipWithError("the analysis failed");
        peakMB = std::max(peakMB, peak);
    }
    state.counters["peak_MB"] = peakMB;
}

}  // namespace

BENCHMARK(BM_AnalyzeAll)
    ->ArgName("missions")
    ->Arg(50)
    ->Arg(500)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalyzeAllPeakMemory)
    ->ArgName("missions")
    ->Arg(50)
    ->Arg(500)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

namespace hartool::bench {

// The one "analyze --all" of BM_AnalyzeAllPeakMemory's child process, in the Wine prefix it inherits.
int analyzeAllOnce() {
    std::ostringstream result, messages;
    return cli::run({"analyze", "--all", "--quiet"}, "", result, messages, false);
}

}  // namespace hartool::bench
