// The turn cycle of both kinds of match, the scoring of a pocketed ball, and how the tutorial's
// pages turn by ENTER and by their timer.
#include "core_play.h"
#include "rules/game_tick.h"
#include "rules/menus.h"
#include "rules/time_control.h"
#include "rules/turn_cycle.h"
#include "rules/tutorial.h"
#include <algorithm>

namespace {

class CoreTurns : public CorePlay {};
class CoreScoring : public CorePlay {};
class CoreTutorial : public CorePlay {};

const Lines BLANK_STRIP = {"", ""};
const std::string NO_SCORE = "Ball hit nothing before entering a pocket, no score...";

// Ball 0 about to drop into the bottom-right pocket: it is in the corner zone, and its next
// step takes it past x 275.
LaidBall dropping(int32_t value) { return {0, 274.5, 267, 1.0, 0, value}; }

TEST_F(CoreTurns, AOnePlayerGameLastsTenTurnsThenShowsTheEndScreenWithItsTune)
{
    for (uint8_t musicOn : {1, 0}) {
        startMatch(1);
        game.options.music = musicOn;
        for (int32_t turn = 2; turn <= 10; ++turn) {
            fullRedraw = 0;
            pressButton(EndTurn);
            EXPECT_EQ(std::tuple(game.gameMode, game.match.turnNumber), std::tuple(Paused, turn));
            EXPECT_EQ(fullRedraw, 1) << "the new turn's Panel is marked for the whole window";
        }
        EXPECT_EQ(lastPushed(), "Turn 10. You have 0 more turns left");
        forget();
        pressButton(EndTurn);
        EXPECT_EQ(std::tuple(game.gameMode, game.match.turnNumber), std::tuple(EndScreen, 11));
        // The end screen blanks the message strip.
        ASSERT_GE(pushed.size(), 2u);
        EXPECT_EQ(Lines(pushed.end() - 2, pushed.end()), BLANK_STRIP);
        Lines expected = {halt(1)};
        if (musicOn) expected.push_back(music(MusicEndPlayer1, 0));
        EXPECT_EQ(heard, expected) << "music " << +musicOn;
    }
}

TEST_F(CoreTurns, AOnePlayerGameEndsWithTheTwentiethBallAndGoesOnWhileOneIsLeft)
{
    startMatch(1);
    game.match.turnNumber = 3;
    game.match.ballsPocketed[0] = 19;
    tickWith({dropping(4)});
    EXPECT_EQ(std::tuple(game.gameMode, game.match.turnNumber, game.match.ballsPocketed[0]),
              std::tuple(EndScreen, 4, 20));
    EXPECT_EQ(pushed, (Lines{"Well done, player 1! You get 4 points!", "", ""}));

    // The last rolling ball drops, one at rest is left: the turn ends after the score.
    startMatch(1);
    game.match.ballsPocketed[0] = 18;
    tickWith({dropping(9), {4, 150, 200, 0, 0, 6}});
    EXPECT_EQ(pushed, (Lines{"Well done, player 1! You get 9 points!",
                             "Turn 2. You have 8 more turns left"}));
    EXPECT_EQ(std::tuple(game.gameMode, game.buttonState[TimeToggle]),
              std::tuple(Paused, Unavailable));
    EXPECT_EQ(game.balls[0].value, 9) << "a pocketed ball keeps its value";
    EXPECT_EQ(game.balls[4].value, 0);
}

TEST_F(CoreTurns, TwoPlayersTakeTurnsWhateverHappensInThem)
{
    const std::string first = "Player 1, now it is your turn", second = "Player 2, your turn now";
    startMatch(2);
    for (const auto& [player, message] : {std::pair(1, second), {0, first}, {1, second}}) {
        pressButton(EndTurn);
        EXPECT_EQ(std::tuple(game.gameMode, game.match.currentPlayer), std::tuple(Paused, player));
        EXPECT_EQ(lastPushed(), message);
    }
    // Pocketing the last ball on the table earns no extra turn.
    tickWith({dropping(3)});
    EXPECT_EQ(std::tuple(game.match.points[1], game.match.currentPlayer), std::tuple(3, 0));
    EXPECT_EQ(lastPushed(), first);
}

TEST_F(CoreTurns, TheLastBallEndsATwoPlayerMatchAndTheBetterPlayerWins)
{
    // Points of players 1 and 2, the winner, and the tune (-1: the music playing goes on).
    const int32_t cases[][4] = {{300, 200, 0, MusicEndPlayer1},
                                {200, 300, 1, MusicEndPlayer2},
                                {300, 300, 10, -1},
                                {0, 1, 1, MusicEndPlayer2}};
    for (const auto& [points1, points2, winner, tune] : cases)
        for (uint8_t musicOn : {1, 0}) {
            startMatch(2);
            game.options.music = musicOn;
            game.match.points[0] = points1;
            game.match.points[1] = points2;
            game.match.ballsPocketed[0] = 11;
            game.match.ballsPocketed[1] = 8;
            // The last ball scores nothing, so the points stand as they are.
            tickWith({dropping(0)});
            EXPECT_EQ(std::tuple(game.gameMode, game.match.winner), std::tuple(EndScreen, winner));
            EXPECT_EQ(pushed, (Lines{NO_SCORE, "", ""}));
            Lines expected = {halt(1)};
            if (musicOn && tune >= 0) expected.push_back(music(tune, 0));
            EXPECT_EQ(heard, expected) << points1 << " to " << points2 << ", music " << +musicOn;
        }
}

TEST_F(CoreTurns, WhileABallRollsTheEndOfATurnChangesNothing)
{
    startMatch(2, {{0, 150, 200, 0, 0, 4}, {1, 100, 160, 0.3, 0, 2}});
    game.placedToolCount = 1;
    game.placedTools.kind[0] = Magnet;
    game.usesLeft[Magnet] = 0;
    game.buttonState[Magnet] = Unavailable;
    const GameState before = game;
    endOfTurn();
    EXPECT_EQ(differences(before, game), NONE);
    EXPECT_EQ(heard, NONE);
    EXPECT_EQ(pushed, NONE);
    EXPECT_EQ(fullRedraw, 1);
}

TEST_F(CoreScoring, APocketedBallScoresItsValueUpTo49NeverBelowZeroAndLinesUpInThePanel)
{
    const std::string well = "Well done, player ";
    struct Case {
        int32_t player, pocketedBefore, value, pointsBefore, pointsAfter, stripX;
        std::string message;
    };
    const Case cases[] = {
        {0, 0, 63, 100, 149, 15, well + "1! You get 49 points!"},
        {0, 1, 49, 100, 149, 29, well + "1! You get 49 points!"},
        {0, 5, 1, 100, 101, 85, well + "1! You get 1 points!"},
        {0, 2, 0, 100, 100, 43, NO_SCORE},
        {0, 0, -20, 5, 0, 15, NO_SCORE},
        {1, 0, 12, 200, 212, 285, well + "2! You get 12 points!"},
        {1, 1, 50, 200, 249, 271, well + "2! You get 49 points!"},
        {1, 5, 0, 200, 200, 215, NO_SCORE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(
            joined("player, value, pocketed before:", c.player + 1, c.value, c.pocketedBefore));
        startMatch(2);
        game.match.currentPlayer = c.player;
        game.match.points[c.player] = c.pointsBefore;
        game.match.points[1 - c.player] = 77;
        game.match.ballsPocketed[c.player] = c.pocketedBefore;
        // Another ball rolls on, so the turn goes on.
        tickWith({dropping(c.value), {5, 150, 200, 0, 2.0}});
        const Ball& b = game.balls[0];
        EXPECT_EQ(std::tuple(b.onTable, b.pocketedBy, b.value),
                  std::tuple(0, c.player, std::min(c.value, 49)));
        EXPECT_EQ(std::tuple(b.x, b.y, b.vx, b.vy), std::tuple(1.0 * c.stripX, 25.0, 0.0, 0.0));
        EXPECT_EQ(std::tuple(b.screenX, b.screenY), std::tuple(c.stripX, 25));
        const MatchRecord& m = game.match;
        EXPECT_EQ(std::tuple(m.points[c.player], m.points[1 - c.player], m.ballsPocketed[c.player]),
                  std::tuple(c.pointsAfter, 77, c.pocketedBefore + 1));
        EXPECT_EQ(pushed, Lines{c.message});
        EXPECT_EQ(game.gameMode, Running);
    }
}

TEST_F(CoreScoring, EachCornerPocketTakesABallMoreThan7PixelsPastItsLine)
{
    // Where the ball is, its step, and whether it drops: it does once its centre is past x 275 or
    // 25, y 125 or 275 (7 pixels beyond the cushion), not when it is exactly there.
    const double cases[][5] = {
        {274.5, 267, 1, 0, 1},   {274, 267, 1, 0, 0},   {274.5, 133, 1, 0, 1},
        {25.5, 133.5, -1, 0, 1}, {26, 133.5, -1, 0, 0}, {25.5, 267, -1, 0, 1},
        {33, 125.5, 0, -1, 1},   {33, 126, 0, -1, 0},   {266, 275, 0, 1, 1}};
    for (const auto& [x, y, vx, vy, drops] : cases) {
        startMatch(1);
        tickWith({{0, x, y, vx, vy, 5}, {5, 150, 200, 0, 2.0}});
        EXPECT_EQ(std::tuple(game.balls[0].onTable, game.match.points[0]),
                  std::tuple(drops ? 0 : 1, drops ? 5 : 0))
            << "from " << x << ", " << y << " by " << vx << ", " << vy;
    }
}

// ENTER turns a tutorial page unless it waits for a click or for the balls.
bool enterTurns(int32_t mode)
{
    const int32_t waiting[] = {104, 106, 107, 108, 119, 121, 124, 129, 130, 131, 133, 134, 135, 136,
                               139, 142, 143, 145, 146, 147, 148, 149, 152, 153, 154, 157, 158};
    return isTutorialMode(mode) &&
           std::find(std::begin(waiting), std::end(waiting), mode) == std::end(waiting);
}

TEST_F(CoreTutorial, EnterTurnsExactlyThePagesThatDoNotWait)
{
    std::vector<int32_t> modes = {StartMenu, Paused, Running, OptionsMenu, EndScreen};
    for (int32_t page = TutorialFirstPage; page <= TutorialLastPage; ++page) modes.push_back(page);
    for (int32_t mode : modes) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        game = startingGame();
        chooseStartMenuRow(0);
        game.gameMode = mode;
        game.currentTicks = 5000;
        const GameState before = game;
        pushed.clear();
        turnPageByKey();
        if (!enterTurns(mode)) {
            EXPECT_EQ(differences(before, game), NONE);
            continue;
        }
        // The next page's two lines, and its ten seconds; past the last page, the start menu.
        EXPECT_EQ(std::tuple(game.gameMode, pushed.size(), game.pageDeadline),
                  std::tuple(mode == TutorialLastPage ? StartMenu : mode + 1, 2u, 15000));
        const Lines second = {"In the top of the screen you see the Panel.",
                              "It shows the balls you've driven to the pockets"};
        if (mode == TutorialFirstPage || mode == TutorialLastPage) {
            EXPECT_EQ(pushed, mode == TutorialFirstPage ? second : BLANK_STRIP);
        }
    }
}

TEST_F(CoreTutorial, AReadingPageTurnsAtTheFirstTickTenSecondsOnAndTheNextGetsTenMore)
{
    uint32_t now = 1000;
    tickWhenDue(now);
    chooseStartMenuRow(0);
    ASSERT_EQ(game.pageDeadline, 11000);
    for (int32_t page : {100, 101}) {
        const uint32_t deadline = game.pageDeadline;
        ASSERT_TRUE(playUntil(
            now, [page] { return game.gameMode != page; }, 40000));
        EXPECT_EQ(game.gameMode, page + 1);
        // At the first tick from the deadline on; the next page's ten seconds count from then.
        EXPECT_GE(now, deadline);
        EXPECT_LT(now, deadline + game.options.tickInterval);
        EXPECT_EQ(game.pageDeadline, static_cast<int32_t>(now) + 10000);
    }
}

TEST_F(CoreTutorial, APageThatWaitsForAClickIgnoresItsTimerAndClicksOutsideItsButton)
{
    uint32_t now = 0;
    chooseStartMenuRow(0);
    for (int32_t page = 100; page < 104; ++page) turnPageByKey();
    ASSERT_EQ(game.gameMode, 104);
    EXPECT_FALSE(playUntil(
        now, [] { return game.gameMode != 104; }, 30000));
    // Its button is x 271 to 299, y 71 to 99; a click there turns the page and shows row 2.
    const int32_t cases[][3] = {
        {270, 85, 0}, {280, 70, 0}, {280, 100, 0}, {271, 71, 1}, {299, 99, 1}};
    for (const auto& [x, y, turns] : cases) {
        game.gameMode = 104;
        game.buttonRow = 0;
        tutorialClick(x, y);
        EXPECT_EQ(std::tuple(game.gameMode, game.buttonRow), std::tuple(104 + turns, turns))
            << x << ", " << y;
    }
}

} // namespace
