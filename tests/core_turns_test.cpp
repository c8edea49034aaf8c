// The turn cycle of both kinds of match, the scoring of a pocketed ball, and how the tutorial's
// pages turn by ENTER and by their timer.
#include "core_play.h"
#include "physics/simulation.h"
#include "rules/game_tick.h"
#include "rules/menus.h"
#include "rules/time_control.h"
#include "rules/tool_catalogue.h"
#include "rules/tool_use.h"
#include "rules/turn_cycle.h"
#include "rules/tutorial.h"
#include <algorithm>

namespace {

class CoreTurns : public CorePlay {};
class CoreScoring : public CorePlay {};
class CoreTutorial : public CorePlay {};

const std::vector<std::string> NONE;
const std::vector<std::string> NO_DIFFERENCE;
const std::vector<std::string> BLANK_STRIP = {"", ""};

// Ball 0 about to drop into the bottom-right pocket: it is in the corner zone, and its next
// step takes it past x 275.
LaidBall dropping(int32_t value) { return {0, 274.5, 267, 1.0, 0, value}; }

TEST_F(CoreTurns, TheBallThatStopsLastEndsTheTurn)
{
    startMatch(1);
    // Ball 0 creeps and stops in the first tick; ball 1 rolls on for a while.
    layTable({{0, 150, 200, -0.01, 0}, {1, 100, 160, 1.0, 0.0}});
    lightTimeButtons();
    toggleTime();
    runTick();
    ASSERT_EQ(game.balls[0].vx, 0);
    EXPECT_EQ(game.gameMode, Running);
    EXPECT_EQ(game.match.turnNumber, 1);
    int32_t ticks = 1;
    while (ballsMoving() > 0 && ticks < 10000) {
        EXPECT_EQ(game.gameMode, Running);
        runTick();
        ++ticks;
    }
    ASSERT_EQ(ballsMoving(), 0);
    EXPECT_GT(ticks, 100) << "ball 1 rolled on after ball 0 stopped";
    EXPECT_EQ(game.gameMode, Paused);
    EXPECT_EQ(game.match.turnNumber, 2);
    EXPECT_EQ(lastPushed(), "Turn 2. You have 8 more turns left");
}

TEST_F(CoreTurns, AOnePlayerGameLastsTenTurnsThenShowsTheEndScreenWithItsTune)
{
    const std::string announced[] = {
        "Turn 2. You have 8 more turns left",  "Turn 3. You have 7 more turns left",
        "Turn 4. You have 6 more turns left",  "Turn 5. You have 5 more turns left",
        "Turn 6. You have 4 more turns left",  "Turn 7. You have 3 more turns left",
        "Turn 8. You have 2 more turns left",  "Turn 9. You have 1 more turns left",
        "Turn 10. You have 0 more turns left",
    };
    for (uint8_t musicOn : {1, 0}) {
        SCOPED_TRACE(musicOn ? "music on" : "music off");
        game = startingGame();
        game.options.music = musicOn;
        startMatch(1);
        for (int32_t turn = 1; turn <= 9; ++turn) {
            pressButton(EndTurn);
            EXPECT_EQ(game.gameMode, Paused);
            EXPECT_EQ(game.match.turnNumber, turn + 1);
            EXPECT_EQ(lastPushed(), announced[turn - 1]);
        }
        heard.clear();
        pushed.clear();
        pressButton(EndTurn);
        EXPECT_EQ(game.gameMode, EndScreen);
        EXPECT_EQ(game.match.turnNumber, 11);
        // The end screen blanks the message strip.
        ASSERT_GE(pushed.size(), 2u);
        EXPECT_EQ(std::vector<std::string>(pushed.end() - 2, pushed.end()), BLANK_STRIP);
        std::vector<std::string> expected = {halt(1)};
        if (musicOn) expected.push_back(music(MusicEndPlayer1, 0));
        EXPECT_EQ(heard, expected);
    }
}

TEST_F(CoreTurns, AOnePlayerGameEndsAsSoonAsTheTwentiethBallDrops)
{
    startMatch(1);
    game.match.turnNumber = 3;
    game.match.ballsPocketed[0] = 19;
    layTable({dropping(4)});
    lightTimeButtons();
    toggleTime();
    runTick();
    EXPECT_EQ(game.match.ballsPocketed[0], 20);
    EXPECT_EQ(game.gameMode, EndScreen);
    EXPECT_EQ(game.match.turnNumber, 4);
    EXPECT_EQ(lastPushed(), "");

    // With a ball left on the table, the game goes on.
    game = startingGame();
    startMatch(1);
    game.match.ballsPocketed[0] = 18;
    layTable({dropping(4), {5, 150, 200}});
    lightTimeButtons();
    toggleTime();
    runTick();
    EXPECT_EQ(game.gameMode, Paused);
    EXPECT_EQ(game.match.turnNumber, 2);
}

TEST_F(CoreTurns, TwoPlayersTakeTurnsWhateverHappensInThem)
{
    startMatch(2);
    const std::pair<int32_t, std::string> turns[] = {{1, "Player 2, your turn now"},
                                                     {0, "Player 1, now it is your turn"},
                                                     {1, "Player 2, your turn now"}};
    for (const auto& [player, message] : turns) {
        pressButton(EndTurn);
        EXPECT_EQ(game.gameMode, Paused);
        EXPECT_EQ(game.match.currentPlayer, player);
        EXPECT_EQ(lastPushed(), message);
    }
    // Pocketing the last ball on the table earns no extra turn.
    layTable({dropping(3)});
    lightTimeButtons();
    toggleTime();
    runTick();
    EXPECT_EQ(game.match.points[1], 3);
    EXPECT_EQ(game.match.currentPlayer, 0);
    EXPECT_EQ(lastPushed(), "Player 1, now it is your turn");
}

TEST_F(CoreTurns, TheLastBallEndsATwoPlayerMatchAndTheBetterPlayerWins)
{
    struct Case {
        int32_t points1, points2;
        int32_t winner;
        int32_t tune; // -1 for none: the music playing goes on
    };
    for (const Case& c : {Case{300, 200, 0, MusicEndPlayer1}, Case{200, 300, 1, MusicEndPlayer2},
                          Case{300, 300, 10, -1}, Case{0, 1, 1, MusicEndPlayer2}})
        for (uint8_t musicOn : {1, 0}) {
            SCOPED_TRACE(std::to_string(c.points1) + " to " + std::to_string(c.points2) +
                         (musicOn ? ", music on" : ", music off"));
            game = startingGame();
            game.options.music = musicOn;
            startMatch(2);
            game.match.points[0] = c.points1;
            game.match.points[1] = c.points2;
            game.match.ballsPocketed[0] = 11;
            game.match.ballsPocketed[1] = 8;
            // The last ball scores nothing, so the points stand as they are.
            layTable({dropping(0)});
            lightTimeButtons();
            toggleTime();
            heard.clear();
            pushed.clear();
            runTick();
            EXPECT_EQ(game.gameMode, EndScreen);
            EXPECT_EQ(game.match.winner, c.winner);
            EXPECT_EQ(pushed,
                      (std::vector<std::string>{
                          "Ball hit nothing before entering a pocket, no score...", "", ""}));
            std::vector<std::string> expected = {halt(1)};
            if (musicOn && c.tune >= 0) expected.push_back(music(c.tune, 0));
            EXPECT_EQ(heard, expected);
        }
}

TEST_F(CoreTurns, WhileABallRollsTheEndOfATurnChangesNothing)
{
    startMatch(2);
    layTable({{0, 150, 200, 0, 0, 4}, {1, 100, 160, 0.3, 0, 2}});
    game.placedToolCount = 1;
    game.placedTools.kind[0] = Magnet;
    game.usesLeft[Magnet] = 0;
    game.buttonState[Magnet] = Unavailable;
    const GameState before = game;
    heard.clear();
    pushed.clear();
    endOfTurn();
    EXPECT_EQ(differences(before, game), NO_DIFFERENCE);
    EXPECT_EQ(heard, NONE);
    EXPECT_EQ(pushed, NONE);
    EXPECT_EQ(fullRedraw, 1);
}

TEST_F(CoreTurns, TheNextTurnRenewsTheToolsAndClearsTheValuesLeftOnTheTable)
{
    for (uint8_t soundOn : {1, 0}) {
        SCOPED_TRACE(soundOn ? "sound on" : "sound off");
        game = startingGame();
        game.options.sound = soundOn;
        startMatch(1);
        layTable({{0, 150, 200, 1.0, 0, 7}, {4, 60, 150, 0, 0, 3}});
        pressButton(ReflectHorizontal);
        leftClickInMatch(200, 250);
        pressButton(Magnet);
        leftClickInMatch(100, 250);
        pressButton(Cue);
        clickBall(0);
        leftClickInMatch(160, 200);
        pressButton(Stop);
        clickBall(0);
        game.balls[9].value = 12; // pocketed earlier, with its value
        ASSERT_EQ(game.placedToolCount, 2);
        ASSERT_EQ(game.buttonRow, 0);
        heard.clear();

        endOfTurn();
        EXPECT_EQ(game.gameMode, Paused);
        EXPECT_EQ(game.match.turnNumber, 2);
        const int32_t charges[TOOL_COUNT] = {100, 5, 1, 1, 2, 3,   3,   2,   2,   100,
                                             100, 1, 2, 1, 1, 100, 100, 100, 100, 100};
        for (int32_t k = 0; k < TOOL_COUNT; ++k) {
            SCOPED_TRACE("button " + std::to_string(k));
            EXPECT_EQ(game.usesLeft[k], charges[k]);
            EXPECT_EQ(game.buttonState[k], k == TimeToggle || k == TimeToggleRow2 ? -1 : 0);
        }
        EXPECT_EQ(game.placedToolCount, 0);
        for (int32_t slot = 0; slot < PLACED_TOOL_SLOTS; ++slot) {
            EXPECT_EQ(game.placedTools.kind[slot], -1);
            EXPECT_EQ(game.placedTools.x[slot], -1.0);
            EXPECT_EQ(game.placedTools.y[slot], -1.0);
            EXPECT_EQ(game.placedTools.screenX[slot], -1);
        }
        EXPECT_EQ(game.balls[0].value, 0);
        EXPECT_EQ(game.balls[4].value, 0);
        EXPECT_EQ(game.balls[9].value, 12) << "a pocketed ball keeps its value";
        EXPECT_EQ(heard, soundOn ? std::vector<std::string>{halt(1)} : NONE);
    }
}

TEST_F(CoreScoring, APocketedBallScoresItsValueUpTo49AndLinesUpInThePanel)
{
    struct Case {
        int32_t player;
        int32_t pocketedBefore;
        int32_t value;
        int32_t points; // for the ball
        double stripX;
        std::string message;
    };
    const Case cases[] = {
        {0, 0, 63, 49, 15, "Well done, player 1! You get 49 points!"},
        {0, 1, 49, 49, 29, "Well done, player 1! You get 49 points!"},
        {0, 5, 1, 1, 85, "Well done, player 1! You get 1 points!"},
        {0, 2, 0, 0, 43, "Ball hit nothing before entering a pocket, no score..."},
        {1, 0, 12, 12, 285, "Well done, player 2! You get 12 points!"},
        {1, 1, 50, 49, 271, "Well done, player 2! You get 49 points!"},
        {1, 5, 0, 0, 215, "Ball hit nothing before entering a pocket, no score..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message + ", " + std::to_string(c.pocketedBefore) + " before");
        game = startingGame();
        startMatch(2);
        game.match.currentPlayer = c.player;
        game.match.points[0] = 100;
        game.match.points[1] = 200;
        game.match.ballsPocketed[c.player] = c.pocketedBefore;
        // Another ball rolls on, so the turn goes on.
        layTable({dropping(c.value), {5, 150, 200, 0, 2.0}});
        lightTimeButtons();
        toggleTime();
        pushed.clear();
        runTick();
        const Ball& ball = game.balls[0];
        EXPECT_EQ(ball.onTable, 0);
        EXPECT_EQ(ball.pocketedBy, c.player);
        EXPECT_EQ(ball.value, std::min(c.value, 49));
        EXPECT_EQ(ball.x, c.stripX);
        EXPECT_EQ(ball.y, 25.0);
        EXPECT_EQ(ball.screenX, static_cast<int32_t>(c.stripX));
        EXPECT_EQ(ball.screenY, 25);
        EXPECT_EQ(ball.vx, 0);
        EXPECT_EQ(ball.vy, 0);
        EXPECT_EQ(game.match.points[c.player], (c.player == 0 ? 100 : 200) + c.points);
        EXPECT_EQ(game.match.points[1 - c.player], c.player == 0 ? 200 : 100);
        EXPECT_EQ(game.match.ballsPocketed[c.player], c.pocketedBefore + 1);
        EXPECT_EQ(pushed, std::vector<std::string>{c.message});
        EXPECT_EQ(game.gameMode, Running);
    }
}

TEST_F(CoreScoring, EachCornerPocketTakesABallMoreThan7PixelsPastItsLine)
{
    struct Case {
        const char* corner;
        double x, y, vx, vy; // one step later the ball is this far past the line
        bool pocketed;
    };
    const Case cases[] = {
        {"bottom right, past x 275", 274.5, 267, 1, 0, true},
        {"bottom right, at x 275", 274, 267, 1, 0, false},
        {"top right, past x 275", 274.5, 133, 1, 0, true},
        {"top left, past x 25", 25.5, 133.5, -1, 0, true},
        {"top left, at x 25", 26, 133.5, -1, 0, false},
        {"bottom left, past x 25", 25.5, 267, -1, 0, true},
        {"top left, past y 125", 33, 125.5, 0, -1, true},
        {"top left, at y 125", 33, 126, 0, -1, false},
        {"bottom right, past y 275", 266, 275, 0, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.corner);
        game = startingGame();
        startMatch(1);
        layTable({{0, c.x, c.y, c.vx, c.vy, 5}, {5, 150, 200, 0, 2.0}});
        lightTimeButtons();
        toggleTime();
        runTick();
        EXPECT_EQ(game.balls[0].onTable, c.pocketed ? 0 : 1);
        EXPECT_EQ(game.match.points[0], c.pocketed ? 5 : 0);
    }
}

TEST_F(CoreScoring, PointsNeverFallBelowZero)
{
    startMatch(1);
    game.match.points[0] = 5;
    layTable({dropping(-20), {5, 150, 200, 0, 2.0}});
    lightTimeButtons();
    toggleTime();
    runTick();
    EXPECT_EQ(game.match.points[0], 0);
}

TEST_F(CoreScoring, TheLastBallDroppingEndsTheTurnAfterItsScore)
{
    startMatch(1);
    layTable({dropping(9), {4, 150, 200, 0, 0, 6}});
    lightTimeButtons();
    toggleTime();
    pushed.clear();
    runTick();
    EXPECT_EQ(pushed, (std::vector<std::string>{"Well done, player 1! You get 9 points!",
                                                "Turn 2. You have 8 more turns left"}));
    EXPECT_EQ(game.gameMode, Paused);
    EXPECT_EQ(game.balls[0].value, 9);
    EXPECT_EQ(game.balls[4].value, 0);
    EXPECT_EQ(game.buttonState[TimeToggle], Unavailable);
}

// The pages that wait for a click or for the balls, rather than ENTER or their timer.
bool pageWaits(int32_t page)
{
    const int32_t waiting[] = {104, 106, 107, 108, 119, 121, 124, 129, 130, 131, 133, 134, 135, 136,
                               139, 142, 143, 145, 146, 147, 148, 149, 152, 153, 154, 157, 158};
    return std::find(std::begin(waiting), std::end(waiting), page) != std::end(waiting);
}

TEST_F(CoreTutorial, EnterTurnsExactlyThePagesThatDoNotWait)
{
    for (int32_t page = TutorialFirstPage; page <= TutorialLastPage; ++page) {
        SCOPED_TRACE("page " + std::to_string(page));
        game = startingGame();
        chooseStartMenuRow(0);
        game.gameMode = page;
        game.currentTicks = 5000;
        const GameState before = game;
        pushed.clear();
        turnPageByKey();
        if (pageWaits(page)) {
            EXPECT_EQ(differences(before, game), NO_DIFFERENCE);
            continue;
        }
        EXPECT_EQ(game.gameMode, page == TutorialLastPage ? StartMenu : page + 1);
        EXPECT_EQ(pushed.size(), 2u) << "the next page's two lines";
        EXPECT_EQ(game.pageDeadline, 15000);
    }
}

TEST_F(CoreTutorial, TheFirstAndTheLastPagesLines)
{
    chooseStartMenuRow(0);
    pushed.clear();
    turnPageByKey();
    EXPECT_EQ(pushed,
              (std::vector<std::string>{"In the top of the screen you see the Panel.",
                                        "It shows the balls you've driven to the pockets"}));
    game.gameMode = TutorialLastPage;
    pushed.clear();
    turnPageByKey();
    EXPECT_EQ(game.gameMode, StartMenu);
    EXPECT_EQ(pushed, BLANK_STRIP);
}

TEST_F(CoreTutorial, AReadingPageTurnsAtTheFirstTickTenSecondsOnAndTheNextGetsTenMore)
{
    uint32_t now = 1000;
    tickWhenDue(now);
    chooseStartMenuRow(0);
    ASSERT_EQ(game.pageDeadline, 11000);
    uint32_t turned = 0;
    while (game.gameMode == TutorialFirstPage && now < 20000) {
        tickWhenDue(++now);
        if (game.gameMode != TutorialFirstPage) turned = now;
    }
    EXPECT_EQ(game.gameMode, 101);
    EXPECT_GE(turned, 11000u);
    EXPECT_LT(turned, 11000u + game.options.tickInterval) << "at the first tick from 11000 on";
    EXPECT_EQ(game.pageDeadline, static_cast<int32_t>(turned) + 10000);

    const uint32_t firstTurned = turned;
    while (game.gameMode == 101 && now < 40000) {
        tickWhenDue(++now);
        if (game.gameMode != 101) turned = now;
    }
    EXPECT_EQ(game.gameMode, 102);
    EXPECT_GE(turned, firstTurned + 10000);
    EXPECT_LT(turned, firstTurned + 10000 + game.options.tickInterval);
}

TEST_F(CoreTutorial, APageThatWaitsForAClickIgnoresItsTimerAndClicksOutsideItsButton)
{
    uint32_t now = 0;
    chooseStartMenuRow(0);
    for (int32_t page = 100; page < 104; ++page) turnPageByKey();
    ASSERT_EQ(game.gameMode, 104);
    for (int32_t pass = 0; pass < 30000; ++pass) tickWhenDue(++now);
    EXPECT_EQ(game.gameMode, 104);
    // Its button is x 271 to 299, y 71 to 99.
    struct Case {
        int32_t x, y;
        bool turns;
    };
    for (const Case& c : {Case{270, 85, false}, Case{280, 70, false}, Case{280, 100, false},
                          Case{271, 71, true}, Case{299, 99, true}}) {
        SCOPED_TRACE("click at " + std::to_string(c.x) + ", " + std::to_string(c.y));
        game.gameMode = 104;
        game.buttonRow = 0;
        tutorialClick(c.x, c.y);
        EXPECT_EQ(game.gameMode, c.turns ? 105 : 104);
        EXPECT_EQ(game.buttonRow, c.turns ? 1 : 0);
    }
}

} // namespace
