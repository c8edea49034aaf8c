#include "rules/tool_catalogue.h"
#include "physics/simulation.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/message_log.h"
#include <cstdio>

// The fixed facts of every button. Charges of 100 are never used up; a counted tool spends one
// charge a use. A tool that stays placed acts in every tick until the turn ends; the others act
// once, where they are put. An aiming tool waits for a second click that sets its direction.
// clang-format off
const ToolFacts toolCatalogue[TOOL_COUNT] = {
    //  description                                              charges target       stays counted aims
    {"Time GO/STOP",                                               100, TargetNone,  0, 0, 0},
    {"Cue stroke - changes direction/speed (value -1)",              5, TargetBall,  0, 1, 1},
    {"Fan - stream directs balls, but no score for bounces",         1, TargetPoint, 1, 1, 1},
    {"Tilt - all balls roll to one side or edge",                    1, TargetPoint, 0, 1, 0},
    {"Stop - instantly stops one ball",                              2, TargetBall,  0, 1, 0},
    {"Reflect - balls bounce from horiz. block",                     3, TargetPoint, 1, 1, 0},
    {"Reflect - balls bounce from vert. block",                      3, TargetPoint, 1, 1, 0},
    {"Teleport - teleports the ball (speed to 0, value -5)",         2, TargetBall,  0, 1, 1},
    {"Jump - ball jumps in the CURRENT direction",                   2, TargetBall,  0, 1, 1},
    {"Next page",                                                  100, TargetNone,  0, 0, 0},
    {"Time GO/STOP",                                               100, TargetNone,  0, 0, 0},
    {"Magnet - magnifies balls, but no score for bounces",           1, TargetPoint, 1, 1, 0},
    {"Hammer - scatters all balls in area",                          2, TargetPoint, 0, 1, 0},
    {"Boost - all balls get accelerated",                            1, TargetPoint, 0, 1, 0},
    {"Chaos - speed/direction of all balls randomized",              1, TargetPoint, 0, 1, 0},
    {"",                                                           100, TargetNone,  0, 0, 0},
    {"Current game stopped",                                       100, TargetNone,  0, 0, 0},
    {"",                                                           100, TargetNone,  0, 0, 0},
    {"Forced end turn",                                            100, TargetNone,  0, 0, 0},
    {"Next page",                                                  100, TargetNone,  0, 0, 0},
};
// clang-format on

void clearPlacedTool(int32_t slot)
{
    game.placedTools.kind[slot] = -1;
    game.placedTools.screenX[slot] = -1;
    game.placedTools.screenY[slot] = -1;
    game.placedTools.x[slot] = -1.0;
    game.placedTools.y[slot] = -1.0;
    game.placedTools.dirX[slot] = 0;
    game.placedTools.dirY[slot] = 0;
}

void resetToolsForNewTurn()
{
    for (int32_t k = 0; k < TOOL_COUNT; ++k) {
        game.usesLeft[k] = toolCatalogue[k].chargesPerTurn;
        game.buttonState[k] = game.usesLeft[k] < 1 ? Unavailable : Available;
    }
    // Time cannot be started while every ball is at rest.
    game.buttonState[TimeToggle] = game.buttonState[TimeToggleRow2] = Unavailable;
    for (int32_t slot = 0; slot < PLACED_TOOL_SLOTS; ++slot) clearPlacedTool(slot);
    game.placedToolCount = 0;
}

void consumeUse(int32_t kind)
{
    --game.usesLeft[kind];
    game.buttonState[kind] = game.usesLeft[kind] < 1 ? Unavailable : Available;
}

void refreshTimeToggle()
{
    const int32_t state = allBallsStopped() ? Unavailable : Available;
    game.buttonState[TimeToggle] = game.buttonState[TimeToggleRow2] = state;
}

void releaseActiveButtons()
{
    for (int32_t& state : game.buttonState)
        if (state != Unavailable) state = Available;
}

void selectButton(int32_t kind)
{
    game.selectedTool = kind;
    releaseActiveButtons();
    game.buttonState[kind] = Active;
    if (game.options.messages) pushMessage(toolCatalogue[kind].description);
    if (toolCatalogue[kind].counted) {
        char line[MESSAGE_LINE_SIZE];
        std::snprintf(line, sizeof line, "Can use %d more time(s)", game.usesLeft[kind]);
        pushMessage(line);
    }
}

void switchButtonRow()
{
    game.buttonRow = (game.buttonRow + 1) % 2;
    releaseActiveButtons();
    game.selectedTool = -1;
}
