// Window events made by the program rather than by the player's hands: the computer's moves, and
// the events the scripted driver puts on the queue. Each is what the library would deliver.
#pragma once
#include <SDL/SDL.h>
#include <cstdint>

// SDL_KEYDOWN or SDL_KEYUP of one key (event types are 32 bits wide in the browser's library).
SDL_Event keyEvent(uint32_t type, SDLKey key);
// SDL_MOUSEBUTTONDOWN or SDL_MOUSEBUTTONUP of one button at window pixel (x, y).
SDL_Event buttonEvent(uint32_t type, Uint8 button, int64_t x, int64_t y);
// The mouse moved to (x, y), with the left button held or not.
SDL_Event motionEvent(int64_t x, int64_t y, bool leftHeld);
// The key a script names: space, return, escape, f10, or one lower-case letter or digit.
bool keyNamed(const char* name, SDLKey& key);
