// The tools as a player uses them through clicks: the button band, the charges of a turn, where
// a tool may be put down, the Stop, the Cue, the right button, EndTurn and QuitGame.
#include "core_play.h"
#include "physics/simulation.h"
#include "rules/game_tick.h"
#include "rules/time_control.h"
#include "rules/tool_catalogue.h"
#include "rules/tool_use.h"

namespace {

class CoreButtonBand : public CorePlay {};
class CoreTools : public CorePlay {};

const std::vector<std::string> NONE;
const std::vector<std::string> NO_DIFFERENCE;
const std::string PAUSE_HINT = "Game paused. You may wish to apply tools now.";
const std::string CUE = "Cue stroke - changes direction/speed (value -1)";
const std::string FAN = "Fan - stream directs balls, but no score for bounces";
const std::string JUMP = "Jump - ball jumps in the CURRENT direction";
const std::string REFLECT = "Reflect - balls bounce from horiz. block";
const std::string MAGNET = "Magnet - magnifies balls, but no score for bounces";
const std::string CHAOS = "Chaos - speed/direction of all balls randomized";
const std::string UNAVAILABLE = "Tool inavailable untill next turn";
const std::string TOO_CLOSE = "Can't apply tool: too close to border";

// A one-player match whose only ball rolls, so that time may be started.
void rollingTable()
{
    startMatch(1);
    layTable({{0, 150, 200, 1.0, 0}});
    lightTimeButtons();
}

// The buttons lit up: the selected tool, or the time buttons while time runs.
std::vector<int32_t> litButtons()
{
    std::vector<int32_t> lit;
    for (int32_t k = 0; k < TOOL_COUNT; ++k)
        if (game.buttonState[k] == Active) lit.push_back(k);
    return lit;
}

struct BandCase {
    int32_t x, y;
    int32_t rowBefore;
    int32_t mode;     // after the click
    int32_t tool;     // the selected tool after it
    int32_t rowAfter; // the button row shown after it
    std::vector<std::string> pushed;
};

void expectBand(const BandCase& c, int32_t modeBefore)
{
    SCOPED_TRACE("click at " + std::to_string(c.x) + ", " + std::to_string(c.y) + " on row " +
                 std::to_string(c.rowBefore));
    game = startingGame();
    rollingTable();
    game.buttonRow = c.rowBefore;
    if (modeBefore == Running) toggleTime();
    ASSERT_EQ(game.gameMode, modeBefore);
    pushed.clear();
    heard.clear();
    leftClickInMatch(c.x, c.y);
    EXPECT_EQ(game.gameMode, c.mode);
    EXPECT_EQ(game.selectedTool, c.tool);
    EXPECT_EQ(game.buttonRow, c.rowAfter);
    EXPECT_EQ(pushed, c.pushed);
    if (c.mode == ToolSelected) {
        EXPECT_EQ(litButtons(), std::vector<int32_t>{c.tool});
    }
    if (c.mode == Running) {
        EXPECT_EQ(litButtons(), (std::vector<int32_t>{TimeToggle, TimeToggleRow2}));
    }
    if (modeBefore == Paused) {
        // Only starting time is heard: the clock, looping on its channel.
        EXPECT_EQ(heard,
                  c.mode == Running ? std::vector<std::string>{effect(EffectClock, 1, -1)} : NONE);
    }
    if (modeBefore == Running) {
        // A click in the band pauses and stops the clock; anywhere else it does nothing.
        const bool inBand = c.mode != Running;
        EXPECT_EQ(heard, inBand ? std::vector<std::string>{halt(1)} : NONE);
        if (inBand) {
            EXPECT_EQ(game.buttonState[TimeToggle], Available);
            EXPECT_EQ(game.buttonState[TimeToggleRow2], Available);
        }
    }
}

TEST_F(CoreButtonBand, WhilePausedAClickPressesTheButtonUnderIt)
{
    const BandCase cases[] = {
        {0, 85, 0, Running, -1, 0, {}},
        {29, 85, 0, Running, -1, 0, {}},
        {30, 85, 0, ToolSelected, Cue, 0, {CUE, "Can use 5 more time(s)"}},
        {59, 85, 0, ToolSelected, Cue, 0, {CUE, "Can use 5 more time(s)"}},
        {60, 85, 0, ToolSelected, Fan, 0, {FAN, "Can use 1 more time(s)"}},
        {269, 85, 0, ToolSelected, Jump, 0, {JUMP, "Can use 2 more time(s)"}},
        {270, 85, 0, ToolSelected, NextRow, 0, {"Next page"}},
        {271, 85, 0, Paused, -1, 1, {}},
        {299, 85, 0, Paused, -1, 1, {}},
        // The band is rows 71 to 99.
        {150, 70, 0, Paused, -1, 0, {}},
        {150, 71, 0, ToolSelected, ReflectHorizontal, 0, {REFLECT, "Can use 3 more time(s)"}},
        {150, 99, 0, ToolSelected, ReflectHorizontal, 0, {REFLECT, "Can use 3 more time(s)"}},
        {150, 100, 0, Paused, -1, 0, {}},
        {150, 200, 0, Paused, -1, 0, {}},
        // The second row.
        {10, 85, 1, Running, -1, 1, {}},
        {30, 85, 1, ToolSelected, Magnet, 1, {MAGNET, "Can use 1 more time(s)"}},
        {135, 85, 1, ToolSelected, Chaos, 1, {CHAOS, "Can use 1 more time(s)"}},
        {165, 85, 1, ToolSelected, BlankLeft, 1, {""}},
        {225, 85, 1, ToolSelected, BlankRight, 1, {""}},
        {270, 85, 1, ToolSelected, NextRowRow2, 1, {"Next page"}},
        {271, 85, 1, Paused, -1, 0, {}},
    };
    for (const BandCase& c : cases) expectBand(c, Paused);
}

TEST_F(CoreButtonBand, WhileTimeRunsAClickInTheBandPausesFirst)
{
    const BandCase cases[] = {
        {0, 85, 0, Paused, -1, 0, {PAUSE_HINT}},
        {30, 85, 0, Paused, -1, 0, {PAUSE_HINT}},
        {31, 85, 0, ToolSelected, Cue, 0, {PAUSE_HINT, CUE, "Can use 5 more time(s)"}},
        {270, 85, 0, ToolSelected, NextRow, 0, {PAUSE_HINT, "Next page"}},
        {271, 85, 0, Paused, -1, 1, {PAUSE_HINT}},
        {31, 85, 1, ToolSelected, Magnet, 1, {PAUSE_HINT, MAGNET, "Can use 1 more time(s)"}},
        {299, 85, 1, Paused, -1, 0, {PAUSE_HINT}},
        // Nowhere else does a click act while time runs, the Table included.
        {150, 70, 0, Running, -1, 0, {}},
        {150, 100, 0, Running, -1, 0, {}},
        {150, 200, 0, Running, -1, 0, {}},
    };
    for (const BandCase& c : cases) expectBand(c, Running);
    // Without hints the pause still says so.
    rollingTable();
    game.options.messages = 0;
    toggleTime();
    pushed.clear();
    leftClickInMatch(45, BAND_Y);
    EXPECT_EQ(pushed, (std::vector<std::string>{"Pause", "Can use 5 more time(s)"}));
}

TEST_F(CoreButtonBand, WithAToolSelectedOnlyTheBandAndTheTableFromRow126Act)
{
    struct Case {
        int32_t x, y;
        int32_t mode;
        int32_t tool;
        int32_t placed;
        std::vector<std::string> pushed;
    };
    const Case cases[] = {
        {150, 69, ToolSelected, ReflectHorizontal, 0, {}},
        {150, 100, ToolSelected, ReflectHorizontal, 0, {}},
        {150, 125, ToolSelected, ReflectHorizontal, 0, {}},
        {150, 126, ToolSelected, ReflectHorizontal, 0, {TOO_CLOSE}},
        {150, 140, Paused, ReflectHorizontal, 1, {}},
        {45, 85, ToolSelected, Cue, 0, {CUE, "Can use 5 more time(s)"}},
        {285, 85, ToolSelected, -1, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("click at " + std::to_string(c.x) + ", " + std::to_string(c.y));
        rollingTable();
        pressButton(ReflectHorizontal);
        pushed.clear();
        leftClickInMatch(c.x, c.y);
        EXPECT_EQ(game.gameMode, c.mode);
        EXPECT_EQ(game.selectedTool, c.tool);
        EXPECT_EQ(game.placedToolCount, c.placed);
        EXPECT_EQ(pushed, c.pushed);
    }
    // After the row switch no tool is selected, and a Table click does nothing.
    rollingTable();
    pressButton(ReflectHorizontal);
    leftClickInMatch(285, BAND_Y);
    const GameState before = game;
    leftClickInMatch(150, 200);
    EXPECT_EQ(differences(before, game), NO_DIFFERENCE);
    // Nor does it with a button that acts on nothing on the Table.
    for (int32_t k : {NextRow, BlankLeft, BlankRight, NextRowRow2}) {
        SCOPED_TRACE("button " + std::to_string(k));
        rollingTable();
        pressButton(k);
        ASSERT_EQ(game.gameMode, ToolSelected);
        const GameState selected = game;
        leftClickInMatch(150, 200);
        leftClickInMatch(150, 250);
        EXPECT_EQ(differences(selected, game), NO_DIFFERENCE);
    }
}

TEST_F(CoreButtonBand, AUsedUpToolOrDarkTimeButtonRefusesWithAHintOnlyWhenHintsAreOn)
{
    struct Case {
        const char* name;
        int32_t x;
        bool running;
        uint8_t messages;
        int32_t mode;
        std::vector<std::string> pushed;
    };
    const Case cases[] = {
        {"used-up Cue", 45, false, 1, Paused, {UNAVAILABLE}},
        {"used-up Cue, no hints", 45, false, 0, Paused, {}},
        {"used-up Cue while running", 45, true, 1, Paused, {PAUSE_HINT, UNAVAILABLE}},
        {"used-up Cue while running, no hints", 45, true, 0, Paused, {"Pause"}},
        {"dark time button", 10, false, 1, Paused, {"Get balls moving first"}},
        {"dark time button, no hints", 10, false, 0, Paused, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        game = startingGame();
        if (c.x == 10) {
            startMatch(1);
            layTable({{0, 150, 200}});
        } else {
            rollingTable();
            game.usesLeft[Cue] = 0;
            game.buttonState[Cue] = Unavailable;
        }
        if (c.running) toggleTime();
        game.options.messages = c.messages;
        pushed.clear();
        leftClickInMatch(c.x, BAND_Y);
        EXPECT_EQ(game.gameMode, c.mode);
        EXPECT_EQ(game.selectedTool, -1);
        EXPECT_EQ(pushed, c.pushed);
        EXPECT_EQ(game.buttonState[Cue], c.x == 10 ? Available : Unavailable);
    }
}

struct Charges {
    int32_t tool;
    int32_t perTurn;
    bool staysPlaced;
};

// One application of the tool on a table whose ball 0 rolls through the middle, placed tools
// away from it; the n-th use goes to the n-th spot.
void applyOnce(int32_t tool, int32_t n)
{
    layTable({{0, 150, 200, 1.0, 0}});
    pressButton(tool);
    ASSERT_EQ(game.gameMode, ToolSelected);
    switch (tool) {
    case Cue:
        clickBall(0);
        leftClickInMatch(160, 200);
        break;
    case Stop: clickBall(0); break;
    case Teleport:
        clickBall(0);
        leftClickInMatch(100, 170);
        break;
    case Jump:
        clickBall(0);
        leftClickInMatch(170, 200);
        break;
    case Fan:
        leftClickInMatch(100, 250);
        ASSERT_EQ(game.gameMode, Aiming);
        EXPECT_EQ(game.placedToolCount, 0) << "a Fan counts once its stream is set";
        leftClickInMatch(110, 250);
        break;
    default: leftClickInMatch(60 + 40 * n, 250); break;
    }
}

TEST_F(CoreTools, EachToolHasItsChargesForATurnAndGetsThemBackWithTheNext)
{
    const Charges table[] = {
        {Cue, 5, false},
        {Fan, 1, true},
        {Tilt, 1, false},
        {Stop, 2, false},
        {ReflectHorizontal, 3, true},
        {ReflectVertical, 3, true},
        {Teleport, 2, false},
        {Jump, 2, false},
        {Magnet, 1, true},
        {Hammer, 2, false},
        {Boost, 1, false},
        {Chaos, 1, false},
    };
    for (const Charges& c : table) {
        SCOPED_TRACE("tool " + std::to_string(c.tool));
        game = startingGame();
        startMatch(1);
        EXPECT_EQ(game.usesLeft[c.tool], c.perTurn);
        for (int32_t n = 1; n <= c.perTurn; ++n) {
            SCOPED_TRACE("use " + std::to_string(n));
            pushed.clear();
            applyOnce(c.tool, n);
            ASSERT_FALSE(HasFatalFailure());
            EXPECT_EQ(pushed.at(1),
                      "Can use " + std::to_string(c.perTurn - n + 1) + " more time(s)");
            EXPECT_EQ(game.gameMode, Paused);
            EXPECT_EQ(game.match.turnNumber, 1);
            EXPECT_EQ(game.usesLeft[c.tool], c.perTurn - n);
            EXPECT_EQ(game.buttonState[c.tool], n < c.perTurn ? Available : Unavailable);
            EXPECT_EQ(game.placedToolCount, c.staysPlaced ? n : 0);
            EXPECT_EQ(game.placedTools.kind[0], c.staysPlaced ? c.tool : -1);
        }
        // Used up: a further click selects nothing until the turn ends.
        const int32_t selected = game.selectedTool;
        pushed.clear();
        pressButton(c.tool);
        EXPECT_EQ(lastPushed(), UNAVAILABLE);
        EXPECT_EQ(game.gameMode, Paused);
        EXPECT_EQ(game.selectedTool, selected);
        EXPECT_EQ(litButtons(), std::vector<int32_t>{});

        pressButton(EndTurn);
        EXPECT_EQ(game.match.turnNumber, 2);
        EXPECT_EQ(game.usesLeft[c.tool], c.perTurn);
        EXPECT_EQ(game.buttonState[c.tool], Available);
        EXPECT_EQ(game.placedToolCount, 0);
        EXPECT_EQ(game.placedTools.kind[0], -1);
        pressButton(c.tool);
        EXPECT_EQ(game.gameMode, ToolSelected);
        EXPECT_EQ(game.selectedTool, c.tool);
    }
}

TEST_F(CoreTools, APointToolIsPutDownOnlyFrom40To260AcrossAndFrom140To260Down)
{
    struct Case {
        int32_t x, y;
        bool accepted;
    };
    for (const Case& c :
         {Case{39, 200, false}, Case{40, 200, true}, Case{260, 200, true}, Case{261, 200, false},
          Case{150, 139, false}, Case{150, 140, true}, Case{150, 260, true}, Case{150, 261, false},
          Case{40, 140, true}, Case{260, 260, true}})
        for (uint8_t messages : {1, 0}) {
            SCOPED_TRACE("at " + std::to_string(c.x) + ", " + std::to_string(c.y) +
                         (messages ? "" : ", no hints"));
            game = startingGame();
            startMatch(1);
            game.options.messages = messages;
            layTable({});
            pressButton(ReflectVertical);
            pushed.clear();
            leftClickInMatch(c.x, c.y);
            if (c.accepted) {
                EXPECT_EQ(pushed, NONE);
                EXPECT_EQ(game.gameMode, Paused);
                EXPECT_EQ(game.placedToolCount, 1);
                EXPECT_EQ(game.placedTools.kind[0], ReflectVertical);
                EXPECT_EQ(game.placedTools.x[0], c.x);
                EXPECT_EQ(game.placedTools.y[0], c.y);
                EXPECT_EQ(game.placedTools.screenX[0], c.x);
                EXPECT_EQ(game.placedTools.screenY[0], c.y);
                EXPECT_EQ(game.usesLeft[ReflectVertical], 2);
            } else {
                // Refused whatever the hints, and nothing is spent.
                EXPECT_EQ(pushed, std::vector<std::string>{TOO_CLOSE});
                EXPECT_EQ(game.gameMode, ToolSelected);
                EXPECT_EQ(game.placedToolCount, 0);
                EXPECT_EQ(game.placedTools.kind[0], -1);
                EXPECT_EQ(game.usesLeft[ReflectVertical], 3);
            }
        }
}

TEST_F(CoreTools, StopPassesOverABallAtRestAndStoppingTheLastLeavesTheTurnOpen)
{
    // Ball 2 rests 2 pixels from the click, ball 4 rolls 3 pixels from it: the lower index is
    // met first, and passed over.
    startMatch(1);
    layTable({{2, 150, 200}, {4, 155, 200, 1.0, 0.5}, {9, 60, 150, 1.0, 0}});
    lightTimeButtons();
    pressButton(Stop);
    pushed.clear();
    leftClickInMatch(152, 200);
    EXPECT_EQ(pushed, (std::vector<std::string>{"Ball's speed is aready zero", "Ball stopped"}));
    EXPECT_EQ(game.balls[4].vx, 0);
    EXPECT_EQ(game.balls[4].vy, 0);
    EXPECT_EQ(game.balls[9].vx, 1.0);
    EXPECT_EQ(game.gameMode, Paused);
    EXPECT_EQ(game.selectedTool, -1);
    EXPECT_EQ(game.usesLeft[Stop], 1);
    EXPECT_EQ(game.buttonState[TimeToggle], Available) << "ball 9 still rolls";

    // Stopping the last rolling ball darkens the time buttons; the turn goes on.
    pressButton(Stop);
    clickBall(9);
    EXPECT_EQ(game.usesLeft[Stop], 0);
    EXPECT_EQ(game.buttonState[TimeToggle], Unavailable);
    EXPECT_EQ(game.buttonState[TimeToggleRow2], Unavailable);
    EXPECT_EQ(game.gameMode, Paused);
    EXPECT_EQ(game.match.turnNumber, 1);
    EXPECT_EQ(lastPushed(), "Ball stopped");

    // Stop on a ball at rest alone: refused whatever the hints, nothing spent.
    for (uint8_t messages : {1, 0}) {
        game = startingGame();
        startMatch(1);
        game.options.messages = messages;
        layTable({{2, 150, 200}});
        pressButton(Stop);
        pushed.clear();
        clickBall(2);
        EXPECT_EQ(pushed, std::vector<std::string>{"Ball's speed is aready zero"});
        EXPECT_EQ(game.gameMode, ToolSelected);
        EXPECT_EQ(game.usesLeft[Stop], 2);
    }
}

TEST_F(CoreTools, ACueStrokeIsATenthOfTheWayToTheClickAndTheTickCapsIt)
{
    startMatch(1);
    layTable({{0, 150, 200, 0, 0, 3}});
    pressButton(Cue);
    pushed.clear();
    leftClickInMatch(153, 203);
    EXPECT_EQ(game.gameMode, Aiming);
    EXPECT_EQ(game.selectedBall, 0);
    EXPECT_EQ(game.balls[0].selected, 1);
    EXPECT_EQ(pushed, std::vector<std::string>{"Select direction"});
    pushed.clear();
    leftClickInMatch(180, 160);
    EXPECT_EQ(game.balls[0].vx, 3.0);
    EXPECT_EQ(game.balls[0].vy, -4.0);
    EXPECT_EQ(game.balls[0].value, 2);
    EXPECT_EQ(game.balls[0].selected, 0);
    EXPECT_EQ(pushed, std::vector<std::string>{"Ball's speed/direction changed (value -1)"});
    EXPECT_EQ(game.gameMode, Paused);
    EXPECT_EQ(game.selectedBall, -1);
    EXPECT_EQ(game.selectedTool, -1);
    EXPECT_EQ(game.usesLeft[Cue], 4);
    EXPECT_EQ(game.buttonState[TimeToggle], Available) << "time may now be started";
    // The first tick moves the ball by the whole stroke, then friction and the cap of 3.
    toggleTime();
    runTick();
    EXPECT_EQ(game.balls[0].x, 153.0);
    EXPECT_EQ(game.balls[0].y, 196.0);
    EXPECT_NEAR(game.balls[0].vx, 1.8, 1e-12);
    EXPECT_NEAR(game.balls[0].vy, -2.4, 1e-12);
}

TEST_F(CoreTools, ACueStrokeAgainstTheMotionCanStopTheLastBallWithoutEndingTheTurn)
{
    startMatch(1);
    layTable({{0, 150, 200, 1.0, 0}});
    lightTimeButtons();
    pressButton(Cue);
    clickBall(0);
    leftClickInMatch(140, 200);
    EXPECT_EQ(game.balls[0].vx, 0);
    EXPECT_EQ(game.balls[0].vy, 0);
    EXPECT_EQ(game.buttonState[TimeToggle], Unavailable);
    EXPECT_EQ(game.buttonState[TimeToggleRow2], Unavailable);
    EXPECT_EQ(game.gameMode, Paused);
    EXPECT_EQ(game.match.turnNumber, 1);
}

TEST_F(CoreTools, ABallIsHitWithin7PixelsOfItsCentreAndTheLowerIndexWins)
{
    struct Case {
        int32_t x, y;
        int32_t ball; // chosen, or -1
    };
    // Ball 3 at (150, 200), ball 2 at (160, 200).
    for (const Case& c :
         {Case{157, 200, 2}, Case{143, 200, -1}, Case{144, 200, 3}, Case{150, 207, -1},
          Case{155, 200, 2}, Case{153, 200, 3}, Case{160, 206, 2}, Case{167, 200, -1}}) {
        SCOPED_TRACE("click at " + std::to_string(c.x) + ", " + std::to_string(c.y));
        game = startingGame();
        startMatch(1);
        layTable({{3, 150, 200}, {2, 160, 200}});
        pressButton(Cue);
        leftClickInMatch(c.x, c.y);
        EXPECT_EQ(game.selectedBall, c.ball);
        EXPECT_EQ(game.gameMode, c.ball < 0 ? ToolSelected : Aiming);
    }
}

TEST_F(CoreTools, TheRightButtonLetsGoOfAToolWaitingForItsClick)
{
    struct Case {
        const char* name;
        void (*setUp)();
        bool acts;
    };
    const Case cases[] = {
        {"a Cue waiting for its ball", [] { pressButton(Cue); }, true},
        {"a Cue aiming",
         [] {
             pressButton(Cue);
             clickBall(0);
         },
         true},
        {"a Fan waiting for its stream after a Magnet",
         [] {
             pressButton(Magnet);
             leftClickInMatch(200, 150);
             pressButton(Fan);
             leftClickInMatch(100, 250);
         },
         true},
        {"no hints",
         [] {
             game.options.messages = 0;
             pressButton(Cue);
         },
         true},
        {"paused", [] {}, false},
        {"running", [] { toggleTime(); }, false},
        {"the start menu", [] { game.gameMode = StartMenu; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        game = startingGame();
        rollingTable();
        c.setUp();
        const GameState before = game;
        pushed.clear();
        cancelTool();
        if (!c.acts) {
            EXPECT_EQ(differences(before, game), NO_DIFFERENCE);
            EXPECT_EQ(pushed, NONE);
            continue;
        }
        EXPECT_EQ(pushed, std::vector<std::string>{"Tool deselected"});
        EXPECT_EQ(game.gameMode, Paused);
        EXPECT_EQ(game.selectedTool, -1);
        EXPECT_EQ(game.selectedBall, -1);
        EXPECT_EQ(litButtons(), std::vector<int32_t>{});
        for (const Ball& ball : game.balls) EXPECT_EQ(ball.selected, 0);
        // Nothing is spent, and what was placed before stays.
        for (int32_t k = 0; k < TOOL_COUNT; ++k) EXPECT_EQ(game.usesLeft[k], before.usesLeft[k]);
        EXPECT_EQ(game.placedToolCount, before.placedToolCount);
        if (before.placedToolCount == 1) {
            EXPECT_EQ(game.placedTools.kind[0], Magnet);
            EXPECT_EQ(game.placedTools.x[0], 200.0);
            EXPECT_EQ(before.placedTools.kind[1], Fan);
            EXPECT_EQ(game.placedTools.kind[1], -1);
            EXPECT_EQ(game.placedTools.screenX[1], -1);
            EXPECT_EQ(game.placedTools.screenY[1], -1);
            EXPECT_EQ(game.placedTools.x[1], -1.0);
            EXPECT_EQ(game.placedTools.y[1], -1.0);
            EXPECT_EQ(game.placedTools.dirX[1], 0.0);
            EXPECT_EQ(game.placedTools.dirY[1], 0.0);
        }
    }
}

TEST_F(CoreTools, EndTurnWhileTimeRunsStopsEveryBallAndHandsTheTurnOver)
{
    startMatch(2);
    layTable({{0, 60, 150, 1.0, 0}, {6, 200, 200, -2.0, 1.0}});
    lightTimeButtons();
    toggleTime();
    heard.clear();
    pressButton(EndTurn);
    EXPECT_EQ(ballsMoving(), 0);
    EXPECT_EQ(game.gameMode, Paused);
    EXPECT_EQ(game.match.currentPlayer, 1);
    EXPECT_EQ(lastPushed(), "Player 2, your turn now");
    // The row switch paused time and stopped the clock; the end of the turn stops it again.
    EXPECT_EQ(heard, (std::vector<std::string>{halt(1), halt(1)}));
}

TEST_F(CoreTools, QuitGameWhileTimeRunsLeavesForTheMenuWithTheClockSilent)
{
    rollingTable();
    toggleTime();
    heard.clear();
    pressButton(QuitGame);
    EXPECT_EQ(game.gameMode, StartMenu);
    EXPECT_EQ(heard, (std::vector<std::string>{halt(1), music(MusicMenu, -1)}));
}

} // namespace
