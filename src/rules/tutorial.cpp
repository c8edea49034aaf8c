#include "rules/tutorial.h"
#include "physics/ball.h"
#include "physics/ball_view.h"
#include "rules/message_log.h"
#include "rules/match.h"
#include "rules/platform.h"
#include "rules/tool_catalogue.h"
#include "rules/turn_cycle.h"
#include "rules/game_mode.h"
#include <cstdlib>

int32_t pageDeadline = 0;

namespace {

struct ClickArea {
    int32_t page;
    int32_t left, right, top, bottom; // inclusive
};

// clang-format off
constexpr ClickArea CLICK_AREAS[] = {
    {104, 271, 299,  71,  99}, {107, 271, 299,  71,  99}, {152, 271, 299,  71,  99},
    {106, 271, 299,  71,  99}, {108, 271, 299,  71,  99},
    {119,  31,  59,  71,  99}, {131,  31,  59,  71,  99}, {145,  31,  59,  71,  99},
    {121,  38,  50, 136, 148},
    {124,  20,  26, 119, 125},
    {129,   1,  29,  71,  99}, {135,   1,  29,  71,  99}, {148,   1,  29,  71,  99},
    {133, 240, 256, 142, 158},
    {134, 272, 280, 116, 126},
    {139, 211, 239,  71,  99},
    {142, 140, 152, 194, 206},
    {143,  31,  39, 131, 139},
    {146,  29,  41, 129, 141},
    {147,  20,  26, 119, 125},
    {153, 121, 149,  71,  99},
    {154,   0, 65535, 101, 65535},
    {157,   1,  29,  71,  99},
};

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
constexpr int32_t ROLLING_BALL = 11;

bool inside(const ClickArea& area, int32_t x, int32_t y)
{
    return x >= area.left && x <= area.right && y >= area.top && y <= area.bottom;
}

void chooseBall(int32_t i)
{
    selectedBall = i;
    balls[i].selected = 1;
    aimX = balls[i].x;
    aimY = balls[i].y;
}

void selectTool(int32_t tool)
{
    buttonState[tool] = Active;
    selectedTool = tool;
}

void strike(int32_t i, double vx, double vy)
{
    balls[i].vx = vx;
    balls[i].vy = vy;
}

// After a scripted stroke or teleport: the ball and the tool are let go, and time may run.
void releaseChoice(int32_t tool)
{
    if (tool == Teleport)
        updateBallScreenPositions();
    else
        updateBallArrows();
    if (selectedBall >= 0) balls[selectedBall].selected = 0;
    selectedBall = -1;
    selectedTool = -1;
    buttonState[TimeToggle] = Available;
    buttonState[tool] = Available;
}

void scatterBalls()
{
    for (Ball& ball : balls) {
        ball.vx = std::rand() % 6 - 3;
        ball.vy = std::rand() % 6 - 3;
    }
    updateBallArrows();
    buttonState[TimeToggleRow2] = Available;
}

void performClick(int32_t page)
{
    switch (page) {
    case 104: case 107: case 152: buttonRow = 1; break;
    case 106: case 108: buttonRow = 0; break;
    case 119: case 131: case 145:
        selectTool(Cue);
        if (buttonState[TimeToggle] == Active) buttonState[TimeToggle] = Available;
        break;
    case 121: chooseBall(0); break;
    case 124: strike(0, -1, -1); releaseChoice(Cue); break;
    case 129: case 135: case 148: buttonState[TimeToggle] = Active; break;
    case 133: chooseBall(1); break;
    case 134: strike(1, 1, -1); releaseChoice(Cue); break;
    case 139: selectTool(Teleport); break;
    case 142: case 146: chooseBall(2); break;
    case 143:
        balls[2].x = 35;
        balls[2].y = 135;
        releaseChoice(Teleport);
        break;
    case 147: strike(2, -1, -1); releaseChoice(Cue); break;
    case 153: selectTool(Chaos); break;
    case 154: scatterBalls(); break;
    case 157: buttonState[TimeToggleRow2] = Active; break;
    default: break;
    }
}

bool asksForThePocket(int32_t page) { return page == 124 || page == 134 || page == 147; }

} // namespace

bool pageAutoAdvances(int32_t mode)
{
    return mode >= TutorialFirstPage && mode <= TutorialLastPage &&
           pageAutoAdvance[mode - TutorialFirstPage];
}

void arrangeDemonstrationTable()
{
    for (int32_t i = 0; i < FIRST_STRIP_BALL; ++i) {
        balls[i].value = DEMONSTRATION_TABLE[i].value;
        balls[i].x = DEMONSTRATION_TABLE[i].x;
        balls[i].y = DEMONSTRATION_TABLE[i].y;
    }
    // Ball 11 rolls without friction on the simulated pages, so no pocketing leaves the table
    // at rest.
    balls[ROLLING_BALL].vy = 1;
    updateBallScreenPositions();
    for (int32_t i = FIRST_STRIP_BALL; i < BALL_COUNT; ++i) {
        balls[i].value = DEMONSTRATION_TABLE[i].value;
        balls[i].screenX = static_cast<int32_t>(DEMONSTRATION_TABLE[i].x);
        balls[i].screenY = static_cast<int32_t>(DEMONSTRATION_TABLE[i].y);
        balls[i].onTable = 0;
    }
    Match.points[0] = 74;
    Match.ballsPocketed[0] = 6;
}

void advanceTutorialPage()
{
    ++gameMode;
    const int32_t line = 2 * (gameMode - TutorialFirstPage);
    // Past the last page the text table holds only empty lines.
    const bool hasText = line + 1 < TUTORIAL_TEXT_LINES;
    pushMessage(hasText ? tutorialText[line] : "");
    pushMessage(hasText ? tutorialText[line + 1] : "");
    if (gameMode == 117) arrangeDemonstrationTable();
    if (gameMode == 151) prepareField();
    pageDeadline = static_cast<int32_t>(currentTicks) + TUTORIAL_PAGE_DELAY_MS;
    if (gameMode > TutorialLastPage) gameMode = StartMenu;
    fullRedraw = 1;
    platform.drawFrame();
}

void tutorialClick(int32_t x, int32_t y)
{
    for (const ClickArea& area : CLICK_AREAS) {
        if (area.page != gameMode) continue;
        if (inside(area, x, y)) {
            performClick(area.page);
            advanceTutorialPage();
        } else if (asksForThePocket(area.page)) {
            pushMessage("Click exactly in the center of the pocket");
        }
        return;
    }
}
