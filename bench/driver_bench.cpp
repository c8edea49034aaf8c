// The scripted driver's speed: a one-player match of ten turns played through the real main loop
// on the virtual clock, one Cue stroke a turn, as a script would play it. Reported as virtual
// milliseconds of play per real second.
#include "bench_window.h"
#include "physics/ball.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/match.h"
#include "shell/clock.h"
#include "shell/main_loop.h"
#include "shell/pushed_events.h"
#include <SDL/SDL.h>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

constexpr int64_t TICK_LIMIT = 100000;

// A click is handled in the pass that follows it, as the driver does it.
void click(int32_t x, int32_t y)
{
    pushButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, x, y);
    pushButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, x, y);
    runPass();
}

void space()
{
    pushKeyEvent(SDL_KEYDOWN, SDLK_SPACE);
    pushKeyEvent(SDL_KEYUP, SDLK_SPACE);
    runPass();
}

void wait(int32_t ms)
{
    for (int32_t i = 0; i < ms; ++i) runPass();
}

// One turn: the Cue on the first ball still on the table, struck 30 pixels towards the middle
// of the cloth, time started, and every pass run until the turn is over.
bool playTurn()
{
    int32_t target = -1;
    for (int32_t i = 0; i < BALL_COUNT && target < 0; ++i)
        if (game.balls[i].onTable) target = i;
    if (target < 0) return false;
    const Ball& ball = game.balls[target];
    const double towardsX = 150 - ball.x, towardsY = 215 - ball.y;
    const double length = std::sqrt(towardsX * towardsX + towardsY * towardsY);
    const double dx = length < 1 ? 1 : towardsX / length;
    const double dy = length < 1 ? 0 : towardsY / length;
    click(45, 85); // the Cue's button
    click(ball.screenX, ball.screenY);
    click(static_cast<int32_t>(ball.x + 30 * dx), static_cast<int32_t>(ball.y + 30 * dy));
    space();
    const uint32_t start = game.ticksRun;
    while (game.gameMode == Running) {
        if (static_cast<int64_t>(game.ticksRun - start) > TICK_LIMIT) return false;
        runPass();
    }
    wait(20);
    return true;
}

void BM_DriverTenTurnMatch(benchmark::State& state)
{
    if (!openBenchWindow()) {
        state.SkipWithError("no window");
        return;
    }
    game.options.sound = 0;
    game.options.music = 0;
    useVirtualClock = 1;
    uint64_t virtualMs = 0;
    int64_t turns = 0;
    for (auto _ : state) {
        state.PauseTiming();
        virtualClockMs = 0;
        game.nextTickTime = 0;
        game.nextTrackTime = 0;
        game.gameMode = StartMenu;
        state.ResumeTiming();
        wait(2);
        click(120, 160); // One player
        wait(20);
        while (game.gameMode != EndScreen && playTurn()) ++turns;
        if (game.gameMode != EndScreen) {
            state.SkipWithError("the match did not reach its end screen");
            break;
        }
        virtualMs += virtualClockMs;
    }
    useVirtualClock = 0;
    state.counters["virtual_ms_per_s"] =
        benchmark::Counter(static_cast<double>(virtualMs), benchmark::Counter::kIsRate);
    state.counters["turns"] =
        benchmark::Counter(static_cast<double>(turns), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DriverTenTurnMatch)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
