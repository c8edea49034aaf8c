// The cost of one simulation tick: twenty balls moving among no, four or thirty placed tools, a
// fresh rack, a rack scattered and left to roll until it rests, and the worst case of the pair
// loop, every ball touching its neighbours.
#include "bench_window.h"
#include "physics/ball.h"
#include "physics/simulation.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/random.h"
#include "rules/tool_catalogue.h"
#include "rules/turn_cycle.h"
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

// A turn that ends inside a tick draws its frame, so the window is needed here too.
void freshMatch()
{
    openBenchWindow();
    game.options.sound = 0; // the mixer is not open here; cues cost nothing either way
    prepareField();
    game.gameMode = Running;
}

void placeTool(int32_t slot, int32_t kind, double x, double y)
{
    game.placedTools.kind[slot] = kind;
    game.placedTools.x[slot] = x;
    game.placedTools.y[slot] = y;
    game.placedTools.dirX[slot] = 2;
    game.placedTools.dirY[slot] = 1;
    game.placedToolCount = slot + 1;
}

void scatter()
{
    std::srand(7);
    for (Ball& ball : game.balls) {
        ball.vx = gameRandom() % 6 - 3 + 0.5;
        ball.vy = gameRandom() % 6 - 3 + 0.5;
    }
}

// The steady state of a busy turn: every ball rolling among as many placed tools as the
// argument says (30 fills every slot). The table is laid again every 20 ticks.
void BM_GameTick20Moving(benchmark::State& state)
{
    const int32_t tools = static_cast<int32_t>(state.range(0));
    scatteredMatch(tools);
    int64_t ticks = 0;
    int64_t moving = 0;
    for (auto _ : state) {
        if (++ticks % 20 == 0) {
            state.PauseTiming();
            for (const Ball& ball : game.balls)
                moving += ball.onTable && (ball.vx != 0 || ball.vy != 0);
            scatteredMatch(tools);
            state.ResumeTiming();
        }
        gameTick();
        benchmark::DoNotOptimize(game.balls);
    }
    // How many of the twenty were still moving when the table was laid again.
    state.counters["moving"] = benchmark::Counter(static_cast<double>(moving) / (ticks / 20 + 1));
}
BENCHMARK(BM_GameTick20Moving)->ArgName("tools")->Arg(0)->Arg(4)->Arg(PLACED_TOOL_SLOTS);

void BM_TickOnTheRack(benchmark::State& state)
{
    freshMatch();
    game.balls[0].vx = 0.001; // something moves, nothing much happens
    for (auto _ : state) {
        gameTick();
        benchmark::DoNotOptimize(game.balls);
    }
}
BENCHMARK(BM_TickOnTheRack);

// Includes what the player sees as each ball comes to rest: the whole window redrawn.
void BM_TickScatteredRackUntilItRests(benchmark::State& state)
{
    int64_t ticks = 0;
    for (auto _ : state) {
        if (ticks++ % 400 == 0) {
            state.PauseTiming();
            freshMatch(); // empties the slots, so the tools go down after it
            placeTool(0, Fan, 100, 200);
            placeTool(1, ReflectHorizontal, 150, 180);
            placeTool(2, ReflectVertical, 200, 220);
            placeTool(3, Magnet, 150, 200);
            scatter();
            state.ResumeTiming();
        }
        gameTick();
        benchmark::DoNotOptimize(game.balls);
    }
}
BENCHMARK(BM_TickScatteredRackUntilItRests);

void BM_TickEveryPairTouching(benchmark::State& state)
{
    freshMatch();
    for (auto _ : state) {
        state.PauseTiming();
        // All twenty balls on one spot: every pair is pushed apart and answered.
        for (Ball& ball : game.balls) {
            ball.x = 150;
            ball.y = 200;
            ball.vx = 0.5;
            ball.vy = 0;
            ball.onTable = 1;
        }
        state.ResumeTiming();
        gameTick();
        benchmark::DoNotOptimize(game.balls);
    }
}
BENCHMARK(BM_TickEveryPairTouching);

} // namespace
