// The drawing primitives on real surfaces: clipping at the window edges, colour keys, the blend
// of the shadows, and that nothing outside the window's pixels is ever read or written.
#include "render/surfaces.h"
#include "test_window.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr uint32_t BACKGROUND = 0x00102030;

TEST(MixPixel, WorkedValuesPerChannel)
{
    struct Case {
        uint32_t s, d, expected;
    } cases[] = {{255, 0, 153},   {255, 255, 255}, {128, 255, 178},
                 {128, 100, 116}, {1, 255, 102},   {100, 100, 100}};
    for (const Case& c : cases)
        for (int shift = 0; shift <= 16; shift += 8)
            EXPECT_EQ(mixPixel(c.s << shift, c.d << shift, 0.6), c.expected << shift)
                << "s " << c.s << " d " << c.d << " shift " << shift;
    // Blue 255 over 0, green 128 over 255, red 1 over 255, with junk in the top bytes.
    EXPECT_EQ(mixPixel(0xAA0180FFu, 0x77FFFF00u, 0.6), (102u << 16) | (178u << 8) | 153u);
}

// Every primitive and every case against what it must show: the source rectangle laid at
// (dstX, dstY), cut to the window and to the image, its black pixels left out where the image is
// keyed on black and by the blend; every other screen pixel untouched. The 16 x 16 image tells
// its pixels apart: blue is the column + 1, green the row + 1, and one pixel in five is black.
TEST(Primitives, ClipToTheWindowAndTheImageAndSkipKeyedPixels)
{
    openTestWindow();
    SDL_Surface* image = makeSolidImage(16, 16, 0);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x)
            setPixel(image, x, y, (x + 2 * y) % 5 ? 0x800000u | (y + 1) << 8 | (x + 1) : 0);
    struct Case {
        int32_t dstX, dstY, srcX, srcY, w, h;
    } cases[] = {{-5, 10, 0, 0, 14, 5},    {290, 295, 0, 0, 14, 14}, {20, -4, 0, 0, 4, 6},
                 {50, 50, 3, 2, 7, 1},     {-3, -3, 2, 1, 10, 10},   {290, 292, 0, 0, 16, 16},
                 {100, 100, 0, 0, 16, 16}, {280, 100, 10, 0, 16, 4}, {300, 10, 0, 0, 16, 16},
                 {-16, 10, 0, 0, 16, 16},  {10, 300, 0, 0, 16, 16},  {10, -16, 0, 0, 16, 16},
                 {-40, -40, 0, 0, 16, 16}, {10, 10, 0, 0, 0, 16}};
    const Uint32 lockedBefore = screen->locked;
    for (const char* way : {"blit", "keyed blit", "blend"}) {
        const bool blend = way[2] == 'e', keyed = way[0] == 'k' || blend;
        SDL_SetColorKey(image, way[0] == 'k' ? SDL_SRCCOLORKEY : 0, 0);
        for (const Case& c : cases) {
            SDL_FillRect(screen, nullptr, BACKGROUND);
            if (blend)
                blendToScreen(image, c.dstX, c.dstY, c.srcX, c.srcY, c.w, c.h, 0.6);
            else
                blitToScreen(image, c.dstX, c.dstY, c.srcX, c.srcY, c.w, c.h);
            int32_t wrong = 0, drawn = 0;
            for (int32_t y = 0; y < WINDOW_HEIGHT; ++y)
                for (int32_t x = 0; x < WINDOW_WIDTH; ++x) {
                    const int32_t sx = x - c.dstX + c.srcX, sy = y - c.dstY + c.srcY;
                    const bool inside = sx >= c.srcX && sx < c.srcX + c.w && sx < 16 &&
                                        sy >= c.srcY && sy < c.srcY + c.h && sy < 16;
                    const uint32_t from = inside ? pixelAt(image, sx, sy) : 0;
                    uint32_t expected = BACKGROUND;
                    if (inside && !(keyed && from == 0))
                        expected = blend ? mixPixel(from, BACKGROUND, 0.6) : from;
                    drawn += expected != BACKGROUND;
                    if (pixelAt(screen, x, y) != expected && wrong++ == 0)
                        ADD_FAILURE() << way << " at " << c.dstX << ", " << c.dstY << " from "
                                      << c.srcX << ", " << c.srcY << ": pixel " << x << ", " << y;
                }
            EXPECT_EQ(wrong, 0) << way << " at " << c.dstX << ", " << c.dstY << " (" << drawn
                                << " pixels drawn)";
        }
    }
    EXPECT_EQ(screen->locked, lockedBefore);
    SDL_FreeSurface(image);
}

