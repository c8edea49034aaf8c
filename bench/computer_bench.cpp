// The computer player measured: the points each level scores playing a one-player game by itself,
// the two-player matches of the stronger levels against level 1, and what its thinking costs.
// Played in this process through the same calls the shell makes; nothing here is a test.
#include "rules/computer_player.h"
#include "rules/computer_search.h"
#include "rules/game_state.h"
#include "rules/game_tick.h"
#include "rules/match.h"
#include "rules/menus.h"
#include "rules/time_control.h"
#include "rules/tool_use.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace {

// Ticks thought in one pass, as the main loop gives them.
constexpr int32_t PASS_BUDGET = COMPUTER_TICKS_A_PASS;

struct Cost {
    int64_t mostDecisionTicks = 0;
    double longestSliceMs = 0;
    double longestTurnMs = 0;
    double totalTurnMs = 0;
    int32_t turns = 0;
};

#ifdef __EMSCRIPTEN__
// The browser keeps no processor time of a thread: the page's wall clock, which also counts what
// other programs took the processor for.
constexpr const char* CLOCK_NAME = "wall-clock time (the browser has no processor time)";
double threadMilliseconds() { return emscripten_get_now(); }
#else
// The thread's own processor time: on a machine shared with other work, what the thinking itself
// costs, without the time other programs took the processor from it.
constexpr const char* CLOCK_NAME = "processor time";
double threadMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}
#endif

bool showTurns = false;

// Plays the game from the start menu's row until the end screen; costs are kept per level.
void play(int32_t row, Cost costs[4])
{
    game = startingGame();
    chooseStartMenuRow(row);
    uint32_t now = 1000;
    int32_t turnKey = -1;
    double turnMs = 0;
    int32_t turnLevel = 0;
    for (int64_t pass = 0; pass < 200000000 && isMatchMode(game.gameMode); ++pass) {
        ++now;
        const int32_t key = game.match.turnNumber * 2 + game.match.currentPlayer;
        const int32_t seat = game.match.gameKind == OnePlayer ? 0 : game.match.currentPlayer;
        if (key != turnKey) {
            if (turnKey >= 0 && showTurns)
                std::printf("    turn %d: tick %u points %d/%d, balls %d/%d\n", turnKey / 2,
                            game.ticksRun, game.match.points[0], game.match.points[1],
                            game.match.ballsPocketed[0], game.match.ballsPocketed[1]);
            if (turnKey >= 0) {
                Cost& c = costs[turnLevel];
                c.longestTurnMs = std::max(c.longestTurnMs, turnMs);
                c.totalTurnMs += turnMs;
                ++c.turns;
            }
            turnKey = key;
            turnMs = 0;
            turnLevel = computerSeats.level[seat];
        }
        // It thinks only while the game waits for a tool or for time to start; the clock is read
        // only around those passes, since reading it costs a call into the system.
        const bool mayThink = game.gameMode == Paused || game.gameMode == ToolSelected;
        const bool wasThinking = searchUnderway();
        const int32_t decisions = searchCost.decisions;
        const double start = mayThink ? threadMilliseconds() : 0;
        const ComputerInput input = computerPass(now, PASS_BUDGET);
        const bool thought = wasThinking || searchCost.decisions != decisions;
        const double ms = mayThink && thought ? threadMilliseconds() - start : 0;
        turnMs += ms;
        Cost& c = costs[computerSeats.level[seat]];
        c.longestSliceMs = std::max(c.longestSliceMs, ms);
        c.mostDecisionTicks = std::max(c.mostDecisionTicks, searchCost.decisionTicks);
        if (input.kind == InputLeftClick) leftClickInMatch(input.x, input.y);
        if (input.kind == InputMotion) followAim(input.x, input.y);
        if (input.kind == InputRightClick) cancelTool();
        if (input.kind == InputSpace) toggleTime();
        tickWhenDue(now);
    }
}

