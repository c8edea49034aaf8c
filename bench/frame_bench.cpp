// The cost of one frame: the table screen recomposed from the records, pushed as the Table
// rectangle or as the whole window, and the start menu. Needs the Images folder in the working
// directory (run from the build folder).
#include "bench_window.h"
#include "render/frame.h"
#include "render/surfaces.h"
#include "rules/turn_cycle.h"
#include "shell/game_mode.h"
#include "shell/main_loop.h"
#include <benchmark/benchmark.h>

namespace {

void frameIn(benchmark::State& state, int32_t mode, bool everything)
{
    if (!openBenchWindow()) {
        state.SkipWithError("no window");
        return;
    }
    prepareField();
    gameMode = mode;
    for (auto _ : state) {
        fullRedraw = everything;
        drawFrame();
    }
}

void BM_FrameWhileRunning(benchmark::State& state) { frameIn(state, Running, false); }
void BM_FrameFullRedraw(benchmark::State& state) { frameIn(state, Paused, true); }
void BM_FrameStartMenu(benchmark::State& state) { frameIn(state, StartMenu, false); }
BENCHMARK(BM_FrameWhileRunning);
BENCHMARK(BM_FrameFullRedraw);
BENCHMARK(BM_FrameStartMenu);

} // namespace
