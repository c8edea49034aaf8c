#include "shell/tool_clicks.h"
#include "physics/ball.h"
#include "physics/ball_tools.h"
#include "physics/ball_view.h"
#include "physics/field_effects.h"
#include "physics/simulation.h"
#include "render/frame.h"
#include "rules/game_mode.h"
#include "rules/message_log.h"
#include "rules/tool_catalogue.h"
#include "rules/turn_cycle.h"
#include "shell/audio.h"
#include "shell/time_control.h"

namespace {

constexpr double HIT_RADIUS = 7;
constexpr int32_t TABLE_CLICK_TOP = 126;

bool inButtonBand(int32_t y) { return y > 70 && y < 100; }
int32_t buttonAt(int32_t x) { return x / 30 + 10 * buttonRow; }

// A tool button pressed while paused, or while time ran (the pause has already happened).
void pressToolButton(int32_t k)
{
    if (buttonState[k] == Unavailable) {
        if (Options.messages) pushMessage("Tool inavailable untill next turn");
        return;
    }
    selectButton(k);
    gameMode = ToolSelected;
    if (k == QuitGame) {
        gameMode = StartMenu;
        fullRedraw = 1;
        if (Options.music) playMusic(MusicMenu, LOOP_FOREVER);
    } else if (k == EndTurn) {
        for (Ball& ball : balls) ball.vx = ball.vy = 0;
        endOfTurn();
    }
}

void pressButtonBand(int32_t x)
{
    if (x < 30)
        startTime();
    else if (x >= 271)
        switchButtonRow();
    else
        pressToolButton(buttonAt(x));
}

// A click with time running only acts in the button band: it pauses, then may select.
void clickWhileRunning(int32_t x, int32_t y)
{
    if (!inButtonBand(y)) return;
    gameMode = Paused;
    updateBallArrows();
    pushPauseMessage();
    buttonState[TimeToggle] = buttonState[TimeToggleRow2] = Available;
    if (x >= 271)
        switchButtonRow();
    else if (x >= 31)
        pressToolButton(buttonAt(x));
    if (Options.sound) haltChannel(CLOCK_CHANNEL);
}

void applyStop(int32_t i)
{
    stopBall(i);
    gameMode = Paused;
    selectedBall = -1;
    selectedTool = -1;
    updateBallArrows();
    consumeUse(Stop);
    // Stopping the last moving ball leaves the turn open; only EndTurn or a new push goes on.
    if (allBallsStopped()) buttonState[TimeToggle] = buttonState[TimeToggleRow2] = Unavailable;
    pushMessage("Ball stopped");
}

// Balls are searched in index order; the first within reach is the one meant.
void pickBall(int32_t x, int32_t y)
{
    for (int32_t i = 0; i < BALL_COUNT; ++i) {
        Ball& ball = balls[i];
        if (!ball.onTable || !(distanceTo(ball, x, y) < HIT_RADIUS)) continue;
        if (selectedTool == Stop) {
            if (ball.vx == 0 && ball.vy == 0) {
                pushMessage("Ball's speed is aready zero");
                continue;
            }
            applyStop(i);
            return;
        }
        selectedBall = i;
        if (Options.messages) pushMessage("Select direction");
        gameMode = Aiming;
        aimX = ball.x;
        aimY = ball.y;
        ball.selected = 1;
        return;
    }
}

void placeTool(int32_t x, int32_t y)
{
    if (x < 40 || x > 260 || y < 140 || y > 260) {
        pushMessage("Can't apply tool: too close to border");
        return;
    }
    const int32_t s = placedToolCount;
    if (s < 0 || s >= PLACED_TOOL_SLOTS) return; // no turn places more than the slots hold
    PlacedTool.kind[s] = selectedTool;
    PlacedTool.x[s] = x;
    PlacedTool.y[s] = y;
    PlacedTool.screenX[s] = x;
    PlacedTool.screenY[s] = y;
    if (selectedTool == Fan) {
        // The Fan waits, uncounted, for the direction of its stream.
        gameMode = Aiming;
        if (Options.messages) pushMessage("Select direction");
        aimX = x;
        aimY = y;
        return;
    }
    consumeUse(selectedTool);
    applyToolEffect(s);
    // A Reflect block sets a ball beside it at once: it is drawn where it now lies.
    updateBallScreenPositions();
    // A tool that leaves every ball at rest, once it has acted on all of them, has ended the
    // turn, even the match; the new turn (or the end screen) stands as the turn's end left it.
    if (gameMode != ToolSelected) return;
    if (selectedTool == Magnet)
        pushMessage("Magnet set (balls won't grow in value while in field)");
    refreshTimeToggle();
    updateBallArrows();
    if (!toolCatalogue[selectedTool].staysPlaced)
        clearPlacedTool(s);
    else
        placedToolCount = s + 1;
    gameMode = Paused;
}

void clickWithToolSelected(int32_t x, int32_t y)
{
    if (y < TABLE_CLICK_TOP) {
        if (inButtonBand(y)) pressButtonBand(x);
        return;
    }
    if (selectedTool < 0) return;
    if (toolCatalogue[selectedTool].target == TargetBall)
        pickBall(x, y);
    else if (toolCatalogue[selectedTool].target == TargetPoint)
        placeTool(x, y);
}

void completeApplication()
{
    // The Fan spent its use when its stream was set; a ball tool spends it now.
    if (toolCatalogue[selectedTool].target == TargetBall) consumeUse(selectedTool);
    gameMode = Paused;
    if (selectedBall >= 0) balls[selectedBall].selected = 0;
    selectedBall = -1;
    selectedTool = -1;
    updateBallScreenPositions();
    refreshTimeToggle();
}

// Play always enters aiming with its ball, or with the Fan waiting in a free slot; a state set
// from outside (the scripted driver's `set gameMode`) may have neither, and then a click aims
// nothing.
bool aimHasItsSubject()
{
    if (selectedTool < 0) return false;
    if (toolCatalogue[selectedTool].target == TargetBall)
        return selectedBall >= 0 && selectedBall < BALL_COUNT;
    return placedToolCount >= 0 && placedToolCount < PLACED_TOOL_SLOTS;
}

void clickWhileAiming(int32_t x, int32_t y)
{
    if (!aimHasItsSubject()) return;
    const int32_t b = selectedBall;
    if (selectedTool == Cue) {
        strikeBall(b, x, y);
    } else if (selectedTool == Fan) {
        const int32_t s = placedToolCount;
        PlacedTool.dirX[s] = (x - PlacedTool.x[s]) / 10;
        PlacedTool.dirY[s] = (y - PlacedTool.y[s]) / 10;
        consumeUse(Fan);
        applyToolEffect(s);
        refreshTimeToggle();
        updateBallArrows();
        gameMode = Paused;
        placedToolCount = s + 1;
        pushMessage("Fan set (balls won't grow in value while blown at)");
    } else if (selectedTool == Teleport) {
        if (!teleportBall(b, x, y)) return;
    } else if (selectedTool == Jump) {
        if (!jumpBall(b, x, y)) return;
    } else {
        return;
    }
    completeApplication();
}

} // namespace

void leftClickInMatch(int32_t x, int32_t y)
{
    switch (gameMode) {
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
    gameMode = Paused;
    selectedTool = -1;
    releaseActiveButtons();
    if (selectedBall >= 0) {
        balls[selectedBall].selected = 0;
        selectedBall = -1;
    }
    const bool slotInUse = placedToolCount >= 0 && placedToolCount < PLACED_TOOL_SLOTS;
    if (slotInUse && PlacedTool.kind[placedToolCount] != -1) clearPlacedTool(placedToolCount);
    pushMessage("Tool deselected");
}

void followAim(int32_t x, int32_t y)
{
    if (selectedTool == Jump) {
        // The Jump keeps the ball's direction, and at rest it has none: the aim stays put.
        if (selectedBall >= 0) jumpTarget(selectedBall, x, y, aimX, aimY);
    } else if (selectedTool >= 0 && toolCatalogue[selectedTool].aims) {
        aimX = x;
        aimY = y;
    }
}
