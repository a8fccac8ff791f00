// ANALYZE as a player starts it (read the briefing, read the mission, analyse, store the briefing) over a
// generated mission of 2,000 platoons (185 KB, writing a briefing of 925 KB) and ten and a hundred times
// that, into a briefing of pages only and into one that already holds the graphics of an earlier analysis.
// The floor reads the mission, splits it at line feeds and stores the briefing's bytes durably. Every
// benchmark has a game of its own; the peak memory of one analysis of the largest mission is taken in a
// process of its own.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/missions/briefingfiles.h"
#include "floors.h"

namespace {

using namespace hartool;

std::string generatedMission(int scale) {
    const int platoons = 2000 * scale, flights = 200 * scale, objectives = 200 * scale;
    std::string t =
        "TITLE: Generated Analysis\r\nSIDE: 0\r\nBATTLESIZE: 20000 12000\r\nBATTLEFIELD: Gen 5000 7000\r\n";
    static constexpr const char* kRings[] = {"KRADIUS_ONE", "KRADIUS_TWO", "KRADIUS_THREE"};
    for (int i = 0; i < objectives; ++i) {
        const std::string xy = std::to_string(i * 37 % 18000) + " " + std::to_string(i * 53 % 11000);
        t += std::string("OBJECTIVE: ") + (i % 2 ? "RED " : "BLUE ");
        if (i % 4 == 0)
            t += "SECTOR " + xy + " " + xy + " 13\r\n";
        else if (i % 4 == 1)
            t += "PHASE_LINE " + xy + " " + xy + " 5\r\n";
        else
            t += std::string(kRings[i % 3]) + " " + xy + " " + std::to_string(14 + i % 20) + "\r\n";
    }
    static constexpr int kHelos[] = {21, 18, 129, 130, 62, 128};
    static constexpr const char* kOrders[] = {"ORDER_ASMBLY_ASSMBLY", "ORDER_ASMBLY_BATTLEPOS",
                                              "ORDER_ASMBLY_PATROL", "ORDER_ASMBLY_LZ"};
    for (int f = 0; f < flights; ++f) {
        const std::string xy = std::to_string(f * 41 % 18000) + " " + std::to_string(f * 29 % 11000);
        t += "PLATOON: " + std::to_string(kHelos[f % 6]) + " " + xy + " 0 2 " + xy + " 2 " +
             std::to_string(100 * (1 + f % 31) + 1) + "\r\n";
        for (int w = 1; w < 20; ++w) {
            t += "ADDWAYPT: " + std::to_string((f * 41 + w * 300) % 18000) + " " +
                 std::to_string((f * 29 + w * 200) % 11000) + "\r\n";
            if (w % 5 == 0) t += std::string(kOrders[(f + w) % 4]) + "\r\n";
        }
        t += "SUPPORT: 82 1\r\n";
    }
    static constexpr int kUnits[] = {1, 3, 6, 25, 35, 43, 44, 70, 8, 57};
    for (int i = 0; i < platoons - flights; ++i) {
        const std::string xy = std::to_string(i * 61 % 18000) + " " + std::to_string(i * 43 % 11000);
        t += "PLATOON: " + std::to_string(kUnits[i % 10]) + " " + xy + " 90 4 " + xy + " 2 0\r\n";
    }
    return t;
}

// Pages with text, so that the write carries every graphics entry.
std::string pagesOnly() {
    std::string pages;
    for (const char* side : {"Blue_Briefing", "Red_Briefing"})
        for (int n = 0; n < 5; ++n)
            pages += "[" + std::string(side) + " " + std::to_string(n) + "]\r\nHeading = 9, Phase " +
                     std::to_string(n) + "\r\nMAP = maps\\gen.pcx\r\nText = 1, 1, Hold the ridge.\r\n";
    return pages;
}

// On disk before a round starts, so that neither the tool's sync nor the floor's pays for writing it.
void writeRaw(const std::filesystem::path& file, const std::string& bytes) {
    bench::storeDurably(file.string(), bytes);
}

struct AnalysisGame {
    bench::WineGame game;
    std::string mission, briefing;  // as the tool spells them
    std::filesystem::path nativeMission, nativeBriefing, floorOutput;
    std::string pristine, analysed;  // the briefing before and after an analysis
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
        state, [&] { writeRaw(g.nativeBriefing, before); },
        [&] {
            const Report r = analyzeBriefing(g.mission, g.briefing);
            if (!r.ok()) state.SkipWithError("the analysis failed");
        },
        [&] {
            const std::string text = bench::readRaw(g.nativeMission.string());
            benchmark::DoNotOptimize(bench::splitLines(text));
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
        const pid_t child = ::fork();
        if (child == 0) {
            const char* self = "/proc/self/exe";
            ::execl(self, self, "--analyze-once", g.mission.c_str(), g.briefing.c_str(), nullptr);
            ::_exit(127);
        }
        int status = 0;
        struct rusage usage {};
        ::wait4(child, &status, 0, &usage);
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("the analysis failed");
        peakMB = std::max(peakMB, static_cast<double>(usage.ru_maxrss) / 1024);
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
