// The game is one record: a copy of it taken in the middle of play, put back, is the game as it
// was, and the same calls from the same record play the same game, chance and all.
#include "core_play.h"
#include "rules/game_tick.h"
#include "rules/menus.h"
#include "rules/time_control.h"
#include "rules/tool_use.h"
#include <algorithm>
#include <functional>

namespace {

class CoreState : public CorePlay {};

const std::vector<std::string> NO_DIFFERENCE;

// The main loop: a pass every millisecond, each running a tick when one is due, until done or
// the passes run out.
bool playUntil(uint32_t& now, const std::function<bool()>& done, int32_t passes = 120000)
{
    for (int32_t pass = 0; pass < passes && !done(); ++pass) tickWhenDue(++now);
    return done();
}

int32_t firstBallOnTable()
{
    const Ball* first =
        std::find_if(game.balls, game.balls + BALL_COUNT, [](const Ball& b) { return b.onTable; });
    return static_cast<int32_t>(first - game.balls);
}

// A turn's play: a Chaos scatters the balls, a Cue strikes the first ball on the table towards
// the middle, with a Hammer in the middle when asked for, and time runs until more than
// `pocketed` balls have dropped or the turn is over.
void playATurn(uint32_t& now, int32_t pocketed, bool hammer)
{
    ASSERT_EQ(game.gameMode, Paused);
    pressButton(Chaos);
    leftClickInMatch(100, 180);
    pressButton(Cue);
    clickBall(firstBallOnTable());
    ASSERT_EQ(game.gameMode, Aiming);
    leftClickInMatch(150, 200);
    if (hammer) {
        pressButton(Hammer);
        leftClickInMatch(150, 200);
    }
    ASSERT_EQ(game.gameMode, Paused);
    toggleTime();
    ASSERT_EQ(game.gameMode, Running);
    playUntil(now,
              [pocketed] { return ballsPocketedInAll() > pocketed || game.gameMode != Running; });
}

// Turns of play until more than `pocketed` balls have dropped: the game stops there, time
// running.
void playUntilPocketed(uint32_t& now, int32_t pocketed, bool hammer)
{
    for (int32_t turn = 0; turn < 20 && ballsPocketedInAll() <= pocketed; ++turn) {
        playATurn(now, pocketed, hammer);
        if (testing::Test::HasFatalFailure()) return;
    }
    ASSERT_GT(ballsPocketedInAll(), pocketed);
}

// Three seconds on the start menu (the menu ball rolls off and comes back at a random speed),
// then a two-player match played until the first ball drops.
void playToTheFirstPocketing(uint32_t& now)
{
    for (int32_t pass = 0; pass < 3000; ++pass) tickWhenDue(++now);
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

bool named(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

TEST_F(CoreState, TheSameCallsFromTheStartPlayTheSameGameChanceIncluded)
{
    uint32_t now = 0;
    playToTheFirstPocketing(now);
    ASSERT_FALSE(HasFatalFailure());
    const GameState first = game;
    const std::vector<std::string> firstHeard = heard, firstPushed = pushed;
    EXPECT_NE(first.randomState, startingGame().randomState) << "the stretch drew on chance";

    game = startingGame();
    heard.clear();
    pushed.clear();
    now = 0;
    playToTheFirstPocketing(now);
    EXPECT_EQ(differences(first, game), NO_DIFFERENCE);
    EXPECT_EQ(heard, firstHeard);
    EXPECT_EQ(pushed, firstPushed);
}

TEST_F(CoreState, PuttingACopyBackRestoresTheWholeGame)
{
    uint32_t now = 0;
    playToTheFirstPocketing(now);
    ASSERT_FALSE(HasFatalFailure());
    const GameState saved = game;
    EXPECT_EQ(saved.gameMode, Running) << "the copy is taken with balls still rolling";

    playOnToTheNextPocketing(now);
    ASSERT_FALSE(HasFatalFailure());
    // Playing on changed the balls, the turn, the tools, the messages, the clock and chance.
    const std::vector<std::string> changed = differences(saved, game);
    for (const char* name : {"balls[5].x", "match.currentPlayer", "usesLeft[12]",
                             "messageLog.lower", "currentTicks", "ticksRun", "randomState"})
        EXPECT_TRUE(named(changed, name)) << name << " did not change while playing on";

    game = saved;
    EXPECT_EQ(differences(saved, game), NO_DIFFERENCE);
}

TEST_F(CoreState, FromACopyTheSameCallsPlayOnTheSameWayAgain)
{
    uint32_t now = 0;
    playToTheFirstPocketing(now);
    ASSERT_FALSE(HasFatalFailure());
    const GameState saved = game;
    const uint32_t savedNow = now;

    heard.clear();
    pushed.clear();
    playOnToTheNextPocketing(now);
    ASSERT_FALSE(HasFatalFailure());
    const GameState first = game;
    const std::vector<std::string> firstHeard = heard, firstPushed = pushed;
    EXPECT_NE(first.randomState, saved.randomState) << "playing on drew on chance";

    game = saved;
    now = savedNow;
    heard.clear();
    pushed.clear();
    playOnToTheNextPocketing(now);
    EXPECT_EQ(differences(first, game), NO_DIFFERENCE);
    EXPECT_EQ(heard, firstHeard);
    EXPECT_EQ(pushed, firstPushed);
}

// The comparison the tests above rely on tells every field apart, the bits of a number included.
TEST_F(CoreState, TheComparisonNamesEachFieldThatDiffers)
{
    GameState other = game;
    other.balls[7].vy = 0.5;
    other.placedTools.dirX[29] = -0.0;
    other.messageLog.upper[98] = 'x';
    other.randomState = 2;
    EXPECT_EQ(differences(game, other),
              (std::vector<std::string>{"balls[7].vy", "placedTools.dirX[29]", "messageLog.upper",
                                        "randomState"}));
}

} // namespace
