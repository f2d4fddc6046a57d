// SPDX-License-Identifier: MIT
// Appends 1,000 route points one by one to a route file that starts with 500,
// as a long session of Adds would: each append locks the route folder, looks
// for copies left behind, copies the file, flushes the copy and its folder
// and renames it over the route file, so the cost grows with the file and
// with the disk's flush. In a scratch folder under TMPDIR
// (the disk the route files would be on, if TMPDIR points there):
//   build/bin/route_append_bench --benchmark_repetitions=5
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "route/route_file.h"

namespace {

const std::string kLine = "[HOME||][0][10]|10.000000,53.500000||10.000000|53.500000|\n";

void ThousandAppendsToAFileOf500Points(benchmark::State& state) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quillpost-bench-XXXXXX").string();
    const std::filesystem::path folder = mkdtemp(pattern.data());
    const std::filesystem::path file = folder / "route.rte";
    for (auto _ : state) {
        state.PauseTiming();
        {
            std::ofstream start(file, std::ios::binary | std::ios::trunc);
            for (int i = 0; i < 500; ++i) {
                start << kLine.substr(0, kLine.size() - 1) << "\r\n";
            }
        }
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i) {
            if (!AppendToRouteFile(file, kLine).written) {
                state.SkipWithError("an append failed");
                break;
            }
        }
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(ThousandAppendsToAFileOf500Points)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