// A stand-in for the window whose 300 x 300 pixels sit inside a larger buffer: every byte around
// them is a guard that no primitive may touch.
TEST(Primitives, NoneTouchesAPixelOutsideTheWindow)
{
    openTestWindow();
    constexpr int32_t GUARD = 40;
    constexpr int32_t SPAN = WINDOW_WIDTH + 2 * GUARD;
    constexpr uint32_t SENTINEL = 0x00C0FFEE;
    std::vector<uint32_t> memory(static_cast<size_t>(SPAN) * SPAN, SENTINEL);
    uint32_t* inside = memory.data() + GUARD * SPAN + GUARD;
    for (int32_t y = 0; y < WINDOW_HEIGHT; ++y)
        for (int32_t x = 0; x < WINDOW_WIDTH; ++x) inside[y * SPAN + x] = BACKGROUND;

    const SDL_PixelFormat* f = screen->format;
    SDL_Surface* guarded = SDL_CreateRGBSurfaceFrom(inside, WINDOW_WIDTH, WINDOW_HEIGHT, 32,
                                                    SPAN * 4, f->Rmask, f->Gmask, f->Bmask, 0);
    SDL_Surface* window = screen;
    screen = guarded;
    SDL_Surface* image = makeSolidImage(16, 16, 0x00FFFFFF);
    for (int32_t y = -30; y <= 320; y += 7)
        for (int32_t x = -30; x <= 320; x += 7) {
            blitToScreen(image, x, y, 0, 0, 16, 16);
            blendToScreen(image, x, y, 0, 0, 16, 16, 0.6);
        }
    screen = window;
    SDL_FreeSurface(guarded);
    SDL_FreeSurface(image);

    int32_t touchedGuards = 0, drawnInside = 0;
    for (int32_t y = 0; y < SPAN; ++y)
        for (int32_t x = 0; x < SPAN; ++x) {
            const bool inWindow =
                x >= GUARD && x < GUARD + WINDOW_WIDTH && y >= GUARD && y < GUARD + WINDOW_HEIGHT;
            const uint32_t pixel = memory[static_cast<size_t>(y) * SPAN + x];
            if (!inWindow && pixel != SENTINEL) ++touchedGuards;
            if (inWindow && pixel != BACKGROUND) ++drawnInside;
        }
    EXPECT_EQ(touchedGuards, 0);
    EXPECT_GT(drawnInside, 0);
}

TEST(Primitives, UpdateRectanglesAreClippedToTheWindow)
{
    openTestWindow();
    pushedRects.count = 0;
    updateScreenRect(screen, -10, -20, 50, 50);
    updateScreenRect(screen, 280, 290, 50, 50);
    updateScreenRect(screen, 300, 0, 10, 10);
    updateScreenRect(screen, 0, 0, 0, 5);
    updateScreenRect(screen, -60, 0, 50, 5);
    ASSERT_EQ(pushedRects.count, 2);
    const SDL_Rect* r = pushedRects.rects;
    EXPECT_EQ((std::vector<int>{r[0].x, r[0].y, r[0].w, r[0].h, r[1].x, r[1].y, r[1].w, r[1].h}),
              (std::vector<int>{0, 0, 40, 30, 280, 290, 20, 10}));
}

} // namespace
