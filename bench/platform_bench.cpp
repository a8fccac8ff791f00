// The platform layer under the tool's typical load: a player folder of a few thousand missions reached
// through the upper-case game path, whose every component differs in case from the disk.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "core/platform/filesystem.h"
#include "support/tempdir.h"

namespace {

using namespace hartool::platform;

struct PlayerFolder {
    hartool::test::TempDir dir;
    std::string exact;  // as spelt on disk
    std::string upper;  // as the tool spells it after upper-casing the game path
    explicit PlayerFolder(int files) {
        std::filesystem::create_directories(dir.path() / "Data/Battles/Player");
        for (int i = 0; i < files; ++i) {
            std::ofstream(dir.path() / ("Data/Battles/Player/Battle" + std::to_string(i) + ".txt"))
                << "TITLE: Mission " << i << "\r\n";
        }
        // An installed game's folders have not changed for a while (folders changed just now are never
        // cached).
        const auto settled = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
        for (const char* f : {"Data/Battles/Player", "Data/Battles", "Data"})
            std::filesystem::last_write_time(dir.path() / f, settled);
        exact = dir.folder() + "Data/Battles/Player/";
        upper = dir.folder() + "DATA\\BATTLES\\PLAYER\\";
    }
};

void BM_ResolveExactCase(benchmark::State& state) {
    PlayerFolder folder(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(fileSystem().nativePath(folder.exact + "Battle7.txt"));
}

void BM_ResolveOtherCase(benchmark::State& state) {
    PlayerFolder folder(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(fileSystem().nativePath(folder.upper + "BATTLE7.TXT"));
}

void BM_ListMask(benchmark::State& state) {
    PlayerFolder folder(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(listFiles(folder.upper + "BATTLE*.TXT"));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ReadFile(benchmark::State& state) {
    hartool::test::TempDir dir;
    std::string path = dir.write("big.txt", std::string(static_cast<std::size_t>(state.range(0)), 'x'));
    for (auto _ : state) benchmark::DoNotOptimize(readFile(path));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_ResolveExactCase)->Arg(2000);
BENCHMARK(BM_ResolveOtherCase)->Arg(100)->Arg(2000);
BENCHMARK(BM_ListMask)->Arg(2000);
BENCHMARK(BM_ReadFile)->Arg(64 << 10)->Arg(16 << 20);
