// What a mouse click does with the tools while a match is on the table.
#pragma once
#include <cstdint>

// The left button in Paused, ToolSelected, Aiming or Running.
void leftClickInMatch(int32_t x, int32_t y);
// The right button while a tool waits for its Table click or its direction.
void cancelTool();
// The pointer moved over the Table while a direction is being chosen.
void followAim(int32_t x, int32_t y);
