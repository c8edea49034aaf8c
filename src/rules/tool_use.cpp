#include "rules/tool_use.h"
#include "physics/ball.h"
#include "physics/ball_tools.h"
#include "physics/ball_view.h"
#include "physics/field_effects.h"
#include "physics/simulation.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/message_log.h"
#include "rules/platform.h"
#include "rules/refusals.h"
#include "rules/screen_layout.h"
#include "rules/time_control.h"
#include "rules/tool_catalogue.h"
#include "rules/turn_cycle.h"
#include "rules/tutorial_pages.h"

namespace {

constexpr double HIT_RADIUS = 7;

// A tool button pressed while paused, or while time ran (the pause has already happened).
void pressToolButton(int32_t k)
{
    if (game.buttonState[k] == Unavailable) {
        if (game.options.messages) pushMessage(TOOL_UNAVAILABLE);
        return;
    }
    selectButton(k);
    game.gameMode = ToolSelected;
    if (k == QuitGame) {
        game.gameMode = StartMenu;
        fullRedraw = 1;
        if (game.options.music) platform.playMusic(MusicMenu, LOOP_FOREVER);
    } else if (k == EndTurn) {
        for (Ball& ball : game.balls) ball.vx = ball.vy = 0;
        endOfTurn();
    }
}

void pressButtonBand(int32_t x)
{
    if (x < TIME_BUTTON_RIGHT)
        startTime();
    else if (x >= NEXT_ROW_LEFT)
        switchButtonRow();
    else
        pressToolButton(buttonAt(x, game.buttonRow));
}

// A click with time running only acts in the button band: it pauses, then may select.
void clickWhileRunning(int32_t x, int32_t y)
{
    if (!inButtonBand(y)) return;
    game.gameMode = Paused;
    updateBallArrows();
    pushPauseMessage();
    game.buttonState[TimeToggle] = game.buttonState[TimeToggleRow2] = Available;
    if (x >= NEXT_ROW_LEFT)
        switchButtonRow();
    else if (x >= RUNNING_TOOL_LEFT)
        pressToolButton(buttonAt(x, game.buttonRow));
    if (game.options.sound) platform.haltChannel(CLOCK_CHANNEL);
}

void applyStop(int32_t i)
{
    stopBall(i);
    game.gameMode = Paused;
    game.selectedBall = -1;
    game.selectedTool = -1;
    updateBallArrows();
    consumeUse(Stop);
    // Stopping the last moving ball leaves the turn open; only EndTurn or a new push goes on.
    if (allBallsStopped())
        game.buttonState[TimeToggle] = game.buttonState[TimeToggleRow2] = Unavailable;
    pushMessage("Ball stopped");
}

// Balls are searched in index order; the first within reach is the one meant.
void pickBall(int32_t x, int32_t y)
{
    for (int32_t i = 0; i < BALL_COUNT; ++i) {
        Ball& ball = game.balls[i];
        if (!ball.onTable || !(distanceTo(ball, x, y) < HIT_RADIUS)) continue;
        if (game.selectedTool == Stop) {
            if (ball.vx == 0 && ball.vy == 0) {
                pushMessage(SPEED_ALREADY_ZERO);
                continue;
            }
            applyStop(i);
            return;
        }
        game.selectedBall = i;
        if (game.options.messages) pushMessage("Select direction");
        game.gameMode = Aiming;
        game.aimX = ball.x;
        game.aimY = ball.y;
        ball.selected = 1;
        return;
    }
}

void placeTool(int32_t x, int32_t y)
{
    if (x < PLACEMENT_AREA.left || x > PLACEMENT_AREA.right || y < PLACEMENT_AREA.top ||
        y > PLACEMENT_AREA.bottom) {
        pushMessage(TOO_CLOSE_TO_BORDER);
        return;
    }
    const int32_t s = game.placedToolCount;
    if (s < 0 || s >= PLACED_TOOL_SLOTS) return; // no turn places more than the slots hold
    game.placedTools.kind[s] = game.selectedTool;
    game.placedTools.x[s] = x;
    game.placedTools.y[s] = y;
    game.placedTools.screenX[s] = x;
    game.placedTools.screenY[s] = y;
    if (game.selectedTool == Fan) {
        // The Fan waits, uncounted, for the direction of its stream.
        game.gameMode = Aiming;
        if (game.options.messages) pushMessage("Select direction");
        game.aimX = x;
        game.aimY = y;
        return;
    }
    consumeUse(game.selectedTool);
    applyToolEffect(s);
    // A Reflect block sets a ball beside it at once: it is drawn where it now lies.
    updateBallScreenPositions();
    // A tool that leaves every ball at rest, once it has acted on all of them, has ended the
    // turn, even the match; the new turn (or the end screen) stands as the turn's end left it.
    if (game.gameMode != ToolSelected) return;
    if (game.selectedTool == Magnet)
        pushMessage("Magnet set (balls won't grow in value while in field)");
    refreshTimeToggle();
    updateBallArrows();
    if (!toolCatalogue[game.selectedTool].staysPlaced)
        clearPlacedTool(s);
    else
        game.placedToolCount = s + 1;
    game.gameMode = Paused;
}

void clickWithToolSelected(int32_t x, int32_t y)
{
    if (y < TABLE_CLICK_TOP) {
        if (inButtonBand(y)) pressButtonBand(x);
        return;
    }
    if (game.selectedTool < 0) return;
    if (toolCatalogue[game.selectedTool].target == TargetBall)
        pickBall(x, y);
    else if (toolCatalogue[game.selectedTool].target == TargetPoint)
        placeTool(x, y);
}

void completeApplication()
{
    // The Fan spent its use when its stream was set; a ball tool spends it now.
    if (toolCatalogue[game.selectedTool].target == TargetBall) consumeUse(game.selectedTool);
    game.gameMode = Paused;
    if (game.selectedBall >= 0) game.balls[game.selectedBall].selected = 0;
    game.selectedBall = -1;
    game.selectedTool = -1;
    updateBallScreenPositions();
    refreshTimeToggle();
}

// Play always enters aiming with its ball, or with the Fan waiting in a free slot; a state set
// from outside (the scripted driver's `set gameMode`) may have neither, and then a click aims
// nothing.
bool aimHasItsSubject()
{
    if (game.selectedTool < 0) return false;
    if (toolCatalogue[game.selectedTool].target == TargetBall)
        return game.selectedBall >= 0 && game.selectedBall < BALL_COUNT;
    return game.placedToolCount >= 0 && game.placedToolCount < PLACED_TOOL_SLOTS;
}

void clickWhileAiming(int32_t x, int32_t y)
{
    if (!aimHasItsSubject()) return;
    const int32_t b = game.selectedBall;
    if (game.selectedTool == Cue) {
        strikeBall(b, x, y);
    } else if (game.selectedTool == Fan) {
        const int32_t s = game.placedToolCount;
        game.placedTools.dirX[s] = (x - game.placedTools.x[s]) / 10;
        game.placedTools.dirY[s] = (y - game.placedTools.y[s]) / 10;
        consumeUse(Fan);
        applyToolEffect(s);
        refreshTimeToggle();
        updateBallArrows();
        game.gameMode = Paused;
        game.placedToolCount = s + 1;
        pushMessage("Fan set (balls won't grow in value while blown at)");
    } else if (game.selectedTool == Teleport) {
        if (!teleportBall(b, x, y)) return;
    } else if (game.selectedTool == Jump) {
        if (!jumpBall(b, x, y)) return;
    } else {
        return;
    }
    completeApplication();
}

} // namespace

