// What every window event means: which key, which button, which row or button a pixel is. The
// rules do the rest.
#pragma once
#include <SDL/SDL.h>

#include <cstdint>

// What an event asks of the pass that handled it: the whole window drawn again at its end, or the
// game left (F10, the window closed, the start menu's Quit), which the caller carries out.
enum EventOutcome : int32_t { NothingMore = 0, FrameWanted = 1, LeaveGame = 2 };
// Returns the EventOutcome flags of the event.
int32_t handleEvent(const SDL_Event& event);
