#include "shell/pushed_events.h"
#include "shell/made_events.h"

namespace {

void push(SDL_Event event) { SDL_PushEvent(&event); }

} // namespace

void pushKeyEvent(uint32_t type, SDLKey key) { push(keyEvent(type, key)); }

void pushButtonEvent(uint32_t type, Uint8 button, int64_t x, int64_t y)
{
    push(buttonEvent(type, button, x, y));
}

void pushMotionEvent(int64_t x, int64_t y, bool leftHeld) { push(motionEvent(x, y, leftHeld)); }

void pushQuitEvent()
{
    SDL_Event event = {};
    event.type = SDL_QUIT;
    push(event);
}
