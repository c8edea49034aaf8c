// A stand-in for the computer player, just enough to take its turns through the shell: it cues
// the first ball on the table towards the middle of the Table and lets time run. It thinks about
// nothing, so it never uses its tick budget. The seats it plays are read in computer_seats.cpp.
#include "rules/computer_player.h"
#include "physics/ball.h"
#include "physics/simulation.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/screen_layout.h"
#include "rules/tool_catalogue.h"
#include <cmath>

namespace {

constexpr int32_t BUTTON_CLICK_Y = BUTTON_ROW_Y + BUTTON_SIZE / 2;
constexpr ScreenPoint TABLE_MIDDLE = {WINDOW_WIDTH / 2,
                                      TABLE_TOP + (WINDOW_HEIGHT - TABLE_TOP) / 2};
constexpr ScreenPoint ROW_SWITCH = {NEXT_ROW_LEFT + 14, BUTTON_CLICK_Y};

// The pace: the next input is due at this time, once `pacing` has started on this move.
bool pacing = false;
uint32_t nextInputAt = 0;
// The aim is shown with a motion before the click that strikes.
bool aimShown = false;

ComputerInput none() { return {InputNone, 0, 0}; }
ComputerInput leftClick(int32_t x, int32_t y) { return {InputLeftClick, x, y}; }

// A click on tool k's button, or on the row switch when k is on the other row.
ComputerInput pressButton(int32_t k)
{
    if (k / BUTTONS_PER_ROW != game.buttonRow) return leftClick(ROW_SWITCH.x, ROW_SWITCH.y);
    return leftClick(BUTTON_SIZE * (k % BUTTONS_PER_ROW) + BUTTON_SIZE / 2, BUTTON_CLICK_Y);
}

int32_t firstBallOnTable()
{
    for (int32_t i = 0; i < BALL_COUNT; ++i)
        if (game.balls[i].onTable) return i;
    return -1;
}

// The middle of the Table, or, for a ball lying there, a point to its left.
ScreenPoint aimPoint()
{
    const Ball& ball = game.balls[game.selectedBall];
    if (std::fabs(ball.x - TABLE_MIDDLE.x) + std::fabs(ball.y - TABLE_MIDDLE.y) < 20)
        return {TABLE_MIDDLE.x - 60, TABLE_MIDDLE.y};
    return TABLE_MIDDLE;
}

ComputerInput nextInput()
{
    switch (game.gameMode) {
    case Paused:
        if (!allBallsStopped()) return {InputSpace, 0, 0};
        if (game.buttonState[Cue] != Unavailable && firstBallOnTable() >= 0)
            return pressButton(Cue);
        return pressButton(EndTurn);
    case ToolSelected: {
        const int32_t b = firstBallOnTable();
        if (game.selectedTool != Cue || b < 0) return pressButton(EndTurn);
        return leftClick(static_cast<int32_t>(std::lround(game.balls[b].x)),
                         static_cast<int32_t>(std::lround(game.balls[b].y)));
    }
    case Aiming: {
        if (game.selectedBall < 0) return none();
        const ScreenPoint aim = aimPoint();
        aimShown = !aimShown;
        return aimShown ? ComputerInput{InputMotion, aim.x, aim.y} : leftClick(aim.x, aim.y);
    }
    default: return none();
    }
}

} // namespace

bool computerHasTheGame()
{
    const int32_t player = game.match.currentPlayer;
    return isMatchMode(game.gameMode) && player >= 0 && player < 2 &&
           computerSeats.plays[player] != 0;
}

ComputerInput computerPass(uint32_t now, int32_t)
{
    // While the balls roll the move waits; once they rest, the next input takes its step again.
    if (game.gameMode == Running) {
        pacing = false;
        return none();
    }
    if (!pacing) {
        pacing = true;
        nextInputAt = now + COMPUTER_STEP_MS;
        return none();
    }
    if (static_cast<int32_t>(now - nextInputAt) < 0) return none();
    nextInputAt = now + COMPUTER_STEP_MS;
    return nextInput();
}
