// The cost of one simulation tick: a fresh rack, a rack scattered by Chaos with every lasting
// tool placed, and the worst case of the pair loop, every ball touching its neighbours.
#include "bench_window.h"
#include "physics/ball.h"
#include "physics/simulation.h"
#include "rules/tool_catalogue.h"
#include "rules/turn_cycle.h"
#include "shell/game_mode.h"
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

// A turn that ends inside a tick draws its frame, so the window is needed here too.
void freshMatch()
{
    openBenchWindow();
    Options.sound = 0; // the mixer is not open here; cues cost nothing either way
    prepareField();
    gameMode = Running;
}

void placeTool(int32_t slot, int32_t kind, double x, double y)
{
    PlacedTool.kind[slot] = kind;
    PlacedTool.x[slot] = x;
    PlacedTool.y[slot] = y;
    PlacedTool.dirX[slot] = 2;
    PlacedTool.dirY[slot] = 1;
    placedToolCount = slot + 1;
}

void scatter()
{
    std::srand(7);
    for (Ball& ball : balls) {
        ball.vx = std::rand() % 6 - 3 + 0.5;
        ball.vy = std::rand() % 6 - 3 + 0.5;
    }
}

void BM_TickOnTheRack(benchmark::State& state)
{
    freshMatch();
    balls[0].vx = 0.001; // something moves, nothing much happens
    for (auto _ : state) {
        gameTick();
        benchmark::DoNotOptimize(balls);
    }
}
BENCHMARK(BM_TickOnTheRack);

void BM_TickScatteredWithEveryLastingTool(benchmark::State& state)
{
    freshMatch();
    placeTool(0, Fan, 100, 200);
    placeTool(1, ReflectHorizontal, 150, 180);
    placeTool(2, ReflectVertical, 200, 220);
    placeTool(3, Magnet, 150, 200);
    int64_t ticks = 0;
    for (auto _ : state) {
        if (ticks++ % 400 == 0) {
            state.PauseTiming();
            freshMatch();
            scatter();
            state.ResumeTiming();
        }
        gameTick();
        benchmark::DoNotOptimize(balls);
    }
}
BENCHMARK(BM_TickScatteredWithEveryLastingTool);

void BM_TickEveryPairTouching(benchmark::State& state)
{
    freshMatch();
    for (auto _ : state) {
        state.PauseTiming();
        // All twenty balls on one spot: every pair is pushed apart and answered.
        for (Ball& ball : balls) {
            ball.x = 150;
            ball.y = 200;
            ball.vx = 0.5;
            ball.vy = 0;
            ball.onTable = 1;
        }
        state.ResumeTiming();
        gameTick();
        benchmark::DoNotOptimize(balls);
    }
}
BENCHMARK(BM_TickEveryPairTouching);

} // namespace
