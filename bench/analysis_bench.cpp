// ANALYZE of a generated mission (2,000 platoons, 200 flights of 20 waypoints, 200 objectives) and of one ten
// times its size, each beside the floor of reading and splitting the same file into lines and the floor of
// storing the briefing it writes (about five times the mission's size, synced to disk). Compare the two sizes
// of one row for the growth.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "analysis/missionsupport.h"
#include "briefing/briefsupport.h"
#include "platform/filesystem.h"
#include "support/tempdir.h"
#include "text/entries.h"

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

struct Files {
    test::TempDir dir;
    std::string mission;
    std::string briefing;
    std::size_t briefingBytes = 0;
    double readSplitSeconds = 0;  // floor: read the mission and split it into lines
    double storeSeconds = 0;      // floor: store the bytes ANALYZE stores, with the same atomic write
};

template <class Call>
double bestOf(int runs, Call call) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        call();
        best =
            std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// Built once per size, floors included, so that every row of a run is compared with the same floors.
Files& files(int scale) {
    static std::unique_ptr<Files> held[11];
    if (!held[scale]) {
        auto f = std::make_unique<Files>();
        f->mission = f->dir.write("M.TXT", generatedMission(scale));
        // Pages with text, so that the write carries every graphics entry.
        std::string pages;
        for (const char* side : {"Blue_Briefing", "Red_Briefing"})
            for (int n = 0; n < 5; ++n)
                pages += "[" + std::string(side) + " " + std::to_string(n) + "]\r\nHeading = 9, Phase " +
                         std::to_string(n) + "\r\nMAP = maps\\gen.pcx\r\nText = 1, 1, Hold the ridge.\r\n";
        f->briefing = f->dir.write("B.TXT", pages);
        f->readSplitSeconds = bestOf(200 / scale, [&] {
            Token lines = TXT2TOKEN(platform::readFile(f->mission));
            benchmark::DoNotOptimize(lines.ANZAHL());
        });
        const std::string pristine = platform::readFile(f->briefing);
        {
            BriefSupport b(f->briefing);
            MissionSupport m(f->mission);
            m.READNAT();
            m.ANALYZE(b);
        }
        const std::string stored = platform::readFile(f->briefing);
        f->briefingBytes = stored.size();
        f->storeSeconds =
            bestOf(100 / scale, [&] { benchmark::DoNotOptimize(platform::writeFile(f->briefing, stored)); });
        platform::writeFile(f->briefing, pristine);
        held[scale] = std::move(f);
    }
    return *held[scale];
}

// Runs call as the benchmark's loop; x_floor is one call over the read-and-split floor, x_floors over that
// floor plus the floor of storing the briefing.
template <class Call>
void measure(benchmark::State& state, Call call) {
    const Files& f = files(static_cast<int>(state.range(0)));
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) call(f);
    const double perCall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / state.iterations();
    state.counters["x_floor"] = perCall / f.readSplitSeconds;
    state.counters["x_floors"] = perCall / (f.readSplitSeconds + f.storeSeconds);
    state.counters["mission_KB"] = static_cast<double>(platform::readFile(f.mission).size()) / 1024;
    state.counters["briefing_KB"] = static_cast<double>(f.briefingBytes) / 1024;
}

void BM_ReadAndSplitFloor(benchmark::State& state) {
    measure(state, [](const Files& f) {
        Token lines = TXT2TOKEN(platform::readFile(f.mission));
        benchmark::DoNotOptimize(lines.ANZAHL());
    });
}

void BM_StoreBriefingFloor(benchmark::State& state) {
    const std::string bytes(files(static_cast<int>(state.range(0))).briefingBytes, 'x');
    measure(state, [&](const Files& f) { benchmark::DoNotOptimize(platform::writeFile(f.briefing, bytes)); });
}

void BM_Analyze(benchmark::State& state) {
    BriefSupport b(files(static_cast<int>(state.range(0))).briefing);
    measure(state, [&](const Files& f) {
        MissionSupport m(f.mission);
        m.READNAT();
        platform::Status st = m.ANALYZE(b);
        if (!st) state.SkipWithError(st.error.c_str());
        benchmark::DoNotOptimize(b.BLUEBRIEFARRAY().size());
    });
}

// ANALYZE's steps without storing the briefing, which belongs to the briefing model.
void BM_AnalyzeWithoutStore(benchmark::State& state) {
    BriefSupport b(files(static_cast<int>(state.range(0))).briefing);
    measure(state, [&](const Files& f) {
        MissionSupport m(f.mission);
        m.READNAT();
        m.READSIDE();
        m.READDIMENSIONS();
        m.READWP();
        m.READUNITS();
        m.READOBJECTIVES();
        m.GRAPHWP(b);
        m.GRAPHOBJECTIVES(b);
        m.GRAPHUNITS(b);
        benchmark::DoNotOptimize(b.BLUEBRIEFARRAY().size());
    });
}

void Scales(benchmark::internal::Benchmark* b) {
    b->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_ReadAndSplitFloor)->Apply(Scales);
BENCHMARK(BM_StoreBriefingFloor)->Apply(Scales);
BENCHMARK(BM_Analyze)->Apply(Scales);
BENCHMARK(BM_AnalyzeWithoutStore)->Apply(Scales);
