// The window's pixels and the four drawing primitives every screen is composed from.
#pragma once
#include "rules/screen_layout.h"
#include <SDL/SDL.h>
#include <cstdint>

constexpr double SHADOW_WEIGHT = 0.6;

// The 300 x 300, 32-bit software surface of the window; all drawing goes into it.
extern SDL_Surface* screen;

// The rectangles the most recent frame pushed to the display, oldest first (the driver reports
// them). A frame pushes at most a handful; a full redraw pushes one.
constexpr int32_t MAX_PUSHED_RECTS = 8;
struct PushedRects {
    int32_t count;
    SDL_Rect rects[MAX_PUSHED_RECTS];
};
extern PushedRects pushedRects;

void blitToScreen(SDL_Surface* image, int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY,
                  int32_t w, int32_t h);
void blendToScreen(SDL_Surface* image, int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY,
                   int32_t w, int32_t h, double weight);
// Called once for every image that lives until exit, as it is loaded and never changed again:
// its runs of pixels that are not the key colour are found once, and wide copies of it then move
// only those runs, which gives the same pixels as the keyed copy.
void noteLastingImage(const SDL_Surface* image);
uint32_t mixPixel(uint32_t src, uint32_t dst, double weight);
void updateScreenRect(SDL_Surface* surface, int32_t x, int32_t y, int32_t w, int32_t h);
void lockIfNeeded(SDL_Surface* surface);
void unlockIfNeeded(SDL_Surface* surface);
