#include "render/surfaces.h"
#include "render/pictures.h"
#include <cstring>

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

// For the images that live until exit, the runs of pixels that are not the key colour, row by
// row, found once at load: a wide copy then moves each run in one go and skips the holes, which
// gives the pixels of the keyed copy at the cost of the pixels that show. An image without a
// single key pixel (the backgrounds, the cloth, the panel) has one run per row.
struct Run {
    int16_t x, length;
};
struct RunImage {
    const SDL_Surface* image;
    int32_t firstRow; // index into rowStart of the image's row 0
};
constexpr int32_t MAX_RUN_IMAGES = 32;
constexpr int32_t MAX_RUN_ROWS = 4096;
constexpr int32_t MAX_RUNS = 16384;
// Narrower copies (a glyph, a ball) are done pixel by pixel: their rows hold few pixels but may
// hold many runs of the rest of the sheet.
constexpr int32_t MIN_RUN_COPY_WIDTH = 100;

RunImage runImages[MAX_RUN_IMAGES] = {};
int32_t runImageCount = 0;
int32_t rowStart[MAX_RUN_ROWS + 1] = {}; // runs of row r are runs[rowStart[r]] to [rowStart[r + 1]]
int32_t rowCount = 0;
Run runs[MAX_RUNS] = {};
int32_t runCount = 0;

const RunImage* runsOf(const SDL_Surface* image)
{
    for (int32_t i = 0; i < runImageCount; ++i)
        if (runImages[i].image == image) return &runImages[i];
    return nullptr;
}

void runCopy(const RunImage& known, int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY,
             int32_t w, int32_t h)
{
    const SDL_Surface* image = known.image;
    for (int32_t r = 0; r < h; ++r) {
        const auto* source =
            static_cast<const uint32_t*>(image->pixels) + (srcY + r) * (image->pitch / 4);
        auto* target = static_cast<uint32_t*>(screen->pixels) + (dstY + r) * (screen->pitch / 4);
        const int32_t row = known.firstRow + srcY + r;
        for (int32_t k = rowStart[row]; k < rowStart[row + 1]; ++k) {
            int32_t from = runs[k].x, to = runs[k].x + runs[k].length;
            if (to <= srcX) continue;
            if (from >= srcX + w) break;
            if (from < srcX) from = srcX;
            if (to > srcX + w) to = srcX + w;
            std::memcpy(target + dstX + (from - srcX), source + from,
                        static_cast<size_t>(to - from) * 4);
        }
    }
}

// Four pixels in one vector register where the machine has one; plain words elsewhere.
typedef uint32_t FourPixels __attribute__((vector_size(16)));

void keyedCopy(const SDL_Surface* image, int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY,
               int32_t w, int32_t h)
{
    const auto* sourceRow =
        static_cast<const uint32_t*>(image->pixels) + srcY * (image->pitch / 4) + srcX;
    auto* screenRow = static_cast<uint32_t*>(screen->pixels) + dstY * (screen->pitch / 4) + dstX;
    if (w >= MIN_RUN_COPY_WIDTH)
        if (const RunImage* known = runsOf(image)) {
            runCopy(*known, dstX, dstY, srcX, srcY, w, h);
            return;
        }
    const uint32_t key = keyColour(image);
    const FourPixels keys = {key, key, key, key};
    for (int32_t r = 0; r < h; ++r, sourceRow += image->pitch / 4, screenRow += screen->pitch / 4) {
        int32_t c = 0;
        // Four pixels a step: where the source is not the key, its pixel; elsewhere the screen's.
        for (; c + 4 <= w; c += 4) {
            FourPixels from, to;
            std::memcpy(&from, sourceRow + c, sizeof from);
            std::memcpy(&to, screenRow + c, sizeof to);
            const FourPixels shows = from != keys;
            const FourPixels mixed = (from & shows) | (to & ~shows);
            std::memcpy(screenRow + c, &mixed, sizeof mixed);
        }
        for (; c < w; ++c) screenRow[c] = sourceRow[c] != key ? sourceRow[c] : screenRow[c];
    }
}

} // namespace