void leftClickInMatch(int32_t x, int32_t y)
{
    switch (game.gameMode) {
    case Paused:
        if (inButtonBand(y)) pressButtonBand(x);
        break;
    case ToolSelected: clickWithToolSelected(x, y); break;
    case Aiming: clickWhileAiming(x, y); break;
    case Running: clickWhileRunning(x, y); break;
    default: break;
    }
}

void cancelTool()
{
    if (game.gameMode != ToolSelected && game.gameMode != Aiming) return;
    game.gameMode = Paused;
    game.selectedTool = -1;
    releaseActiveButtons();
    if (game.selectedBall >= 0) {
        game.balls[game.selectedBall].selected = 0;
        game.selectedBall = -1;
    }
    const bool slotInUse = game.placedToolCount >= 0 && game.placedToolCount < PLACED_TOOL_SLOTS;
    if (slotInUse && game.placedTools.kind[game.placedToolCount] != -1)
        clearPlacedTool(game.placedToolCount);
    pushMessage("Tool deselected");
}

void followAim(int32_t x, int32_t y)
{
    if (!(game.gameMode == Aiming || tutorialPage(game.gameMode).aimFollowsMouse)) return;
    if (game.selectedTool == Jump) {
        // The Jump keeps the ball's direction, and at rest it has none: the aim stays put.
        if (game.selectedBall >= 0) jumpTarget(game.selectedBall, x, y, game.aimX, game.aimY);
    } else if (game.selectedTool >= 0 && toolCatalogue[game.selectedTool].aims) {
        game.aimX = x;
        game.aimY = y;
    }
}
