// The benchmarks' main, which also serves as the child process that BM_AnalyzePeakMemory and
// BM_AnalyzeAllPeakMemory measure.
#include <benchmark/benchmark.h>

#include <cstring>

#include "floors.h"

namespace hartool::bench {
int analyzeOnce(const char* mission, const char* briefing);
int analyzeAllOnce();
}  // namespace hartool::bench

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--analyze-once") == 0) {
        const int status = hartool::bench::analyzeOnce(argv[2], argv[3]);
        hartool::bench::leavePeak();
        return status;
    }
    if (argc == 2 && std::strcmp(argv[1], "--analyze-all-once") == 0) {
        const int status = hartool::bench::analyzeAllOnce();
        hartool::bench::leavePeak();
        return status;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