void noteLastingImage(const SDL_Surface* image)
{
    if (!image || runImageCount == MAX_RUN_IMAGES || !copiesDirectly(image)) return;
    if (rowCount + image->h > MAX_RUN_ROWS || image->w > INT16_MAX) return;
    const uint32_t key = keyColour(image);
    const int32_t savedRuns = runCount;
    for (int32_t y = 0; y < image->h; ++y) {
        rowStart[rowCount + y] = runCount;
        const auto* row = static_cast<const uint32_t*>(image->pixels) + y * (image->pitch / 4);
        for (int32_t x = 0; x < image->w;) {
            if (row[x] == key) {
                ++x;
                continue;
            }
            const int32_t start = x;
            while (x < image->w && row[x] != key) ++x;
            if (runCount == MAX_RUNS) {
                runCount = savedRuns; // too many runs: this image keeps the pixel-by-pixel copy
                return;
            }
            runs[runCount++] = {static_cast<int16_t>(start), static_cast<int16_t>(x - start)};
        }
    }
    rowStart[rowCount + image->h] = runCount;
    runImages[runImageCount++] = {image, rowCount};
    rowCount += image->h;
}

void blitToScreen(SDL_Surface* image, int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY,
                  int32_t w, int32_t h)
{
    if (!clipToWindow(dstX, dstY, srcX, srcY, w, h)) return;
    if (copiesDirectly(image) && srcX >= 0 && srcY >= 0 && srcX + w <= image->w &&
        srcY + h <= image->h) {
        keyedCopy(image, dstX, dstY, srcX, srcY, w, h);
        return;
    }
    SDL_Rect source = {static_cast<Sint16>(srcX), static_cast<Sint16>(srcY), static_cast<Uint16>(w),
                       static_cast<Uint16>(h)};
    SDL_Rect target = {static_cast<Sint16>(dstX), static_cast<Sint16>(dstY), 0, 0};
    // The frame holds the screen locked while it composes (where the library needs a lock), and
    // the library must not blit onto a locked surface: release it around the copy and take it
    // again, so the lock state after the blit is what it was before.
    const bool held = mustLock(screen);
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

namespace {

// mixPixel's channel for every source and screen byte at one weight, worked out the same way the
// first time a blend asks for that weight: a shadow then costs three look-ups a pixel.
uint8_t blendTable[256][256] = {};
double blendTableWeight = -1;

void prepareBlendTable(double weight)
{
    if (weight == blendTableWeight) return;
    for (uint32_t s = 0; s < 256; ++s)
        for (uint32_t d = 0; d < 256; ++d)
            blendTable[s][d] = static_cast<uint8_t>(mixPixel(s, d, weight));
    blendTableWeight = weight;
}

uint32_t tableMix(uint32_t src, uint32_t dst)
{
    return static_cast<uint32_t>(blendTable[src & 0xFF][dst & 0xFF]) |
           static_cast<uint32_t>(blendTable[(src >> 8) & 0xFF][(dst >> 8) & 0xFF]) << 8 |
           static_cast<uint32_t>(blendTable[(src >> 16) & 0xFF][(dst >> 16) & 0xFF]) << 16;
}

} // namespace

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

    const bool locked = mustLock(image);
    if (locked && SDL_LockSurface(image) < 0) return;
    prepareBlendTable(weight);
    const auto* sourcePixels = static_cast<const uint32_t*>(image->pixels);
    auto* screenPixels = static_cast<uint32_t*>(screen->pixels);
    const int32_t sourcePitch = image->pitch / 4;
    const int32_t screenPitch = screen->pitch / 4;
    for (int32_t r = 0; r < h; ++r) {
        const uint32_t* from = sourcePixels + (srcY + r) * sourcePitch + srcX;
        uint32_t* to = screenPixels + (dstY + r) * screenPitch + dstX;
        for (int32_t c = 0; c < w; ++c)
            if (from[c] != 0) to[c] = tableMix(from[c], to[c]);
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
    if (mustLock(surface)) SDL_LockSurface(surface);
}

void unlockIfNeeded(SDL_Surface* surface)
{
    if (mustLock(surface)) SDL_UnlockSurface(surface);
}
