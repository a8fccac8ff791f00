#pragma once

// Floors the benchmarks compare the tool with: the physical minimum of the same work.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace hartool::bench {

// Seconds to open each file by its native name and read its first line.
inline double firstLineFloorSeconds(const std::vector<std::string>& nativeFiles) {
    const auto start = std::chrono::steady_clock::now();
    char line[256];
    for (const std::string& path : nativeFiles) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) continue;
        benchmark::DoNotOptimize(std::fgets(line, sizeof line, f));
        std::fclose(f);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace hartool::bench
