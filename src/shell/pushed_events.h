// Window events made by a program rather than by the player: the scripted driver, the soak and
// the benchmarks put them on the queue, and the main loop handles them as it would the real ones.
#pragma once
#include <SDL/SDL.h>
#include <cstdint>

// SDL_KEYDOWN or SDL_KEYUP of one key.
void pushKeyEvent(uint32_t type, SDLKey key);
// SDL_MOUSEBUTTONDOWN or SDL_MOUSEBUTTONUP of one button at window pixel (x, y).
void pushButtonEvent(uint32_t type, Uint8 button, int64_t x, int64_t y);
// The mouse moved to (x, y), with the left button held or not.
void pushMotionEvent(int64_t x, int64_t y, bool leftHeld);
// The window's close button.
void pushQuitEvent();
