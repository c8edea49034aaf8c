// The start menu, the options menu, the end screen, the escape key and the starting and pausing
// of time, as operations of the core.
#include "core_play.h"
#include "rules/game_tick.h"
#include "rules/menus.h"
#include "rules/screen_layout.h"
#include "rules/time_control.h"
#include "rules/tool_catalogue.h"
#include "rules/tool_use.h"
#include "rules/tutorial.h"

namespace {

class CoreMenus : public CorePlay {};
class CoreTime : public CorePlay {};

const std::vector<std::string> NONE;
const std::vector<std::string> NO_DIFFERENCE;
const std::string PAUSE_HINT = "Game paused. You may wish to apply tools now.";
// The first draw of the game's generator from its start is 16838: the in-game track 16838 mod 4.
constexpr int32_t FIRST_TRACK = 2;

TEST_F(CoreMenus, TheRowUnderTheMouseIsStrictlyInsideTheMenuBand)
{
    struct Case {
        int32_t x, y, row;
    };
    for (const Case& c :
         {Case{90, 140, -1}, Case{91, 136, 0}, Case{199, 151, 0}, Case{200, 140, -1},
          Case{100, 135, -1}, Case{100, 152, 1}, Case{100, 168, 1}, Case{100, 169, 2},
          Case{100, 186, 3}, Case{100, 202, 3}, Case{100, 203, 4}, Case{100, 219, 4},
          Case{100, 220, 5}, Case{100, 224, 5}, Case{100, 225, -1}})
        EXPECT_EQ(menuRowAt(c.x, c.y), c.row) << "at " << c.x << ", " << c.y;
}

TEST_F(CoreMenus, EachStartMenuRowLeadsWhereItSaysAndGreets)
{
    struct Case {
        int32_t row;
        int32_t mode;
        int32_t gameKindBefore, gameKind;
        std::vector<std::string> greeting;
        bool quits;
        bool music; // an in-game track starts
    };
    const Case cases[] = {
        {0,
         TutorialFirstPage,
         1,
         1,
         {"Welcome to the Kestrola tutorial!", "ESC exits this tutorial, ENTER opens next page"},
         false,
         true},
        {1, Paused, 2, 1, {"Your goal is to get up to 980 points in 10 turns"}, false, true},
        {2, Paused, 1, 2, {"Player 1, your first move"}, false, true},
        {3, OptionsMenu, 2, 2, {}, false, false},
        {4, StartMenu, 2, 2, {}, true, false},
        {5, StartMenu, 2, 2, {}, false, false},
        {-1, StartMenu, 2, 2, {}, false, false},
    };
    for (const Case& c : cases)
        for (uint8_t musicOn : {1, 0}) {
            SCOPED_TRACE("row " + std::to_string(c.row) + (musicOn ? ", music on" : ", music off"));
            game = startingGame();
            game.options.music = musicOn;
            game.match.gameKind = c.gameKindBefore;
            heard.clear();
            pushed.clear();
            EXPECT_EQ(chooseStartMenuRow(c.row), c.quits);
            EXPECT_EQ(game.gameMode, c.mode);
            EXPECT_EQ(game.match.gameKind, c.gameKind);
            EXPECT_EQ(pushed, c.greeting);
            EXPECT_EQ(heard,
                      c.music && musicOn ? std::vector<std::string>{music(FIRST_TRACK, -1)} : NONE);
        }
}

TEST_F(CoreMenus, TheTutorialGivesItsFirstPageTenSeconds)
{
    game.currentTicks = 1234;
    chooseStartMenuRow(0);
    EXPECT_EQ(game.pageDeadline, 11234);
}

TEST_F(CoreMenus, ANewMatchAfterAnAbandonedOneStartsOnAFreshField)
{
    startMatch(1);
    // A turn half played: tools used and placed, a ball pocketed, the second row shown, time
    // running; then escape.
    layTable({{0, 150, 200, 1, 0, 4}, {3, 60, 150, 0, 0, 2}});
    pressButton(ReflectHorizontal);
    leftClickInMatch(200, 250);
    pressButton(Cue);
    clickBall(0);
    leftClickInMatch(170, 200);
    game.match.points[0] = 35;
    game.match.ballsPocketed[0] = 3;
    game.match.turnNumber = 6;
    game.balls[7].onTable = 0;
    game.balls[7].pocketedBy = 0;
    game.balls[7].value = 12;
    toggleTime();
    pressButton(Magnet);
    ASSERT_EQ(game.buttonRow, 1);
    leaveToStartMenu();
    game.menuSelection = 2;

    chooseStartMenuRow(2);
    EXPECT_EQ(game.gameMode, Paused);
    EXPECT_EQ(game.match.gameKind, 2);
    EXPECT_EQ(game.match.turnNumber, 1);
    EXPECT_EQ(game.match.currentPlayer, 0);
    EXPECT_EQ(game.match.winner, -1);
    for (int32_t p : {0, 1}) {
        EXPECT_EQ(game.match.points[p], 0);
        EXPECT_EQ(game.match.ballsPocketed[p], 0);
    }
    // The rack: four columns from x 90, five rows from y 160; ball 0 top left, ball 19 bottom
    // right.
    for (int32_t i = 0; i < BALL_COUNT; ++i) {
        const Ball& ball = game.balls[i];
        SCOPED_TRACE("ball " + std::to_string(i));
        EXPECT_EQ(ball.x, 90 + 40 * (i % 4));
        EXPECT_EQ(ball.y, 160 + 20 * (i / 4));
        EXPECT_EQ(ball.vx, 0);
        EXPECT_EQ(ball.vy, 0);
        EXPECT_EQ(ball.value, 0);
        EXPECT_EQ(ball.onTable, 1);
        EXPECT_EQ(ball.pocketedBy, -1);
        EXPECT_EQ(ball.selected, 0);
    }
    EXPECT_EQ(game.balls[19].x, 210);
    EXPECT_EQ(game.balls[19].y, 240);
    const int32_t charges[TOOL_COUNT] = {100, 5, 1, 1, 2, 3,   3,   2,   2,   100,
                                         100, 1, 2, 1, 1, 100, 100, 100, 100, 100};
    for (int32_t k = 0; k < TOOL_COUNT; ++k) {
        SCOPED_TRACE("button " + std::to_string(k));
        EXPECT_EQ(game.usesLeft[k], charges[k]);
        EXPECT_EQ(game.buttonState[k], k == TimeToggle || k == TimeToggleRow2 ? -1 : 0);
    }
    EXPECT_EQ(game.placedToolCount, 0);
    EXPECT_EQ(game.placedTools.kind[0], -1);
    EXPECT_EQ(game.placedTools.x[0], -1.0);
    EXPECT_EQ(game.buttonRow, 0);
    EXPECT_EQ(game.selectedTool, -1);
    EXPECT_EQ(game.selectedBall, -1);
    EXPECT_EQ(game.menuSelection, -1);
}

TEST_F(CoreMenus, WithMusicOffNeitherTheStartNorTheRotationPlaysATrack)
{
    game.options.music = 0;
    chooseStartMenuRow(1);
    uint32_t now = 0;
    for (int32_t pass = 0; pass < 200000; ++pass) tickWhenDue(++now);
    EXPECT_EQ(heard, NONE);
}

TEST_F(CoreMenus, TheSpeedRowCyclesAndTheTicksFollowItsInterval)
{
    struct Case {
        int32_t speed, interval;
    };
    const Case cycle[] = {{50, 20}, {60, 16}, {10, 100}, {20, 50}, {30, 33}, {40, 25}};
    game.gameMode = OptionsMenu;
    uint32_t now = 1000;
    for (const Case& c : cycle) {
        SCOPED_TRACE("speed " + std::to_string(c.speed));
        chooseOptionsRow(0);
        EXPECT_EQ(game.options.speed, c.speed);
        EXPECT_EQ(game.options.tickInterval, c.interval);
        EXPECT_EQ(game.optionsSelection, 0);
        // A tick now; the next one only once the interval has passed.
        now += 1000;
        const uint32_t ran = game.ticksRun;
        EXPECT_TRUE(tickWhenDue(now));
        EXPECT_FALSE(tickWhenDue(now + c.interval - 1));
        EXPECT_TRUE(tickWhenDue(now + c.interval));
        EXPECT_EQ(game.ticksRun, ran + 2);
    }
}

TEST_F(CoreMenus, TheOtherOptionRowsToggleAndGoBack)
{
    struct Case {
        int32_t row;
        uint8_t messages, sound, music;
        int32_t mode;
        std::vector<std::string> heard;
    };
    const Case cases[] = {
        {1, 0, 1, 1, OptionsMenu, {}},
        {2, 1, 0, 1, OptionsMenu, {}}, // what already sounds goes on
        {3, 1, 1, 0, OptionsMenu, {HALT_MUSIC}},
        {4, 1, 1, 1, StartMenu, {}},
        {5, 1, 1, 1, OptionsMenu, {}},
        {-1, 1, 1, 1, OptionsMenu, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("row " + std::to_string(c.row));
        game = startingGame();
        game.gameMode = OptionsMenu;
        highlightMenuRow(2);
        heard.clear();
        chooseOptionsRow(c.row);
        EXPECT_EQ(game.options.messages, c.messages);
        EXPECT_EQ(game.options.sound, c.sound);
        EXPECT_EQ(game.options.music, c.music);
        EXPECT_EQ(game.options.speed, 40);
        EXPECT_EQ(game.gameMode, c.mode);
        EXPECT_EQ(game.optionsSelection, c.row);
        EXPECT_EQ(heard, c.heard);
    }
    // Each switch turned twice is back where it was; music comes back with the menu track.
    game = startingGame();
    game.gameMode = OptionsMenu;
    heard.clear();
    for (int32_t row : {1, 1, 2, 2, 3, 3}) chooseOptionsRow(row);
    EXPECT_EQ(game.options.messages, 1);
    EXPECT_EQ(game.options.sound, 1);
    EXPECT_EQ(game.options.music, 1);
    EXPECT_EQ(heard, (std::vector<std::string>{HALT_MUSIC, music(MusicMenu, -1)}));
}

TEST_F(CoreMenus, TheHighlightFollowsOnlyTheMenuOnScreen)
{
    struct Case {
        int32_t mode;
        int32_t menuSelection, optionsSelection;
    };
    for (const Case& c : {Case{StartMenu, 3, -1}, Case{OptionsMenu, -1, 3}, Case{Paused, -1, -1},
                          Case{EndScreen, -1, -1}, Case{TutorialFirstPage, -1, -1}}) {
        SCOPED_TRACE("mode " + std::to_string(c.mode));
        game = startingGame();
        game.gameMode = c.mode;
        highlightMenuRow(3);
        EXPECT_EQ(game.menuSelection, c.menuSelection);
        EXPECT_EQ(game.optionsSelection, c.optionsSelection);
    }
}

TEST_F(CoreMenus, AClickOnTheEndScreenReturnsToTheMenuWithItsBallBackAtTheStart)
{
    for (uint8_t musicOn : {1, 0}) {
        SCOPED_TRACE(musicOn ? "music on" : "music off");
        game = startingGame();
        game.options.music = musicOn;
        game.gameMode = EndScreen;
        for (int32_t tick = 0; tick < 100; ++tick) runTick();
        ASSERT_NE(game.menuBallX, 307.0) << "the ball has bounced along";
        const int32_t cell = game.menuBallCell;
        game.menuSelection = 2;
        game.optionsSelection = 4;
        heard.clear();
        leaveEndScreen();
        EXPECT_EQ(game.gameMode, StartMenu);
        EXPECT_EQ(game.menuBallX, 307.0);
        EXPECT_EQ(game.menuBallY, 263.0);
        EXPECT_EQ(game.menuBallSpeed, 5.0);
        EXPECT_EQ(game.menuBallVy, 0.0);
        EXPECT_EQ(game.menuBallCell, cell);
        EXPECT_EQ(game.menuSelection, -1);
        EXPECT_EQ(game.optionsSelection, -1);
        EXPECT_EQ(heard, musicOn ? std::vector<std::string>{music(MusicMenu, -1)} : NONE);
    }
}

TEST_F(CoreMenus, EscapeLeavesEveryModeForTheStartMenu)
{
    const int32_t modes[] = {StartMenu,   Paused,    ToolSelected,      Aiming, Running,
                             OptionsMenu, EndScreen, TutorialFirstPage, 137,    TutorialLastPage};
    for (int32_t mode : modes)
        for (uint8_t musicOn : {1, 0})
            for (uint8_t soundOn : {1, 0}) {
                SCOPED_TRACE("mode " + std::to_string(mode) + ", music " + std::to_string(musicOn) +
                             ", sound " + std::to_string(soundOn));
                game = startingGame();
                game.gameMode = mode;
                game.options.music = musicOn;
                game.options.sound = soundOn;
                heard.clear();
                leaveToStartMenu();
                EXPECT_EQ(game.gameMode, StartMenu);
                // The menu track from its beginning; the clock of a running match stops.
                std::vector<std::string> expected;
                if (musicOn) expected.push_back(music(MusicMenu, -1));
                if (soundOn) expected.push_back(halt(1));
                EXPECT_EQ(heard, expected);
            }
}

TEST_F(CoreMenus, EnterOutsideTheTutorialChangesNothing)
{
    for (int32_t mode : {StartMenu, Paused, Running, OptionsMenu, EndScreen}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        game = startingGame();
        game.gameMode = mode;
        const GameState before = game;
        turnPageByKey();
        EXPECT_EQ(differences(before, game), NO_DIFFERENCE);
    }
}

// The space key, and the time button, from each mode.
TEST_F(CoreTime, SpaceStartsAndPausesTimeOnlyWhereItMay)
{
    struct Case {
        const char* name;
        int32_t mode;
        bool ballMoving;
        uint8_t messages, sound;
        int32_t modeAfter;
        std::vector<std::string> pushed;
        std::vector<std::string> heard;
    };
    const Case cases[] = {
        {"paused, all at rest", Paused, false, 1, 1, Paused, {"Get balls moving first"}, {}},
        {"paused, all at rest, no hints", Paused, false, 0, 1, Paused, {}, {}},
        {"paused", Paused, true, 1, 1, Running, {}, {effect(EffectClock, 1, -1)}},
        {"paused, sound off", Paused, true, 1, 0, Running, {}, {}},
        {"a tool selected", ToolSelected, true, 1, 1, Running, {}, {effect(EffectClock, 1, -1)}},
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
        game = startingGame();
        startMatch(1);
        layTable({{0, 150, 200, c.ballMoving ? 1.0 : 0.0, 0}});
        if (c.ballMoving) lightTimeButtons();
        if (c.mode == ToolSelected) pressButton(Cue);
        if (c.mode == Running) toggleTime();
        game.gameMode = c.mode;
        game.options.messages = c.messages;
        game.options.sound = c.sound;
        heard.clear();
        pushed.clear();
        toggleTime();
        EXPECT_EQ(game.gameMode, c.modeAfter);
        EXPECT_EQ(pushed, c.pushed);
        EXPECT_EQ(heard, c.heard);
        if (c.modeAfter == Running) {
            // Time runs with no tool chosen and both time buttons lit.
            EXPECT_EQ(game.selectedTool, -1);
            EXPECT_EQ(game.buttonState[Cue], Available);
        }
        if (c.modeAfter == Running || c.mode == Running) {
            // A pause by the key leaves the time buttons lit.
            EXPECT_EQ(game.buttonState[TimeToggle], Active);
            EXPECT_EQ(game.buttonState[TimeToggleRow2], Active);
        }
    }
}

} // namespace
