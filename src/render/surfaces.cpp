#include "render/surfaces.h"

SDL_Surface* screen = nullptr;
PushedRects pushedRects = {};

namespace {

// Cuts a destination rectangle to the window, moving the source origin by what was cut on the
// left or top. Returns false when nothing is left.
bool clipToWindow(int32_t& dstX, int32_t& dstY, int32_t& srcX, int32_t& srcY, int32_t& w,
                  int32_t& h)
{
    if (dstX < 0) {
        srcX -= dstX;
        w += dstX;
        dstX = 0;
    }
    if (dstX + w > WINDOW_WIDTH) w = WINDOW_WIDTH - dstX;
    if (dstY < 0) {
        srcY -= dstY;
        h += dstY;
        dstY = 0;
    }
    if (dstY + h > WINDOW_HEIGHT) h = WINDOW_HEIGHT - dstY;
    return w > 0 && h > 0;
}

} // namespace

void blitToScreen(SDL_Surface* image, int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY,
                  int32_t w, int32_t h)
{
    if (!clipToWindow(dstX, dstY, srcX, srcY, w, h)) return;
    SDL_Rect source = {static_cast<Sint16>(srcX), static_cast<Sint16>(srcY),
                       static_cast<Uint16>(w), static_cast<Uint16>(h)};
    SDL_Rect target = {static_cast<Sint16>(dstX), static_cast<Sint16>(dstY), 0, 0};
    // The frame holds the screen locked while it composes (where the library needs a lock), and
    // the library must not blit onto a locked surface: release it around the copy and take it
    // again, so the lock state after the blit is what it was before.
    const bool held = SDL_MUSTLOCK(screen);
    if (held) SDL_UnlockSurface(screen);
    SDL_BlitSurface(image, &source, screen, &target);
    if (held) SDL_LockSurface(screen);
}

uint32_t mixPixel(uint32_t src, uint32_t dst, double weight)
{
    const double rest = 1.0 - weight;
    uint32_t mixed = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double s = static_cast<double>((src >> shift) & 0xFF);
        const double d = static_cast<double>((dst >> shift) & 0xFF);
        mixed |= static_cast<uint32_t>(s * weight + d * rest) << shift;
    }
    return mixed;
}

void blendToScreen(SDL_Surface* image, int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY,
                   int32_t w, int32_t h, double weight)
{
    // The shadow of a ball that has rolled out of the window reaches past its edge: only the
    // part inside the window is blended, and never a pixel outside the source image.
    if (!clipToWindow(dstX, dstY, srcX, srcY, w, h)) return;
    if (srcX < 0 || srcY < 0) return;
    if (srcX + w > image->w) w = image->w - srcX;
    if (srcY + h > image->h) h = image->h - srcY;
    if (w <= 0 || h <= 0) return;
    if (dstX + w > screen->w) w = screen->w - dstX;
    if (dstY + h > screen->h) h = screen->h - dstY;
    if (w <= 0 || h <= 0) return;

    const bool locked = SDL_MUSTLOCK(image);
    if (locked && SDL_LockSurface(image) < 0) return;
    const auto* sourcePixels = static_cast<const uint32_t*>(image->pixels);
    auto* screenPixels = static_cast<uint32_t*>(screen->pixels);
    const int32_t sourcePitch = image->pitch / 4;
    const int32_t screenPitch = screen->pitch / 4;
    for (int32_t r = 0; r < h; ++r) {
        const uint32_t* from = sourcePixels + (srcY + r) * sourcePitch + srcX;
        uint32_t* to = screenPixels + (dstY + r) * screenPitch + dstX;
        for (int32_t c = 0; c < w; ++c)
            if (from[c] != 0) to[c] = mixPixel(from[c], to[c], weight);
    }
    if (locked) SDL_UnlockSurface(image);
}

void updateScreenRect(SDL_Surface* surface, int32_t x, int32_t y, int32_t w, int32_t h)
{
    int32_t unusedX = 0, unusedY = 0;
    if (!clipToWindow(x, y, unusedX, unusedY, w, h)) return;
    SDL_UpdateRect(surface, x, y, static_cast<Uint32>(w), static_cast<Uint32>(h));
    if (pushedRects.count < MAX_PUSHED_RECTS)
        pushedRects.rects[pushedRects.count++] = {static_cast<Sint16>(x), static_cast<Sint16>(y),
                                                  static_cast<Uint16>(w), static_cast<Uint16>(h)};
}

void lockIfNeeded(SDL_Surface* surface)
{
    if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
}

void unlockIfNeeded(SDL_Surface* surface)
{
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}
