// The whole passes of the real main loop while the computer plays: events, the computer's slice
// of thinking, the tick and the frame, as runPass() runs them, on the virtual clock with the
// dummy video driver (so a frame is drawn but reaches no window). The computer plays one-player
// games at level 3 by itself; every pass is timed on the steady clock, which also counts what
// other programs took the processor for, and on the thread's processor time beside it. Nothing
// here is a test: bench/run writes the figures into docs/performance.md.
#include "rules/computer_player.h"
#include "rules/computer_search.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "shell/clock.h"
#include "shell/main_loop.h"
#include "shell/pushed_events.h"
#include <SDL/SDL.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/resource.h>

namespace {

constexpr int32_t LEVEL = 3;
constexpr int64_t PASS_LIMIT = 20000000;  // a game that runs this long has gone wrong
constexpr int32_t THINKING_KEPT = 200000; // the thinking passes' times, for their p99

double steadyMs()
{
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double threadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Tally {
    int64_t passes = 0;
    int64_t thinking = 0;
    double longestMs = 0; // of every pass
    double longestCpuMs = 0;
    double longestThinkingMs = 0; // of the passes in which it thought
    double longestThinkingCpuMs = 0;
    int64_t over5 = 0, over20 = 0;
    int64_t thinkingOver5 = 0, thinkingOver20 = 0;
    int64_t cpuOver5 = 0, cpuOver20 = 0; // in processor time
};
Tally tally;
double thinkingMs[THINKING_KEPT];

void count(double ms, double cpuMs, bool thought)
{
    ++tally.passes;
    tally.longestMs = std::max(tally.longestMs, ms);
    tally.longestCpuMs = std::max(tally.longestCpuMs, cpuMs);
    tally.over5 += ms > 5;
    tally.over20 += ms > 20;
    tally.cpuOver5 += cpuMs > 5;
    tally.cpuOver20 += cpuMs > 20;
    if (!thought) return;
    if (tally.thinking < THINKING_KEPT) thinkingMs[tally.thinking] = ms;
    ++tally.thinking;
    tally.longestThinkingMs = std::max(tally.longestThinkingMs, ms);
    tally.longestThinkingCpuMs = std::max(tally.longestThinkingCpuMs, cpuMs);
    tally.thinkingOver5 += ms > 5;
    tally.thinkingOver20 += ms > 20;
}

// One game from the start menu's "One player" to its end screen; false if it never ended.
bool playGame(uint32_t seed)
{
    char levels[4], seedText[16];
    std::snprintf(levels, sizeof levels, "%d", LEVEL);
    std::snprintf(seedText, sizeof seedText, "%u", seed);
    if (!chooseComputerSeats("1", levels, seedText)) std::abort();
    virtualClockMs = 0;
    game.nextTickTime = 0;
    game.nextTrackTime = 0;
    game.gameMode = StartMenu;
    runPass();
    // The random numbers as a fresh game has them (the start menu's ball draws from them), so
    // that each seed's game is the one kestrola-computer-bench plays.
    game.randomState = startingGame().randomState;
    pushButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 120, 160); // One player
    pushButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 120, 160);
    runPass();
    for (int64_t pass = 0; pass < PASS_LIMIT; ++pass) {
        if (!isMatchMode(game.gameMode)) return game.gameMode == EndScreen;
        const bool wasThinking = searchUnderway();
        const int32_t decisions = searchCost.decisions;
        const double cpu0 = threadMs(), wall0 = steadyMs();
        runPass();
        const double wall = steadyMs() - wall0, cpu = threadMs() - cpu0;
        count(wall, cpu, wasThinking || searchCost.decisions != decisions);
    }
    return false;
}

} // namespace

// kestrola-computer-loop [--seeds N]: level 3 alone with seeds 1 to N (5), as
// kestrola-computer-bench plays them, so their points are the same.
int main(int argc, char** argv)
{
    uint32_t seeds = 5;
    for (int32_t i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--seeds") == 0 && i + 1 < argc)
            seeds = static_cast<uint32_t>(std::atoi(argv[++i]));
    if (!startUp(ScriptedGame)) return 1;
    std::printf("Whole passes of the main loop (events, its slice, the tick, the frame; virtual "
                "clock, dummy video driver),\na one-player game at level %d by itself, seeds 1 "
                "to %u:\n  points:",
                LEVEL, seeds);
    for (uint32_t seed = 1; seed <= seeds; ++seed) {
        if (!playGame(seed)) {
            std::printf(" seed %u never reached its end screen\n", seed);
            return 1;
        }
        std::printf(" %d", game.match.points[0]);
        std::fflush(stdout);
    }
    const int64_t kept = std::min<int64_t>(tally.thinking, THINKING_KEPT);
    std::sort(thinkingMs, thinkingMs + kept);
    const double p99 = kept ? thinkingMs[kept * 99 / 100] : 0;
    std::printf("\n  %lld passes, %lld of them thinking; on the steady clock:\n",
                static_cast<long long>(tally.passes), static_cast<long long>(tally.thinking));
    std::printf("  longest pass while thinking %.2f ms (most processor time of one %.2f ms), "
                "p99 of those passes %.2f ms; longest pass of all %.2f ms (most processor time "
                "of one %.2f ms)\n",
                tally.longestThinkingMs, tally.longestThinkingCpuMs, p99, tally.longestMs,
                tally.longestCpuMs);
    std::printf("  passes over 5 ms: %lld (%lld thinking); over 20 ms: %lld (%lld thinking); in "
                "processor time, over 5 ms: %lld, over 20 ms: %lld\n",
                static_cast<long long>(tally.over5), static_cast<long long>(tally.thinkingOver5),
                static_cast<long long>(tally.over20), static_cast<long long>(tally.thinkingOver20),
                static_cast<long long>(tally.cpuOver5), static_cast<long long>(tally.cpuOver20));
    // Each time the system took the processor from the loop for other work: where the steady
    // clock's long passes come from when the processor time stays short.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("  the processor taken from the loop by the system %ld times\n", usage.ru_nivcsw);
    return 0;
}
