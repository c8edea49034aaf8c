// The cost of one frame, as a ratio to the floor of copying one window's pixels: the table
// screen paused, running and aiming, composed alone and drawn with its push to the display, the
// menus and the end screen, one full line of text, and a whole-window redraw. Needs the Images
// folder in the working directory (run from the build folder, or through bench/run).
#include "bench_window.h"
#include "physics/ball.h"
#include "render/font.h"
#include "render/frame.h"
#include "render/surfaces.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/match.h"
#include "rules/message_log.h"
#include "rules/tool_catalogue.h"
#include "shell/main_loop.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

namespace {

constexpr size_t FRAME_BYTES = 300 * 300 * 4;
alignas(64) uint8_t frameFrom[FRAME_BYTES];
alignas(64) uint8_t frameTo[FRAME_BYTES];

// The physical floor: one window's worth of pixels copied once.
void BM_MemcpyFrame(benchmark::State& state)
{
    std::memset(frameFrom, 0x5A, FRAME_BYTES);
    uint8_t* from = frameFrom;
    uint8_t* to = frameTo;
    for (auto _ : state) {
        // The compiler must neither know the buffers nor drop a copy that nobody reads.
        benchmark::DoNotOptimize(from);
        benchmark::DoNotOptimize(to);
        std::memcpy(to, from, FRAME_BYTES);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * FRAME_BYTES);
}
BENCHMARK(BM_MemcpyFrame);

// The game's longest line of text: the longest tool description.
const char* longestLine()
{
    const char* longest = toolCatalogue[0].description;
    for (const ToolFacts& tool : toolCatalogue)
        if (std::strlen(tool.description) > std::strlen(longest)) longest = tool.description;
    return longest;
}

void tableIn(int32_t mode)
{
    scatteredMatch(8);
    std::snprintf(game.messageLog.upper, MESSAGE_LINE_SIZE, "%s",
                  "Your goal is to get up to 980 points in 10 turns");
    std::snprintf(game.messageLog.lower, MESSAGE_LINE_SIZE, "%s", longestLine());
    game.match.points[0] = 347;
    game.match.points[1] = 129;
    if (mode == Aiming) {
        // The Cue on ball 3, the mouse 30 pixels off: the arrow is drawn.
        game.selectedTool = Cue;
        game.selectedBall = 3;
        game.balls[3].selected = 1;
        game.aimX = game.balls[3].x + 24;
        game.aimY = game.balls[3].y - 18;
    }
    game.gameMode = mode;
}

void menuIn(int32_t mode)
{
    openBenchWindow();
    game.gameMode = mode;
    game.menuSelection = 1;
    game.optionsSelection = 0;
    game.options.music = 0;
    if (mode == EndScreen) {
        // A two-player game with pocketed balls on both rows.
        game.match.gameKind = 2;
        game.match.winner = 0;
        for (int32_t i = 0; i < BALL_COUNT; ++i) {
            game.balls[i].onTable = 0;
            game.balls[i].pocketedBy = i % 2;
            game.balls[i].value = i;
        }
    }
}

bool ready(benchmark::State& state)
{
    if (openBenchWindow()) return true;
    state.SkipWithError("no window");
    return false;
}

void compose(benchmark::State& state)
{
    for (auto _ : state) {
        lockIfNeeded(screen);
        composeFrame();
        unlockIfNeeded(screen);
        benchmark::ClobberMemory();
    }
}

void draw(benchmark::State& state, bool everything)
{
    for (auto _ : state) {
        fullRedraw = everything;
        drawFrame();
        benchmark::ClobberMemory();
    }
}

void BM_ComposeTablePaused(benchmark::State& state)
{
    if (!ready(state)) return;
    tableIn(Paused);
    compose(state);
}
void BM_ComposeTableRunning(benchmark::State& state)
{
    if (!ready(state)) return;
    tableIn(Running);
    compose(state);
}
void BM_ComposeTableAiming(benchmark::State& state)
{
    if (!ready(state)) return;
    tableIn(Aiming);
    compose(state);
}
void BM_ComposeStartMenu(benchmark::State& state)
{
    if (!ready(state)) return;
    menuIn(StartMenu);
    compose(state);
}
void BM_ComposeOptionsMenu(benchmark::State& state)
{
    if (!ready(state)) return;
    menuIn(OptionsMenu);
    compose(state);
}
void BM_ComposeEndScreen(benchmark::State& state)
{
    if (!ready(state)) return;
    menuIn(EndScreen);
    compose(state);
}
BENCHMARK(BM_ComposeTablePaused);
BENCHMARK(BM_ComposeTableRunning);
BENCHMARK(BM_ComposeTableAiming);
BENCHMARK(BM_ComposeStartMenu);
BENCHMARK(BM_ComposeOptionsMenu);
BENCHMARK(BM_ComposeEndScreen);

// What the main loop pays per tick: the composition and the mode's rectangles pushed (none
// while paused).
void BM_DrawTablePaused(benchmark::State& state)
{
    if (!ready(state)) return;
    tableIn(Paused);
    draw(state, false);
}
void BM_DrawTableRunning(benchmark::State& state)
{
    if (!ready(state)) return;
    tableIn(Running);
    draw(state, false);
}
void BM_DrawTableAiming(benchmark::State& state)
{
    if (!ready(state)) return;
    tableIn(Aiming);
    draw(state, false);
}
void BM_DrawStartMenu(benchmark::State& state)
{
    if (!ready(state)) return;
    menuIn(StartMenu);
    draw(state, false);
}
void BM_DrawOptionsMenu(benchmark::State& state)
{
    if (!ready(state)) return;
    menuIn(OptionsMenu);
    draw(state, false);
}
void BM_DrawEndScreen(benchmark::State& state)
{
    if (!ready(state)) return;
    menuIn(EndScreen);
    draw(state, false);
}
// After a click or a key: the whole window pushed.
void BM_DrawTableFullRedraw(benchmark::State& state)
{
    if (!ready(state)) return;
    tableIn(Paused);
    draw(state, true);
}
BENCHMARK(BM_DrawTablePaused);
BENCHMARK(BM_DrawTableRunning);
BENCHMARK(BM_DrawTableAiming);
BENCHMARK(BM_DrawStartMenu);
BENCHMARK(BM_DrawOptionsMenu);
BENCHMARK(BM_DrawEndScreen);
BENCHMARK(BM_DrawTableFullRedraw);

void BM_DrawTextFullLine(benchmark::State& state)
{
    if (!ready(state)) return;
    const char* line = longestLine();
    for (auto _ : state) {
        lockIfNeeded(screen);
        drawText(line, 5, 65);
        unlockIfNeeded(screen);
        benchmark::ClobberMemory();
    }
    state.counters["characters"] = static_cast<double>(std::strlen(line));
}
BENCHMARK(BM_DrawTextFullLine);

} // namespace
