// What every window event means: which key, which button, which row or button a pixel is. The
// rules do the rest.
#pragma once
#include <SDL/SDL.h>

// True when the event asks for the whole window to be drawn again at the end of the pass.
bool handleEvent(const SDL_Event& event);
