// What a click does on the start menu, the options menu and the end screen.
#pragma once
#include <cstdint>

// The menu row 0 to 5 under (x, y) in both menus, or -1 outside them.
int32_t menuRowAt(int32_t x, int32_t y);
void startMenuClick(int32_t x, int32_t y);
void optionsMenuClick(int32_t x, int32_t y);
void endScreenClick();
