#include "rules/tutorial.h"
#include "physics/ball.h"
#include "physics/ball_view.h"
#include "physics/simulation.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/match.h"
#include "rules/message_log.h"
#include "rules/platform.h"
#include "rules/random.h"
#include "rules/tool_catalogue.h"
#include "rules/turn_cycle.h"
#include "rules/tutorial_pages.h"

namespace {

// clang-format off
// Page 117's table: value and centre of balls 0 to 12, then value and strip position of the
// balls 13 to 19 that are shown as already pocketed.
struct ArrangedBall {
    int32_t value;
    double x, y;
};
constexpr ArrangedBall DEMONSTRATION_TABLE[BALL_COUNT] = {
    {49,  44, 142}, {20, 248, 150}, {10, 146, 200}, { 1, 148, 171}, { 0, 134, 181},
    { 1, 160, 186}, { 1, 174, 198}, { 1, 118, 198}, { 2, 132, 215}, { 1, 164, 215},
    { 0, 150, 217}, { 0, 216, 214}, { 1, 120, 240},
    {30,  15,  25}, { 5,  29,  25}, {12,  43,  25}, {24,  57,  25}, { 2,  58,  25},
    { 0,  72,  25}, { 1,  86,  25},
};
// clang-format on

constexpr int32_t FIRST_STRIP_BALL = 13;
// The ball that rolls on the simulated pages; it gains no value there.
constexpr int32_t ROLLING_BALL = 11;

bool inside(const ClickRect& area, int32_t x, int32_t y)
{
    return x >= area.left && x <= area.right && y >= area.top && y <= area.bottom;
}

void chooseBall(int32_t i)
{
    game.selectedBall = i;
    game.balls[i].selected = 1;
    game.aimX = game.balls[i].x;
    game.aimY = game.balls[i].y;
}

void selectTool(int32_t tool)
{
    game.buttonState[tool] = Active;
    game.selectedTool = tool;
}

void strike(int32_t i, double vx, double vy)
{
    game.balls[i].vx = vx;
    game.balls[i].vy = vy;
}

// After a scripted stroke or teleport: the ball and the tool are let go, and time may run.
void releaseChoice(int32_t tool)
{
    if (tool == Teleport)
        updateBallScreenPositions();
    else
        updateBallArrows();
    if (game.selectedBall >= 0) game.balls[game.selectedBall].selected = 0;
    game.selectedBall = -1;
    game.selectedTool = -1;
    game.buttonState[TimeToggle] = Available;
    game.buttonState[tool] = Available;
}

void scatterBalls()
{
    for (Ball& ball : game.balls) {
        ball.vx = gameRandom() % 6 - 3;
        ball.vy = gameRandom() % 6 - 3;
    }
    updateBallArrows();
    game.buttonState[TimeToggleRow2] = Available;
}

void perform(int32_t action)
{
    switch (action) {
    case ShowFirstRow: game.buttonRow = 0; break;
    case ShowSecondRow: game.buttonRow = 1; break;
    case SelectCue:
        selectTool(Cue);
        if (game.buttonState[TimeToggle] == Active) game.buttonState[TimeToggle] = Available;
        break;
    case SelectTeleport: selectTool(Teleport); break;
    case SelectChaos: selectTool(Chaos); break;
    case ChooseBall0: chooseBall(0); break;
    case ChooseBall1: chooseBall(1); break;
    case ChooseBall2: chooseBall(2); break;
    case StrikeBall0:
        strike(0, -1, -1);
        releaseChoice(Cue);
        break;
    case StrikeBall1:
        strike(1, 1, -1);
        releaseChoice(Cue);
        break;
    case StrikeBall2:
        strike(2, -1, -1);
        releaseChoice(Cue);
        break;
    case TeleportBall2:
        game.balls[2].x = 35;
        game.balls[2].y = 135;
        releaseChoice(Teleport);
        break;
    case ScatterBalls: scatterBalls(); break;
    case LightTime: game.buttonState[TimeToggle] = Active; break;
    case LightSecondTime: game.buttonState[TimeToggleRow2] = Active; break;
    default: break;
    }
}

} // namespace

void arrangeDemonstrationTable()
{
    for (int32_t i = 0; i < FIRST_STRIP_BALL; ++i) {
        game.balls[i].value = DEMONSTRATION_TABLE[i].value;
        game.balls[i].x = DEMONSTRATION_TABLE[i].x;
        game.balls[i].y = DEMONSTRATION_TABLE[i].y;
    }
    // Ball 11 rolls without friction on the simulated pages, so no pocketing leaves the table
    // at rest.
    game.balls[ROLLING_BALL].vy = 1;
    updateBallScreenPositions();
    for (int32_t i = FIRST_STRIP_BALL; i < BALL_COUNT; ++i) {
        game.balls[i].value = DEMONSTRATION_TABLE[i].value;
        game.balls[i].screenX = static_cast<int32_t>(DEMONSTRATION_TABLE[i].x);
        game.balls[i].screenY = static_cast<int32_t>(DEMONSTRATION_TABLE[i].y);
        game.balls[i].onTable = 0;
    }
    game.match.points[0] = 74;
    game.match.ballsPocketed[0] = 6;
}

void tutorialTick()
{
    tickBalls(tutorialPage(game.gameMode).friction);
    game.balls[ROLLING_BALL].value = 0;
    updateBallScreenPositions();
}

void turnPageByKey()
{
    if (tutorialPage(game.gameMode).turnsByItself) advanceTutorialPage();
}

void advanceTutorialPage()
{
    ++game.gameMode;
    // Past the last page there is nothing to say: two empty lines.
    const TutorialPage& page = tutorialPage(game.gameMode);
    pushMessage(page.lines[0]);
    pushMessage(page.lines[1]);
    if (page.setUp == DemonstrationTable) arrangeDemonstrationTable();
    if (page.setUp == FreshRack) prepareField();
    game.pageDeadline = static_cast<int32_t>(game.currentTicks) + TUTORIAL_PAGE_DELAY_MS;
    if (game.gameMode > TutorialLastPage) game.gameMode = StartMenu;
    fullRedraw = 1;
}

void tutorialClick(int32_t x, int32_t y)
{
    const TutorialPage& page = tutorialPage(game.gameMode);
    if (page.action == NoAction) return;
    if (inside(page.click, x, y)) {
        perform(page.action);
        advanceTutorialPage();
    } else if (page.pocketHint) {
        pushMessage("Click exactly in the center of the pocket");
    }
}
