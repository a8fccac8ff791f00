// The text functions on the tool's hot path, over generated mission-like texts of 64 KB, 1 MB and 16 MB, each
// beside a plain memchr scan of the same bytes in memory: the floor no reader of those bytes can beat.
// "x_floor" is the time of one call divided by the time of that scan. Each size is held in enough copies (64
// MB together) that every call meets its bytes outside the processor caches, as a freshly read file is:
// otherwise the 1 MB text would sit in the L2 cache and the 16 MB one not, and the figures would measure the
// cache.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "core/platform/filesystem.h"
#include "core/text/entries.h"
#include "core/text/sections.h"
#include "support/tempdir.h"

namespace {

using namespace hartool;

// Header entries, platoons with their order blocks and objectives, then the entry the benchmark looks up and
// the briefing part: everything the readers meet in a real mission, in the same proportions.
std::string missionText(std::size_t size) {
    std::string briefing;
    for (int page = 0; page < 5; ++page) {
        briefing +=
            "[Briefing " + std::to_string(page) + "]\r\nHeading = 9, Phase " + std::to_string(page) +
            "\r\nMAP = maps\\area.pcx\r\nText = 1, 1, Hold the ridge until the relief column arrives.\r\n"
            "Line 0 = 10 20 30 40 1\r\nSprite 0 = 160 160 images\\uapc.pcx\r\nLabel 0 = 150 170 Alpha\r\n";
    }
    briefing += "[Misc]\r\ncutscene = intro\r\nsound = wind\r\n";
    const std::string last = "EXTRACTION: 4100 12800 LZ\r\n";

    std::string t =
        "TITLE: Generated Night Raid\r\nSIDE: 0\r\nBATTLESIZE: 16000 16000\r\n"
        "BATTLEFIELD: 0 8000 8000\r\n\r\n";
    t.reserve(size + 256);
    for (int i = 0; t.size() + last.size() + briefing.size() < size; ++i) {
        const std::string x = std::to_string(1000 + i * 37 % 14000),
                          y = std::to_string(2000 + i * 53 % 12000);
        t += "PLATOON: " + std::to_string(17 + i % 120) + " " + x + " " + y + " 0 1 " + y + " " + x + " 0 " +
             std::to_string(1200 + i % 900) + "\r\n";
        if (i % 4 == 0) {
            t += "ORDER_ASMBLY_CHKPT\r\nADDWAYPT: " + y + " " + x +
                 "\r\nORDER_ASMBLY_BATTLEPOS\r\nADDWAYPT: " + x + " " + x + "\r\nSUPPORT\r\n";
        }
        if (i % 25 == 0) t += "OBJECTIVE: RED " + x + " " + y + " 400\r\n";
    }
    return t + last + briefing;
}

constexpr std::size_t kWorkingSet = 64u << 20;

struct Copy {
    std::string text;
    std::string path;
};

struct Sample {
    test::TempDir dir;
    std::vector<Copy> copies;
    std::size_t size = 0;
    double floorSeconds = 0;  // one memchr scan of one copy
};

double timeFloor(const std::vector<Copy>& copies) {
    using Clock = std::chrono::steady_clock;
    const std::size_t reps = std::max<std::size_t>(copies.size(), (256u << 20) / copies[0].text.size());
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        const auto start = Clock::now();
        for (std::size_t i = 0; i < reps; ++i) {
            const std::string& text = copies[i % copies.size()].text;
            benchmark::DoNotOptimize(std::memchr(text.data(), '\0', text.size()));
            benchmark::ClobberMemory();
        }
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count() / reps);
    }
    return best;
}

// Built once per size: Google Benchmark calls each function several times.
const Sample& sample(std::size_t size) {
    static std::map<std::size_t, std::unique_ptr<Sample>> samples;
    auto& s = samples[size];
    if (!s) {
        s = std::make_unique<Sample>();
        const std::string text = missionText(size);
        s->size = text.size();
        const std::size_t count = std::max<std::size_t>(1, kWorkingSet / text.size());
        for (std::size_t i = 0; i < count; ++i)
            s->copies.push_back({text, s->dir.write("MISSION" + std::to_string(i) + ".TXT", text)});
        s->floorSeconds = timeFloor(s->copies);
    }
    return *s;
}

// Runs call(sample) as the benchmark's loop and reports bytes per second and the ratio to the floor.
template <class Call>
void measure(benchmark::State& state, Call call) {
    const Sample& s = sample(static_cast<std::size_t>(state.range(0)));
    std::size_t next = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        call(s.copies[next]);
        if (++next == s.copies.size()) next = 0;
    }
    const double perCall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / state.iterations();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * s.size));
    state.counters["x_floor"] = perCall / s.floorSeconds;
}

void BM_MemchrFloor(benchmark::State& state) {
    measure(state, [](const Copy& s) {
        benchmark::DoNotOptimize(std::memchr(s.text.data(), '\0', s.text.size()));
        benchmark::ClobberMemory();
    });
}

// For comparison: what every reader would cost if it read the whole file first.
void BM_ReadWholeFile(benchmark::State& state) {
    measure(state, [](const Copy& s) { benchmark::DoNotOptimize(platform::readFile(s.path)); });
}

// Of a text the caller keeps: the copy TXT2TOKEN then takes is counted too.
void BM_Txt2Token(benchmark::State& state) {
    measure(state, [](const Copy& s) { benchmark::DoNotOptimize(TXT2TOKEN(s.text).ANZAHL()); });
}

void BM_GetEntryNearTheEnd(benchmark::State& state) {
    measure(state, [](const Copy& s) { benchmark::DoNotOptimize(GETENTRY(s.path, "extraction", 3)); });
}

void BM_GetSectionLast(benchmark::State& state) {
    measure(state, [](const Copy& s) { benchmark::DoNotOptimize(GETSECTION(s.path, "briefing 4")); });
}

void BM_GetTitle(benchmark::State& state) {
    measure(state, [](const Copy& s) { benchmark::DoNotOptimize(GETTITLE(s.path)); });
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(64 << 10)->Arg(1 << 20)->Arg(16 << 20);
}

}  // namespace

BENCHMARK(BM_MemchrFloor)->Apply(Sizes);
BENCHMARK(BM_ReadWholeFile)->Apply(Sizes);
BENCHMARK(BM_Txt2Token)->Apply(Sizes);
BENCHMARK(BM_GetEntryNearTheEnd)->Apply(Sizes);
BENCHMARK(BM_GetSectionLast)->Apply(Sizes);
BENCHMARK(BM_GetTitle)->Apply(Sizes);
