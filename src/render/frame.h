// The frame: recomposes the whole window from the game's records, then pushes to the display
// only what the current mode can change, or everything when fullRedraw asks for it.
#pragma once
#include <cstdint>

// Set by anyone who changed something outside the current mode's update rectangles (a message,
// a button, a score, a mode change); cleared by the next frame once it has pushed the window.
extern uint8_t fullRedraw;

void drawFrame();
void composeFrame();
