// Cost of exporting: a one-loop GIF of "5" at 480 x 360, written to a scratch file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

#include "export/RenderCommand.h"

static void BM_RenderLoopGif5(benchmark::State& state) {
    const std::string path = (std::filesystem::temp_directory_path() / "bench-five.gif").string();
    for (auto _ : state) {
        if (runRenderCommand({"5", "-o", path, "--size", "480x360"}) != 0) {
            state.SkipWithError("render failed");
            break;
        }
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_RenderLoopGif5)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
