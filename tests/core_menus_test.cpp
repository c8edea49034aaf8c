// The start menu, the options menu, the end screen, the escape key and the starting and pausing
// of time, as operations of the core.
#include "core_play.h"
#include "rules/game_tick.h"
#include "rules/menus.h"
#include "rules/screen_layout.h"
#include "rules/time_control.h"
#include "rules/tool_use.h"

namespace {

class CoreMenus : public CorePlay {};
class CoreTime : public CorePlay {};

TEST_F(CoreMenus, TheRowUnderTheMouseIsStrictlyInsideTheMenuBand)
{
    // x, y and the row there.
    const int32_t cases[][3] = {{90, 140, -1},  {91, 136, 0},  {199, 151, 0}, {200, 140, -1},
                                {100, 135, -1}, {100, 152, 1}, {100, 168, 1}, {100, 169, 2},
                                {100, 186, 3},  {100, 202, 3}, {100, 203, 4}, {100, 219, 4},
                                {100, 220, 5},  {100, 224, 5}, {100, 225, -1}};
    for (const auto& [x, y, row] : cases) EXPECT_EQ(menuRowAt(x, y), row) << x << ", " << y;
}

TEST_F(CoreMenus, EachStartMenuRowLeadsWhereItSaysAndGreets)
{
    const Lines tutorial = {"Welcome to the Kestrola tutorial!",
                            "ESC exits this tutorial, ENTER opens next page"};
    struct Case {
        int32_t row, mode, gameKindBefore, gameKind;
        Lines greeting;
        bool quits, track; // track: an in-game track starts, with music on
    };
    const Case cases[] = {
        {0, TutorialFirstPage, 1, 1, tutorial, false, true},
        {1, Paused, 2, 1, {"Your goal is to get up to 980 points in 10 turns"}, false, true},
        {2, Paused, 1, 2, {"Player 1, your first move"}, false, true},
        {3, OptionsMenu, 2, 2, {}, false, false},
        {4, StartMenu, 2, 2, {}, true, false},
        {5, StartMenu, 2, 2, {}, false, false},
        {-1, StartMenu, 2, 2, {}, false, false},
    };
    for (const Case& c : cases)
        for (uint8_t musicOn : {1, 0}) {
            SCOPED_TRACE(joined("row, music:", c.row, musicOn));
            game = startingGame();
            game.options.music = musicOn;
            game.match.gameKind = c.gameKindBefore;
            EXPECT_EQ(chooseStartMenuRow(c.row), c.quits);
            EXPECT_EQ(std::tuple(game.gameMode, game.match.gameKind),
                      std::tuple(c.mode, c.gameKind));
            EXPECT_EQ(pushed, c.greeting);
            // The first draw of chance from the start is 16838: the in-game track 16838 mod 4.
            EXPECT_EQ(heard, c.track && musicOn ? Lines{music(2, -1)} : NONE);
            forget();
        }
}

TEST_F(CoreMenus, WithMusicOffNeitherTheStartNorTheRotationPlaysATrack)
{
    game.options.music = 0;
    chooseStartMenuRow(1);
    uint32_t now = 0;
    for (int32_t ms = 0; ms < 200000; ++ms) tickWhenDue(++now);
    EXPECT_EQ(heard, NONE);
}

TEST_F(CoreMenus, ANewMatchAfterAnAbandonedOneStartsOnAFreshField)
{
    // A turn half played: tools used and placed, a ball pocketed, the second row shown, time
    // running; then escape.
    startMatch(1, {{0, 150, 200, 1, 0, 4}, {3, 60, 150, 0, 0, 2}});
    pressButton(ReflectHorizontal);
    leftClickInMatch(200, 250);
    pressButton(Cue);
    clickBall(0);
    leftClickInMatch(170, 200);
    game.match = {1, 6, 10, 1, {35, 20}, {3, 2}, 0}; // turn 6, player 2's go, a winner set
    game.balls[7] = {15, 25, 0, 0, 12, 0, 0, 0, 15, 25, 1, -1, 0};
    toggleTime();
    pressButton(Magnet);
    ASSERT_EQ(game.buttonRow, 1);
    leaveToStartMenu();
    game.menuSelection = 2;

    chooseStartMenuRow(2);
    const MatchRecord& m = game.match;
    EXPECT_EQ(std::tuple(game.gameMode, m.gameKind, m.turnNumber, m.currentPlayer, m.winner),
              std::tuple(Paused, 2, 1, 0, -1));
    EXPECT_EQ(std::tuple(m.points[0], m.points[1], m.ballsPocketed[0], m.ballsPocketed[1]),
              std::tuple(0, 0, 0, 0));
    // The rack: four columns from x 90, five rows from y 160; ball 0 top left.
    for (int32_t i = 0; i < BALL_COUNT; ++i) {
        const Ball& b = game.balls[i];
        EXPECT_EQ(std::tuple(b.x, b.y, b.vx, b.vy),
                  std::tuple(90.0 + 40 * (i % 4), 160.0 + 20 * (i / 4), 0.0, 0.0))
            << "ball " << i;
        EXPECT_TRUE(b.value == 0 && b.onTable && b.pocketedBy == -1 && !b.selected) << i;
    }
    expectFreshTools();
    EXPECT_EQ(std::tuple(game.buttonRow, game.selectedTool, game.selectedBall, game.menuSelection),
              std::tuple(0, -1, -1, -1));
}

TEST_F(CoreMenus, TheSpeedRowCyclesAndTheTicksFollowItsInterval)
{
    game.gameMode = OptionsMenu;
    uint32_t now = 1000;
    for (const auto& [speed, interval] :
         {std::pair(50, 20), {60, 16}, {10, 100}, {20, 50}, {30, 33}, {40, 25}}) {
        chooseOptionsRow(0);
        EXPECT_EQ(std::tuple(game.options.speed, game.options.tickInterval, game.optionsSelection),
                  std::tuple(speed, interval, 0));
        // A tick now; the next one only once the interval has passed.
        now += 1000;
        const uint32_t ran = game.ticksRun;
        EXPECT_TRUE(tickWhenDue(now));
        EXPECT_FALSE(tickWhenDue(now + interval - 1)) << speed;
        EXPECT_TRUE(tickWhenDue(now + interval)) << speed;
        EXPECT_EQ(game.ticksRun, ran + 2);
    }
}

TEST_F(CoreMenus, TheOtherOptionRowsToggleAndGoBack)
{
    // The row chosen, then messages, sound and music after it, and the screen.
    const int32_t cases[][5] = {{1, 0, 1, 1, OptionsMenu}, {2, 1, 0, 1, OptionsMenu},
                                {3, 1, 1, 0, OptionsMenu}, {4, 1, 1, 1, StartMenu},
                                {5, 1, 1, 1, OptionsMenu}, {-1, 1, 1, 1, OptionsMenu}};
    for (const auto& [row, messages, sound, musicOn, mode] : cases) {
        game = startingGame();
        game.gameMode = OptionsMenu;
        highlightMenuRow(2);
        forget();
        chooseOptionsRow(row);
        const OptionsRecord& o = game.options;
        EXPECT_EQ(std::tuple(o.messages, o.sound, o.music, o.speed, game.gameMode),
                  std::tuple(messages, sound, musicOn, 40, mode))
            << "row " << row;
        EXPECT_EQ(game.optionsSelection, row);
        // Music off halts it; sound off leaves what already sounds.
        EXPECT_EQ(heard, row == 3 ? Lines{HALT_MUSIC} : NONE);
    }
    // Each switch turned twice is back on (the music's return is played in tests/replay).
    for (int32_t row : {1, 1, 2, 2}) chooseOptionsRow(row);
    EXPECT_TRUE(game.options.messages && game.options.sound);
}

TEST_F(CoreMenus, TheHighlightFollowsOnlyTheMenuOnScreen)
{
    // The mode, and the start menu's and the options' highlight after the mouse is over row 3.
    const int32_t cases[][3] = {{StartMenu, 3, -1},
                                {OptionsMenu, -1, 3},
                                {Paused, -1, -1},
                                {EndScreen, -1, -1},
                                {TutorialFirstPage, -1, -1}};
    for (const auto& [mode, menu, options] : cases) {
        game.gameMode = mode;
        game.menuSelection = game.optionsSelection = -1;
        highlightMenuRow(3);
        EXPECT_EQ(std::tuple(game.menuSelection, game.optionsSelection), std::tuple(menu, options))
            << "mode " << mode;
    }
}

// A click on the end screen, and escape from every mode, for the start menu and its tune.
TEST_F(CoreMenus, AClickOnTheEndScreenOrEscapeReturnsToTheStartMenu)
{
    const int32_t modes[] = {StartMenu,   Paused,    ToolSelected,      Aiming, Running,
                             OptionsMenu, EndScreen, TutorialFirstPage, 137,    TutorialLastPage};
    for (uint8_t musicOn : {1, 0}) {
        SCOPED_TRACE(musicOn ? "music on" : "music off");
        const Lines menuTune = musicOn ? Lines{music(MusicMenu, -1)} : NONE;
        game = startingGame();
        game.options.music = musicOn;
        game.gameMode = EndScreen;
        for (int32_t tick = 0; tick < 100; ++tick) runTick();
        ASSERT_NE(game.menuBallX, 307.0) << "the ball has bounced along";
        const int32_t cell = game.menuBallCell;
        game.menuSelection = 2;
        game.optionsSelection = 4;
        forget();
        leaveEndScreen();
        // The menu ball starts over from the right, in the same cell; no row is highlighted.
        EXPECT_EQ(std::tuple(game.menuBallX, game.menuBallY, game.menuBallSpeed, game.menuBallVy),
                  std::tuple(307.0, 263.0, 5.0, 0.0));
        EXPECT_EQ(
            std::tuple(game.gameMode, game.menuBallCell, game.menuSelection, game.optionsSelection),
            std::tuple(StartMenu, cell, -1, -1));
        EXPECT_EQ(heard, menuTune);

        // Escape: the menu track from its beginning; the clock of a running match stops.
        for (int32_t mode : modes)
            for (uint8_t soundOn : {1, 0}) {
                game.gameMode = mode;
                game.options.sound = soundOn;
                forget();
                leaveToStartMenu();
                EXPECT_EQ(game.gameMode, StartMenu);
                Lines expected = menuTune;
                if (soundOn) expected.push_back(halt(1));
                EXPECT_EQ(heard, expected) << "escape from " << mode << ", sound " << +soundOn;
            }
    }
}

// The space key, and the time button, from each mode.
TEST_F(CoreTime, SpaceStartsAndPausesTimeOnlyWhereItMay)
{
    const std::string clock = effect(EffectClock, 1, -1);
    struct Case {
        const char* name;
        int32_t mode;
        bool ballMoving;
        uint8_t messages, sound;
        int32_t modeAfter;
        Lines pushed, heard;
    };
    const Case cases[] = {
        {"paused, all at rest", Paused, false, 1, 1, Paused, {"Get balls moving first"}, {}},
        {"paused, all at rest, no hints", Paused, false, 0, 1, Paused, {}, {}},
        {"paused", Paused, true, 1, 1, Running, {}, {clock}},
        {"paused, sound off", Paused, true, 1, 0, Running, {}, {}},
        {"a tool selected", ToolSelected, true, 1, 1, Running, {}, {clock}},
        {"running", Running, true, 1, 1, Paused, {PAUSE_HINT}, {halt(1)}},
        {"running, no hints, sound off", Running, true, 0, 0, Paused, {"Pause"}, {}},
        {"aiming", Aiming, true, 1, 1, Aiming, {}, {}},
        {"start menu", StartMenu, false, 1, 1, StartMenu, {}, {}},
        {"options", OptionsMenu, false, 1, 1, OptionsMenu, {}, {}},
        {"end screen", EndScreen, false, 1, 1, EndScreen, {}, {}},
        {"tutorial", 129, false, 1, 1, 129, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startMatch(1, {{0, 150, 200, c.ballMoving ? 1.0 : 0.0, 0}});
        if (c.mode == ToolSelected) pressButton(Cue);
        if (c.mode == Running) toggleTime();
        game.gameMode = c.mode;
        game.options.messages = c.messages;
        game.options.sound = c.sound;
        forget();
        toggleTime();
        EXPECT_EQ(game.gameMode, c.modeAfter);
        EXPECT_EQ(pushed, c.pushed);
        EXPECT_EQ(heard, c.heard);
        // Time runs with no tool chosen and the time buttons lit; a pause by the key leaves
        // them lit.
        const bool lit = c.modeAfter == Running || c.mode == Running;
        if (c.modeAfter == Running) {
            EXPECT_EQ(std::tuple(game.selectedTool, game.buttonState[Cue]),
                      std::tuple(-1, Available));
        }
        EXPECT_EQ(game.buttonState[TimeToggle] == Active, lit);
        EXPECT_EQ(game.buttonState[TimeToggleRow2] == Active, lit);
    }
}

} // namespace
