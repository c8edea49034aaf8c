// The tools as a player uses them through clicks: the button band, the charges of a turn, where
// a tool may be put down, the Stop, the Cue, the right button, EndTurn and QuitGame.
#include "core_play.h"
#include "rules/game_tick.h"
#include "rules/time_control.h"
#include "rules/tool_use.h"
#include <array>

namespace {

class CoreButtonBand : public CorePlay {};
class CoreTools : public CorePlay {};

const std::string CUE = "Cue stroke - changes direction/speed (value -1)";
const std::string MAGNET = "Magnet - magnifies balls, but no score for bounces";
const std::string REFLECT = "Reflect - balls bounce from horiz. block";
const std::string UNAVAILABLE = "Tool inavailable untill next turn";
const std::string TOO_CLOSE = "Can't apply tool: too close to border";
const std::string STRUCK = "Ball's speed/direction changed (value -1)";

// The buttons lit up: the selected tool, or the time buttons while time runs.
std::vector<int32_t> litButtons()
{
    std::vector<int32_t> lit;
    for (int32_t k = 0; k < TOOL_COUNT; ++k)
        if (game.buttonState[k] == Active) lit.push_back(k);
    return lit;
}

// What stands before a click in the band table below: paused with ball 0 rolling, or any of
// these: time running, a Reflect waiting for its click, the Cue used up, no hints, ball 0 at rest.
enum Before { PAUSED = 0, RUNS = 1, REFLECT_WAITS = 2, CUE_SPENT = 4, NO_HINTS = 8, AT_REST = 16 };

TEST_F(CoreButtonBand, AClickActsByWhereItFallsAndWhetherTimeRunsOrAToolWaits)
{
    const std::string fan = "Fan - stream directs balls, but no score for bounces";
    const std::string jump = "Jump - ball jumps in the CURRENT direction";
    struct Case {
        int32_t before, x, y, rowBefore, mode, tool, rowAfter;
        Lines pushed;
    };
    const Case cases[] = {
        // Paused: the time button (dark while every ball rests), the tools, the row's last
        // button, the row switch.
        {PAUSED, 29, 85, 0, Running, -1, 0, {}},
        {AT_REST, 10, 85, 0, Paused, -1, 0, {"Get balls moving first"}},
        {AT_REST | NO_HINTS, 10, 85, 0, Paused, -1, 0, {}},
        {PAUSED, 30, 85, 0, ToolSelected, Cue, 0, {CUE, usesLeftLine(5)}},
        {PAUSED, 59, 85, 0, ToolSelected, Cue, 0, {CUE, usesLeftLine(5)}},
        {PAUSED, 60, 85, 0, ToolSelected, Fan, 0, {fan, usesLeftLine(1)}},
        {PAUSED, 269, 85, 0, ToolSelected, Jump, 0, {jump, usesLeftLine(2)}},
        {PAUSED, 270, 85, 0, ToolSelected, NextRow, 0, {"Next page"}},
        {PAUSED, 271, 85, 0, Paused, -1, 1, {}},
        // The band is rows 71 to 99.
        {PAUSED, 150, 70, 0, Paused, -1, 0, {}},
        {PAUSED, 150, 71, 0, ToolSelected, ReflectHorizontal, 0, {REFLECT, usesLeftLine(3)}},
        {PAUSED, 150, 99, 0, ToolSelected, ReflectHorizontal, 0, {REFLECT, usesLeftLine(3)}},
        {PAUSED, 150, 100, 0, Paused, -1, 0, {}},
        {PAUSED, 150, 200, 0, Paused, -1, 0, {}},
        {PAUSED, 10, 85, 1, Running, -1, 1, {}},
        {PAUSED, 30, 85, 1, ToolSelected, Magnet, 1, {MAGNET, usesLeftLine(1)}},
        {PAUSED, 165, 85, 1, ToolSelected, BlankLeft, 1, {""}},
        {PAUSED, 225, 85, 1, ToolSelected, BlankRight, 1, {""}},
        {PAUSED, 270, 85, 1, ToolSelected, NextRowRow2, 1, {"Next page"}},
        {PAUSED, 271, 85, 1, Paused, -1, 0, {}},
        // While time runs a click in the band pauses first, and up to x 30 only pauses; nowhere
        // else does a click act, the Table included. Without hints the pause still says so.
        {RUNS, 30, 85, 0, Paused, -1, 0, {PAUSE_HINT}},
        {RUNS, 31, 85, 0, ToolSelected, Cue, 0, {PAUSE_HINT, CUE, usesLeftLine(5)}},
        {RUNS | NO_HINTS, 45, 85, 0, ToolSelected, Cue, 0, {"Pause", usesLeftLine(5)}},
        {RUNS, 270, 85, 0, ToolSelected, NextRow, 0, {PAUSE_HINT, "Next page"}},
        {RUNS, 271, 85, 0, Paused, -1, 1, {PAUSE_HINT}},
        {RUNS, 31, 85, 1, ToolSelected, Magnet, 1, {PAUSE_HINT, MAGNET, usesLeftLine(1)}},
        {RUNS, 299, 85, 1, Paused, -1, 0, {PAUSE_HINT}},
        {RUNS, 150, 70, 0, Running, -1, 0, {}},
        {RUNS, 150, 100, 0, Running, -1, 0, {}},
        {RUNS, 150, 200, 0, Running, -1, 0, {}},
        // A tool waiting takes only the band and the Table from row 126 on.
        {REFLECT_WAITS, 150, 69, 0, ToolSelected, ReflectHorizontal, 0, {}},
        {REFLECT_WAITS, 150, 100, 0, ToolSelected, ReflectHorizontal, 0, {}},
        {REFLECT_WAITS, 150, 125, 0, ToolSelected, ReflectHorizontal, 0, {}},
        {REFLECT_WAITS, 150, 126, 0, ToolSelected, ReflectHorizontal, 0, {TOO_CLOSE}},
        {REFLECT_WAITS, 150, 140, 0, Paused, ReflectHorizontal, 0, {}},
        {REFLECT_WAITS, 45, 85, 0, ToolSelected, Cue, 0, {CUE, usesLeftLine(5)}},
        {REFLECT_WAITS, 285, 85, 0, ToolSelected, -1, 1, {}},
        // A used-up tool refuses, with a hint only when hints are on; time still pauses.
        {CUE_SPENT, 45, 85, 0, Paused, -1, 0, {UNAVAILABLE}},
        {CUE_SPENT | NO_HINTS, 45, 85, 0, Paused, -1, 0, {}},
        {CUE_SPENT | RUNS, 45, 85, 0, Paused, -1, 0, {PAUSE_HINT, UNAVAILABLE}},
        {CUE_SPENT | RUNS | NO_HINTS, 45, 85, 0, Paused, -1, 0, {"Pause"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(joined("before, x, y, row:", c.before, c.x, c.y, c.rowBefore));
        startMatch(1, {{0, 150, 200, c.before & AT_REST ? 0.0 : 1.0, 0}});
        game.buttonRow = c.rowBefore;
        if (c.before & CUE_SPENT) {
            game.usesLeft[Cue] = 0;
            game.buttonState[Cue] = Unavailable;
        }
        if (c.before & RUNS) toggleTime();
        if (c.before & REFLECT_WAITS) pressButton(ReflectHorizontal);
        game.options.messages = !(c.before & NO_HINTS);
        forget();
        leftClickInMatch(c.x, c.y);
        EXPECT_EQ(std::tuple(game.gameMode, game.selectedTool, game.buttonRow),
                  std::tuple(c.mode, c.tool, c.rowAfter));
        EXPECT_EQ(pushed, c.pushed);
        // Lit: the time buttons while time runs, else the tool selected.
        const bool ran = c.before & RUNS, runs = c.mode == Running;
        std::vector<int32_t> lit;
        if (runs) lit = {TimeToggle, TimeToggleRow2};
        if (c.mode == ToolSelected && c.tool >= 0) lit = {c.tool};
        EXPECT_EQ(litButtons(), lit);
        EXPECT_TRUE(!(c.before & CUE_SPENT) || game.buttonState[Cue] == Unavailable);
        // Heard: only starting time, the clock looping on its channel, or pausing it, which
        // stops the clock and lets the time buttons go.
        EXPECT_EQ(heard, runs == ran ? NONE : Lines{runs ? effect(EffectClock, 1, -1) : halt(1)});
        if (ran && !runs) {
            EXPECT_EQ(std::tuple(game.buttonState[TimeToggle], game.buttonState[TimeToggleRow2]),
                      std::tuple(Available, Available));
        }
    }
    // No Table click acts after the row switch (-1) has let go of the tool, nor with NextRow, a
    // blank or NextRowRow2 selected, which act on nothing there.
    for (int32_t k : {-1, 9, 15, 17, 19}) {
        startMatch(1, {ROLLING});
        pressButton(k < 0 ? ReflectHorizontal : k);
        if (k < 0) leftClickInMatch(285, BAND_Y);
        const GameState selected = game;
        leftClickInMatch(150, 200);
        leftClickInMatch(150, 250);
        EXPECT_EQ(differences(selected, game), NONE) << "button " << k;
    }
}

// One application of the tool on a table whose ball 0 rolls through the middle, placed tools
// away from it; the n-th use goes to the n-th spot.
void applyOnce(int32_t tool, int32_t n)
{
    layTable({ROLLING});
    pressButton(tool);
    ASSERT_EQ(game.gameMode, ToolSelected);
    const bool ballTool = tool == Cue || tool == Stop || tool == Teleport || tool == Jump;
    if (ballTool) clickBall(0);
    if (tool == Cue) leftClickInMatch(160, 200);
    if (tool == Teleport) leftClickInMatch(100, 170);
    if (tool == Jump) leftClickInMatch(170, 200);
    if (tool == Fan) {
        leftClickInMatch(100, 250);
        ASSERT_EQ(game.gameMode, Aiming);
        EXPECT_EQ(game.placedToolCount, 0) << "a Fan counts once its stream is set";
        leftClickInMatch(110, 250);
    } else if (!ballTool) {
        leftClickInMatch(60 + 40 * n, 250);
    }
}

TEST_F(CoreTools, EachToolHasItsChargesForATurnAndGetsThemBackWithTheNext)
{
    for (int32_t tool : {Cue, Fan, Tilt, Stop, ReflectHorizontal, ReflectVertical, Teleport, Jump,
                         Magnet, Hammer, Boost, Chaos}) {
        SCOPED_TRACE("tool " + std::to_string(tool));
        const bool stays =
            tool == Fan || tool == ReflectHorizontal || tool == ReflectVertical || tool == Magnet;
        const int32_t perTurn = CHARGES[tool];
        startMatch(1);
        EXPECT_EQ(game.usesLeft[tool], perTurn);
        for (int32_t n = 1; n <= perTurn; ++n) {
            pushed.clear();
            applyOnce(tool, n);
            ASSERT_FALSE(HasFatalFailure());
            EXPECT_EQ(pushed.at(1), usesLeftLine(perTurn - n + 1));
            EXPECT_EQ(std::tuple(game.gameMode, game.match.turnNumber, game.usesLeft[tool]),
                      std::tuple(Paused, 1, perTurn - n));
            EXPECT_EQ(game.buttonState[tool], n < perTurn ? Available : Unavailable);
            EXPECT_EQ(std::tuple(game.placedToolCount, game.placedTools.kind[0]),
                      std::tuple(stays ? n : 0, stays ? tool : -1));
        }
        // Used up: a further click selects nothing until the turn ends.
        const int32_t selected = game.selectedTool;
        pressButton(tool);
        EXPECT_EQ(lastPushed(), UNAVAILABLE);
        EXPECT_EQ(std::tuple(game.gameMode, game.selectedTool), std::tuple(Paused, selected));
        EXPECT_EQ(litButtons(), std::vector<int32_t>{});

        pressButton(EndTurn);
        EXPECT_EQ(game.match.turnNumber, 2);
        expectFreshTools();
        pressButton(tool);
        EXPECT_EQ(std::tuple(game.gameMode, game.selectedTool), std::tuple(ToolSelected, tool));
    }
}

TEST_F(CoreTools, APointToolIsPutDownOnlyFrom40To260AcrossAndFrom140To260Down)
{
    // x, y, and whether a tool is put down there.
    const int32_t cases[][3] = {{39, 200, 0},  {40, 200, 1},  {260, 200, 1}, {261, 200, 0},
                                {150, 139, 0}, {150, 140, 1}, {150, 260, 1}, {150, 261, 0},
                                {40, 140, 1},  {260, 260, 1}};
    for (const auto& [x, y, accepted] : cases)
        for (uint8_t messages : {1, 0}) {
            SCOPED_TRACE(joined("x, y, hints:", x, y, messages));
            startMatch(1);
            game.options.messages = messages;
            layTable({});
            pressButton(ReflectVertical);
            pushed.clear();
            leftClickInMatch(x, y);
            // Refused whatever the hints, and nothing is spent.
            EXPECT_EQ(pushed, accepted ? NONE : Lines{TOO_CLOSE});
            EXPECT_EQ(
                std::tuple(game.gameMode, game.usesLeft[ReflectVertical], game.placedToolCount),
                accepted ? std::tuple(Paused, 2, 1) : std::tuple(ToolSelected, 3, 0));
            const PlacedToolSlots& p = game.placedTools;
            if (accepted) {
                EXPECT_EQ(std::tuple(p.kind[0], p.screenX[0], p.screenY[0]),
                          std::tuple(ReflectVertical, x, y));
                EXPECT_EQ(std::tuple(p.x[0], p.y[0]), std::tuple(1.0 * x, 1.0 * y));
            }
        }
}

TEST_F(CoreTools, StopPassesOverABallAtRestAndRefusesOneAlone)
{
    // Ball 2 rests 2 pixels from the click, ball 4 rolls 3 pixels from it: the lower index is
    // met first, and passed over.
    startMatch(1, {{2, 150, 200}, {4, 155, 200, 1.0, 0.5}, {9, 60, 150, 1.0, 0}});
    pressButton(Stop);
    pushed.clear();
    leftClickInMatch(152, 200);
    EXPECT_EQ(pushed, (Lines{"Ball's speed is aready zero", "Ball stopped"}));
    EXPECT_EQ(std::tuple(game.balls[4].vx, game.balls[4].vy, game.balls[9].vx),
              std::tuple(0.0, 0.0, 1.0));
    EXPECT_EQ(std::tuple(game.gameMode, game.selectedTool, game.usesLeft[Stop]),
              std::tuple(Paused, -1, 1));
    EXPECT_EQ(game.buttonState[TimeToggle], Available) << "ball 9 still rolls";

    // A ball at rest alone: refused whatever the hints, nothing spent.
    for (uint8_t messages : {1, 0}) {
        startMatch(1);
        game.options.messages = messages;
        layTable({{2, 150, 200}});
        pressButton(Stop);
        pushed.clear();
        clickBall(2);
        EXPECT_EQ(pushed, Lines{"Ball's speed is aready zero"});
        EXPECT_EQ(std::tuple(game.gameMode, game.usesLeft[Stop]), std::tuple(ToolSelected, 2));
    }
}

TEST_F(CoreTools, ATenthOfTheWayToTheClickIsTheCueStrokeAndTheTickCapsIt)
{
    startMatch(1, {{0, 150, 200, 0, 0, 3}});
    pressButton(Cue);
    pushed.clear();
    leftClickInMatch(153, 203);
    EXPECT_EQ(std::tuple(game.gameMode, game.selectedBall, game.balls[0].selected),
              std::tuple(Aiming, 0, uint8_t{1}));
    EXPECT_EQ(pushed, Lines{"Select direction"});
    pushed.clear();
    leftClickInMatch(180, 160);
    const Ball& b = game.balls[0];
    EXPECT_EQ(std::tuple(b.vx, b.vy, b.value, b.selected), std::tuple(3.0, -4.0, 2, uint8_t{0}));
    EXPECT_EQ(pushed, Lines{STRUCK});
    EXPECT_EQ(std::tuple(game.gameMode, game.selectedBall, game.selectedTool, game.usesLeft[Cue]),
              std::tuple(Paused, -1, -1, 4));
    EXPECT_EQ(game.buttonState[TimeToggle], Available) << "time may now be started";
    // The first tick moves the ball by the whole stroke, then friction and the cap of 3.
    toggleTime();
    runTick();
    EXPECT_EQ(std::tuple(b.x, b.y), std::tuple(153.0, 196.0));
    EXPECT_NEAR(b.vx, 1.8, 1e-12);
    EXPECT_NEAR(b.vy, -2.4, 1e-12);
}

TEST_F(CoreTools, ATurnIsLeftOpenByAToolThatStopsTheLastRollingBall)
{
    for (int32_t tool : {Stop, Cue}) { // the Cue strikes against the motion
        startMatch(1, {{0, 150, 200, 1.0, 0}});
        pressButton(tool);
        clickBall(0);
        if (tool == Cue) leftClickInMatch(140, 200);
        EXPECT_EQ(
            std::tuple(ballsMoving(), game.usesLeft[tool], game.gameMode, game.match.turnNumber),
            std::tuple(0, CHARGES[tool] - 1, Paused, 1));
        EXPECT_EQ(std::tuple(game.buttonState[TimeToggle], game.buttonState[TimeToggleRow2]),
                  std::tuple(Unavailable, Unavailable));
        EXPECT_EQ(lastPushed(), tool == Stop ? "Ball stopped" : STRUCK);
    }
}

TEST_F(CoreTools, ABallIsHitWithin7PixelsOfItsCentreAndTheLowerIndexWins)
{
    // Ball 3 at (150, 200), ball 2 at (160, 200).
    // x, y, and the ball chosen, or -1.
    const int32_t cases[][3] = {{157, 200, 2}, {143, 200, -1}, {144, 200, 3}, {150, 207, -1},
                                {155, 200, 2}, {153, 200, 3},  {160, 206, 2}, {167, 200, -1}};
    for (const auto& [x, y, ball] : cases) {
        startMatch(1, {{3, 150, 200}, {2, 160, 200}});
        pressButton(Cue);
        leftClickInMatch(x, y);
        EXPECT_EQ(std::tuple(game.selectedBall, game.gameMode),
                  std::tuple(ball, ball < 0 ? ToolSelected : Aiming))
            << x << ", " << y;
    }
}

TEST_F(CoreTools, TheRightButtonLetsGoOfAToolWaitingForItsClick)
{
    // Nothing waits while paused, while time runs, or on a menu.
    for (int32_t mode : {Paused, Running, StartMenu}) {
        startMatch(1, {ROLLING});
        game.gameMode = mode;
        const GameState before = game;
        cancelTool();
        EXPECT_EQ(differences(before, game), NONE) << mode;
        EXPECT_EQ(pushed, NONE);
    }
    // A Cue waiting for its ball, a Cue aiming, a Fan waiting for its stream; a Magnet lies there.
    const std::function<void()> waiting[] = {
        [] { pressButton(Cue); },
        [] {
            pressButton(Cue);
            clickBall(0);
        },
        [] {
            pressButton(Fan);
            leftClickInMatch(100, 250);
            ASSERT_EQ(game.placedTools.kind[1], Fan);
        },
    };
    startMatch(1, {ROLLING});
    pressButton(Magnet);
    leftClickInMatch(200, 150);
    for (uint8_t messages : {1, 0})
        for (const auto& wait : waiting) {
            game.options.messages = messages;
            wait();
            ASSERT_NE(game.gameMode, Paused);
            const GameState before = game;
            pushed.clear();
            cancelTool();
            EXPECT_EQ(pushed, Lines{"Tool deselected"});
            EXPECT_EQ(std::tuple(game.gameMode, game.selectedTool, game.selectedBall),
                      std::tuple(Paused, -1, -1));
            EXPECT_EQ(litButtons(), std::vector<int32_t>{});
            for (const Ball& ball : game.balls) EXPECT_EQ(ball.selected, 0);
            // Nothing is spent, the Magnet stays, and a Fan's waiting slot is emptied.
            EXPECT_EQ(std::to_array(game.usesLeft), std::to_array(before.usesLeft));
            EXPECT_EQ(std::tuple(game.placedToolCount, game.placedTools.kind[0]),
                      std::tuple(1, Magnet));
            expectSlotEmpty(1);
        }
}

// EndTurn and QuitGame pressed while time runs: the row switch pauses first.
TEST_F(CoreTools, LeavingATurnOrTheGameWhileTimeRunsSilencesTheClock)
{
    struct Case {
        int32_t button, mode, player;
        std::string message;
        Lines heard;
    };
    const Case cases[] = {
        // Every ball stops and the turn passes; its end stops the clock again.
        {EndTurn, Paused, 1, "Player 2, your turn now", {halt(1), halt(1)}},
        {QuitGame, StartMenu, 0, "Current game stopped", {halt(1), music(MusicMenu, -1)}},
    };
    for (const Case& c : cases) {
        startMatch(2, {{0, 60, 150, 1.0, 0}, {6, 200, 200, -2.0, 1.0}});
        toggleTime();
        forget();
        pressButton(c.button);
        EXPECT_EQ(std::tuple(game.gameMode, game.match.currentPlayer),
                  std::tuple(c.mode, c.player));
        EXPECT_EQ(lastPushed(), c.message);
        EXPECT_EQ(heard, c.heard);
        EXPECT_EQ(ballsMoving(), c.button == EndTurn ? 0 : 2);
    }
}

} // namespace
