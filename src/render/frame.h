// The frame: recomposes the whole window from the game's records, then pushes to the display
// only what the current mode can change, or everything when fullRedraw asks for it.
#pragma once
#include "rules/platform.h"
#include <cstdint>

void drawFrame();
void composeFrame();
