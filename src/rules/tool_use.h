// What a mouse click does with the tools while a match is on the table.
#pragma once
#include <cstdint>

// The left button in Paused, ToolSelected, Aiming or Running.
void leftClickInMatch(int32_t x, int32_t y);
// The right button: a tool that waits for its Table click or its direction is let go.
void cancelTool();
// The pointer moved over the Table: the aim follows it while a direction is being chosen, and on
// the tutorial pages that show an aim.
void followAim(int32_t x, int32_t y);
