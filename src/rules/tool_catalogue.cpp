#include "rules/tool_catalogue.h"
#include "physics/simulation.h"
#include "rules/message_log.h"
#include "rules/game_mode.h"
#include <cstdio>

// clang-format off
const char toolDescription[TOOL_COUNT][TOOL_DESCRIPTION_SIZE] = {
    "Time GO/STOP",
    "Cue stroke - changes direction/speed (value -1)",
    "Fan - stream directs balls, but no score for bounces",
    "Tilt - all balls roll to one side or edge",
    "Stop - instantly stops one ball",
    "Reflect - balls bounce from horiz. block",
    "Reflect - balls bounce from vert. block",
    "Teleport - teleports the ball (speed to 0, value -5)",
    "Jump - ball jumps in the CURRENT direction",
    "Next page",
    "Time GO/STOP",
    "Magnet - magnifies balls, but no score for bounces",
    "Hammer - scatters all balls in area",
    "Boost - all balls get accelerated",
    "Chaos - speed/direction of all balls randomized",
    "",
    "Current game stopped",
    "",
    "Forced end turn",
    "Next page",
};

// 100 is never used up: only the counted tools spend their charges.
const int32_t chargesPerTurn[TOOL_COUNT] = {
    100, 5, 1, 1, 2, 3, 3, 2, 2, 100,
    100, 1, 2, 1, 1, 100, 100, 100, 100, 100,
};

const int32_t toolTarget[TOOL_COUNT] = {
    TargetNone, TargetBall,  TargetPoint, TargetPoint, TargetBall,
    TargetPoint, TargetPoint, TargetBall, TargetBall,  TargetNone,
    TargetNone, TargetPoint, TargetPoint, TargetPoint, TargetPoint,
    TargetNone, TargetNone,  TargetNone,  TargetNone,  TargetNone,
};
// clang-format on

int32_t usesLeft[TOOL_COUNT] = {};
int32_t buttonState[TOOL_COUNT] = {};
int32_t buttonRow = 0;
int32_t selectedTool = -1;
int32_t selectedBall = -1;
double aimX = 0;
double aimY = 0;

PlacedToolSlots PlacedTool = {};
int32_t placedToolCount = 0;

void clearPlacedTool(int32_t slot)
{
    PlacedTool.kind[slot] = -1;
    PlacedTool.screenX[slot] = -1;
    PlacedTool.screenY[slot] = -1;
    PlacedTool.x[slot] = -1.0;
    PlacedTool.y[slot] = -1.0;
    PlacedTool.dirX[slot] = 0;
    PlacedTool.dirY[slot] = 0;
}

namespace {

// Every slot starts empty, before anything runs.
const bool slotsStartEmpty = [] {
    for (int32_t slot = 0; slot < PLACED_TOOL_SLOTS; ++slot) clearPlacedTool(slot);
    return true;
}();

} // namespace

bool isCountedTool(int32_t kind) { return (kind >= 1 && kind <= 8) || (kind >= 11 && kind <= 14); }

void resetToolsForNewTurn()
{
    for (int32_t k = 0; k < TOOL_COUNT; ++k) {
        usesLeft[k] = chargesPerTurn[k];
        buttonState[k] = usesLeft[k] < 1 ? Unavailable : Available;
    }
    // Time cannot be started while every ball is at rest.
    buttonState[TimeToggle] = buttonState[TimeToggleRow2] = Unavailable;
    for (int32_t slot = 0; slot < PLACED_TOOL_SLOTS; ++slot) clearPlacedTool(slot);
    placedToolCount = 0;
}

void consumeUse(int32_t kind)
{
    --usesLeft[kind];
    buttonState[kind] = usesLeft[kind] < 1 ? Unavailable : Available;
}

void refreshTimeToggle()
{
    const int32_t state = allBallsStopped() ? Unavailable : Available;
    buttonState[TimeToggle] = buttonState[TimeToggleRow2] = state;
}

void releaseActiveButtons()
{
    for (int32_t& state : buttonState)
        if (state != Unavailable) state = Available;
}

void selectButton(int32_t kind)
{
    selectedTool = kind;
    releaseActiveButtons();
    buttonState[kind] = Active;
    if (Options.messages) pushMessage(toolDescription[kind]);
    if (isCountedTool(kind)) {
        char line[MESSAGE_LINE_SIZE];
        std::snprintf(line, sizeof line, "Can use %d more time(s)", usesLeft[kind]);
        pushMessage(line);
    }
}

void switchButtonRow()
{
    buttonRow = (buttonRow + 1) % 2;
    releaseActiveButtons();
    selectedTool = -1;
}
