// A real 300 x 300 window on the dummy video driver, opened once for all tests of a process.
#pragma once
#include <SDL/SDL.h>
#include <cstdint>

void openTestWindow();

// A 32-bit surface in the screen's format, filled with one colour.
SDL_Surface* makeSolidImage(int32_t w, int32_t h, uint32_t pixel);
uint32_t pixelAt(SDL_Surface* surface, int32_t x, int32_t y);
void setPixel(SDL_Surface* surface, int32_t x, int32_t y, uint32_t pixel);
