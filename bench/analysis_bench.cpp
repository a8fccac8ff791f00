// ANALYZE as a player starts it (read the briefing, read the mission, analyse, store the briefing) over a
// generated mission of 2,000 platoons (185 KB, writing a briefing of 925 KB) and ten and a hundred times
// that, into a briefing of pages only and into one that already holds the graphics of an earlier analysis.
// The floor reads the mission, splits it at line feeds, reads the briefing as it was and stores the new
// briefing's bytes durably. Every
// benchmark has a game of its own; the peak memory of one analysis of the largest mission is taken in a
// process of its own.
#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <string>

#include "core/missions/briefingfiles.h"
#include "floors.h"
#include "support/generatedmission.h"

namespace {

using namespace hartool;
using test::generatedMission;
using test::pagesOnly;

// On disk before a round starts, so that neither the tool's sync nor the floor's pays for writing it.
void writeRaw(const std::filesystem::path& file, const std::string& bytes) {
    bench::storeDurably(file.string(), bytes);
}

struct AnalysisGame {
    bench::WineGame game;
    std::string mission, briefing;  // as the tool spells them
    std::filesystem::path nativeMission, nativeBriefing, floorOutput;
    std::filesystem::path floorBriefing;  // the briefing as the tool finds it, for the floor to read
    std::string pristine, analysed;       // the briefing before and after an analysis
    std::size_t missionBytes = 0;

    explicit AnalysisGame(int scale) {
        game.use();
        const std::filesystem::path player = game.native / "Data" / "Battles" / "Player";
        const std::filesystem::path briefings = game.native / "Data" / "Backup" / "Briefings";
        std::filesystem::create_directories(player);
        std::filesystem::create_directories(briefings);
        nativeMission = player / "S0001.TXT";
        nativeBriefing = briefings / "Generated.txt";
        floorOutput = briefings / "Floor.txt";
        floorBriefing = briefings / "FloorOld.txt";
        const std::string text = generatedMission(scale);
        missionBytes = text.size();
        writeRaw(nativeMission, text);
        pristine = pagesOnly();
        writeRaw(nativeBriefing, pristine);
        game.settle();
        mission = game.folders.player + "S0001.TXT";
        briefing = game.folders.briefings + "GENERATED.TXT";
        analyzeBriefing(mission, briefing);
        analysed = bench::readRaw(nativeBriefing.string());
    }
};

// range(0): the mission's scale; range(1): 1 when the briefing holds graphics already.
void BM_Analyze(benchmark::State& state) {
    AnalysisGame g(static_cast<int>(state.range(0)));
    const std::string& before = state.range(1) ? g.analysed : g.pristine;
    bench::alternate(
        state,
        [&] {
            writeRaw(g.nativeBriefing, before);
            writeRaw(g.floorBriefing, before);
        },
        [&] {
            const Report r = analyzeBriefing(g.mission, g.briefing);
            if (!r.ok()) state.SkipWithError("the analysis failed");
        },
        [&] {
            const std::string text = bench::readRaw(g.nativeMission.string());
            benchmark::DoNotOptimize(bench::splitLines(text));
            benchmark::DoNotOptimize(bench::readRaw(g.floorBriefing.string()).size());
            bench::storeDurably(g.floorOutput.string(), g.analysed);
        });
    state.counters["mission_KB"] = static_cast<double>(g.missionBytes) / 1024;
    state.counters["briefing_KB"] = static_cast<double>(g.analysed.size()) / 1024;
}

// The largest process size while one analysis runs in a process of its own (this program, started with
// --analyze-once), beside the floor of the bytes read plus written.
void BM_AnalyzePeakMemory(benchmark::State& state) {
    AnalysisGame g(static_cast<int>(state.range(0)));
    const double floorMB = static_cast<double>(g.missionBytes + g.analysed.size()) / (1 << 20);
    double peakMB = 0;
    for (auto _ : state) {
        writeRaw(g.nativeBriefing, g.pristine);
        const auto start = std::chrono::steady_clock::now();
        const double peak = bench::peakOfChild({"--analyze-once", g.mission, g.briefing},
                                               (g.game.dir.path() / "peak").string());
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (peak == 0) state.SkipWithError("the analysis failed");
        peakMB = std::max(peakMB, peak);
    }
    state.counters["peak_MB"] = peakMB;
    state.counters["floor_MB"] = floorMB;
    state.counters["x_floor"] = peakMB / floorMB;
}

void Analyses(benchmark::internal::Benchmark* b) {
    b->ArgNames({"scale", "graphics"})->UseManualTime()->Unit(benchmark::kMillisecond);
    for (int graphics : {0, 1}) {
        b->Args({1, graphics})->Args({10, graphics});
    }
}

}  // namespace

BENCHMARK(BM_Analyze)->Apply(Analyses);
// A hundred times the mission: a few rounds say enough about the growth.
BENCHMARK(BM_Analyze)
    ->ArgNames({"scale", "graphics"})
    ->Args({100, 0})
    ->Args({100, 1})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalyzePeakMemory)
    ->ArgName("scale")
    ->Arg(100)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

namespace hartool::bench {

// The one analysis of BM_AnalyzePeakMemory's child process.
int analyzeOnce(const char* mission, const char* briefing) {
    return analyzeBriefing(mission, briefing).ok() ? 0 : 1;
}

}  // namespace hartool::bench
