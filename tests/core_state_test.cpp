// The game is one record: a copy of it taken in the middle of play, put back, is the game as it
// was, and the same calls from the same record play the same game, chance and all.
#include "core_play.h"
#include "rules/game_tick.h"
#include "rules/menus.h"
#include "rules/random.h"
#include "rules/time_control.h"
#include "rules/tool_use.h"
#include <algorithm>

namespace {

class CoreState : public CorePlay {};

// Turns in which a Chaos scatters the balls and a Cue strikes the first ball on the table towards
// the middle, with a Hammer there when asked for, until more than `pocketed` balls have dropped:
// the game stops there, time running.
void playUntilPocketed(uint32_t& now, int32_t pocketed, bool hammer)
{
    for (int32_t turn = 0; turn < 20 && ballsPocketedInAll() <= pocketed; ++turn) {
        ASSERT_EQ(game.gameMode, Paused);
        pressButton(Chaos);
        leftClickInMatch(100, 180);
        int32_t first = 0;
        while (!game.balls[first].onTable) ++first;
        pressButton(Cue);
        clickBall(first);
        leftClickInMatch(150, 200);
        if (hammer) {
            pressButton(Hammer);
            leftClickInMatch(150, 200);
        }
        toggleTime();
        ASSERT_EQ(game.gameMode, Running);
        playUntil(now, [=] { return ballsPocketedInAll() > pocketed || game.gameMode != Running; });
    }
    ASSERT_GT(ballsPocketedInAll(), pocketed);
}

// Three seconds on the start menu (its ball rolls off and comes back at a random speed), then a
// two-player match played until the first ball drops.
void playToTheFirstPocketing(uint32_t& now)
{
    for (int32_t ms = 0; ms < 3000; ++ms) tickWhenDue(++now);
    ASSERT_FALSE(chooseStartMenuRow(2));
    playUntilPocketed(now, 0, false);
}

// The turn runs out, and the players play on, with Hammers too, until another ball drops.
void playOnToTheNextPocketing(uint32_t& now)
{
    const int32_t before = ballsPocketedInAll();
    ASSERT_TRUE(playUntil(now, [] { return game.gameMode != Running; }));
    playUntilPocketed(now, before, true);
}

// A stretch of play as it ended: the record, and what it asked of the platform and pushed.
struct Outcome {
    GameState game;
    Lines heard, pushed;
};
Outcome outcome() { return {game, heard, pushed}; }
void expectSameAs(const Outcome& first)
{
    EXPECT_EQ(differences(first.game, game), NONE);
    EXPECT_EQ(heard, first.heard);
    EXPECT_EQ(pushed, first.pushed);
}

TEST_F(CoreState, ChanceIsTheStandardsPortableGeneratorStartingAtOne)
{
    game.randomState = 1;
    for (int32_t expected : {16838, 5758, 10113, 17515}) EXPECT_EQ(gameRandom(), expected);
    int32_t highest = 0;
    for (int32_t i = 0; i < 100000; ++i) highest = std::max(highest, gameRandom());
    EXPECT_EQ(highest, RANDOM_MAX);
}

TEST_F(CoreState, ACopyPutBackIsTheWholeGameAndPlaysOnTheSameWayAgain)
{
    uint32_t now = 0;
    playToTheFirstPocketing(now);
    ASSERT_FALSE(HasFatalFailure());
    const GameState saved = game;
    const uint32_t savedNow = now;
    EXPECT_EQ(saved.gameMode, Running) << "the copy is taken with balls still rolling";

    forget();
    playOnToTheNextPocketing(now);
    ASSERT_FALSE(HasFatalFailure());
    const Outcome first = outcome();
    // Playing on changed the balls, the turn, the tools, the messages, the clock and chance.
    const Lines changed = differences(saved, game);
    for (const char* name : {"balls[5].x", "match.currentPlayer", "usesLeft[12]",
                             "messageLog.lower", "currentTicks", "ticksRun", "randomState"})
        EXPECT_NE(std::find(changed.begin(), changed.end(), name), changed.end())
            << name << " did not change while playing on";

    game = saved;
    EXPECT_EQ(differences(saved, game), NONE);
    now = savedNow;
    forget();
    playOnToTheNextPocketing(now);
    expectSameAs(first);
}

// The comparison the tests rely on tells every field apart, the bits of a number included.
TEST_F(CoreState, TheComparisonNamesEachFieldThatDiffers)
{
    GameState other = game;
    other.balls[7].vy = 0.5;
    other.placedTools.dirX[29] = -0.0;
    other.messageLog.upper[98] = 'x';
    other.randomState = 2;
    EXPECT_EQ(differences(game, other),
              (Lines{"balls[7].vy", "placedTools.dirX[29]", "messageLog.upper", "randomState"}));
}

} // namespace
