#include "rules/computer_player.h"
#include "rules/computer_search.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/screen_layout.h"
#include "rules/tool_catalogue.h"

namespace {

// The inputs of the plan being carried out, handed out one a pass.
struct Pacing {
    ComputerPlan plan;
    int32_t next;
    bool sentAny;
    uint32_t lastSent;  // the pass clock of the last input
    uint32_t startTick; // game.ticksRun when its last space started time
    bool aimShown;      // the pointer stands at the aim the next click is made at
};
Pacing pacing;

void forgetPlan()
{
    pacing.plan.count = 0;
    pacing.next = 0;
    pacing.sentAny = false;
    pacing.aimShown = false;
    abandonSearch();
}

// The seat whose turn it is: a one-player game is player 1's.
int32_t seatToPlay() { return game.match.gameKind == OnePlayer ? 0 : game.match.currentPlayer; }

} // namespace

void forgetComputerPlan() { forgetPlan(); }

bool computerHasTheGame()
{
    if (!isMatchMode(game.gameMode)) return false;
    const int32_t seat = seatToPlay();
    return seat >= 0 && seat < 2 && computerSeats.plays[seat];
}

ComputerInput computerPass(uint32_t now, int32_t tickBudget)
{
    constexpr ComputerInput NOTHING = {InputNone, 0, 0};
    if (!computerHasTheGame()) {
        forgetPlan();
        return NOTHING;
    }
    const bool rested = !pacing.sentAny || now - pacing.lastSent >= COMPUTER_STEP_MS;
    while (pacing.next < pacing.plan.count) {
        const PlannedInput& step = pacing.plan.inputs[pacing.next];
        if (step.afterRunTicks > 0) {
            // The pause: dropped when the turn ran out before it was due.
            if (game.gameMode != Running) {
                ++pacing.next;
                continue;
            }
            if (game.ticksRun - pacing.startTick < static_cast<uint32_t>(step.afterRunTicks))
                return NOTHING;
        }
        if (!rested) return NOTHING;
        // While aiming, the pointer goes to the aim a step before the click, so that the arrow
        // shows where the stroke will go.
        if (step.input.kind == InputLeftClick && game.gameMode == Aiming && !pacing.aimShown) {
            pacing.aimShown = true;
            pacing.sentAny = true;
            pacing.lastSent = now;
            return {InputMotion, step.input.x, step.input.y};
        }
        pacing.aimShown = false;
        ++pacing.next;
        if (step.input.kind == InputSpace && game.gameMode != Running)
            pacing.startTick = game.ticksRun;
        pacing.sentAny = true;
        pacing.lastSent = now;
        return step.input;
    }
    // Handed a game with a tool of someone else's in hand (a recording played on mid-aim), it
    // puts the tool back first, as a person would, and then thinks from there.
    if (game.gameMode == Aiming) {
        if (!rested) return NOTHING;
        pacing.sentAny = true;
        pacing.lastSent = now;
        return {InputRightClick, WINDOW_WIDTH / 2, TABLE_TOP + (WINDOW_HEIGHT - TABLE_TOP) / 2};
    }
    // Time runs to the end of the turn, or the last input has not yet taken effect.
    if (game.gameMode != Paused && game.gameMode != ToolSelected) return NOTHING;
    if (!searchUnderway()) beginSearch(computerSeats.level[seatToPlay()], computerSeats.seed);
    if (!continueSearch(tickBudget)) return NOTHING;
    pacing.plan = chosenPlan();
    pacing.next = 0;
    if (pacing.plan.count == 0) {
        // Nothing it weighed was possible: the turn is given up, as a person would.
        const int32_t band = BUTTON_ROW_Y + BUTTON_SIZE / 2;
        if (game.buttonRow == 0)
            pacing.plan.inputs[pacing.plan.count++] = {{InputLeftClick, NEXT_ROW_LEFT + 14, band},
                                                       0};
        const int32_t x = BUTTON_SIZE * (EndTurn % BUTTONS_PER_ROW) + BUTTON_SIZE / 2;
        pacing.plan.inputs[pacing.plan.count++] = {{InputLeftClick, x, band}, 0};
    }
    return NOTHING;
}