void setSeats(const char* seats, const char* levels, uint32_t seed)
{
    char text[16];
    std::snprintf(text, sizeof text, "%u", seed);
    if (!chooseComputerSeats(seats, levels, text)) std::abort();
}

} // namespace

// kestrola-computer-bench [alone|matches] [--turns] [--from-level L] [--seeds N]
// [--match-seeds M]: both parts by default; --turns lists the tallies after every turn; the games
// alone are played from level L (1) on, each with seeds 1 to N (5); the matches with seeds 1 to
// M (20).
int main(int argc, char** argv)
{
    bool alone = true, matches = true;
    int32_t firstLevel = 1;
    uint32_t seeds = 5;
    uint32_t matchSeeds = 20;
    for (int32_t i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "alone") == 0) matches = false;
        if (std::strcmp(argv[i], "matches") == 0) alone = false;
        if (std::strcmp(argv[i], "--turns") == 0) showTurns = true;
        if (std::strcmp(argv[i], "--from-level") == 0 && i + 1 < argc)
            firstLevel = std::atoi(argv[++i]);
        if (std::strcmp(argv[i], "--seeds") == 0 && i + 1 < argc)
            seeds = static_cast<uint32_t>(std::atoi(argv[++i]));
        if (std::strcmp(argv[i], "--match-seeds") == 0 && i + 1 < argc)
            matchSeeds = static_cast<uint32_t>(std::atoi(argv[++i]));
    }
    Cost costs[4];
    if (alone) {
        const uint32_t SEEDS = seeds;
        std::printf("One-player game, played by itself, seeds 1 to %u:\n", SEEDS);
        for (int32_t level = firstLevel; level <= 3; ++level) {
            char levels[12];
            std::snprintf(levels, sizeof levels, "%d", level);
            int32_t total = 0;
            std::printf("  level %d:", level);
            for (uint32_t seed = 1; seed <= SEEDS; ++seed) {
                setSeats("1", levels, seed);
                play(1, costs);
                total += game.match.points[0];
                std::printf(" %d (%c)", game.match.points[0], gradeLetter(game.match.points[0]));
                std::fflush(stdout);
            }
            std::printf("; mean %d, grade %c\n", total / static_cast<int32_t>(SEEDS),
                        gradeLetter(total / static_cast<int32_t>(SEEDS)));
        }
    }
    if (matches) {
        std::printf("Two-player matches against level 1, seeds 1 to %u, seats swapped in half:\n",
                    matchSeeds);
        for (int32_t level = 2; level <= 3; ++level) {
            int32_t wins = 0, draws = 0, losses = 0, mine = 0, theirs = 0;
            for (uint32_t seed = 1; seed <= matchSeeds; ++seed) {
                const bool first = seed % 2 == 1; // the level under test plays player 1
                char levels[8];
                std::snprintf(levels, sizeof levels, first ? "%d,1" : "1,%d", level);
                setSeats("1,2", levels, seed);
                play(2, costs);
                const int32_t me = first ? 0 : 1;
                mine += game.match.points[me];
                theirs += game.match.points[1 - me];
                if (game.match.winner == WINNER_DRAW)
                    ++draws;
                else if (game.match.winner == me)
                    ++wins;
                else
                    ++losses;
            }
            std::printf("  level %d vs level 1: %d won, %d drawn, %d lost; points %d to %d\n",
                        level, wins, draws, losses, mine, theirs);
            std::fflush(stdout);
        }
    }
    std::printf("Thinking cost, in %s (%d simulated ticks at most per pass):\n", CLOCK_NAME,
                PASS_BUDGET);
    for (int32_t level = 1; level <= 3; ++level) {
        const Cost& c = costs[level];
        if (c.turns == 0) continue;
        std::printf("  level %d: most ticks for one decision %lld, longest slice %.2f ms, "
                    "a turn's thinking %.1f ms on average and %.1f ms at most\n",
                    level, static_cast<long long>(c.mostDecisionTicks), c.longestSliceMs,
                    c.totalTurnMs / c.turns, c.longestTurnMs);
    }
    return 0;
}
