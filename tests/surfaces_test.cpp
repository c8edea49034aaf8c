// The drawing primitives on real surfaces: clipping at the window edges, colour keys, the blend
// of the shadows, and that nothing outside the window's pixels is ever read or written.
#include "render/surfaces.h"
#include "test_window.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr uint32_t BACKGROUND = 0x00102030;

// A w x h image whose column c holds the pixel (c + 1) * 0x010101, so a screen pixel tells which
// source column it came from.
SDL_Surface* makeColumnImage(int32_t w, int32_t h)
{
    SDL_Surface* image = makeSolidImage(w, h, 0);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) setPixel(image, x, y, (x + 1) * 0x010101u);
    return image;
}

class Surfaces : public ::testing::Test {
  protected:
    void SetUp() override
    {
        openTestWindow();
        SDL_FillRect(screen, nullptr, BACKGROUND);
    }
};

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
}

TEST(MixPixel, ChannelsStaySeparateAndTopByteIsCleared)
{
    // Blue 255 over 0, green 128 over 255, red 1 over 255, with junk in the top bytes.
    EXPECT_EQ(mixPixel(0xAA0180FFu, 0x77FFFF00u, 0.6), (102u << 16) | (178u << 8) | 153u);
}

TEST_F(Surfaces, BlitAtNegativeXDrawsTheRightmostColumnsAtZero)
{
    SDL_Surface* image = makeColumnImage(14, 5);
    blitToScreen(image, -5, 10, 0, 0, 14, 5);
    for (int32_t x = 0; x < 9; ++x) EXPECT_EQ(pixelAt(screen, x, 12), (x + 6) * 0x010101u);
    EXPECT_EQ(pixelAt(screen, 9, 12), BACKGROUND);
    EXPECT_EQ(pixelAt(screen, 0, 9), BACKGROUND);
    EXPECT_EQ(pixelAt(screen, 0, 15), BACKGROUND);
    SDL_FreeSurface(image);
}

TEST_F(Surfaces, BlitPastTheRightEdgeDrawsOnlyTheLeftmostColumns)
{
    SDL_Surface* image = makeColumnImage(14, 5);
    blitToScreen(image, 290, 295, 0, 0, 14, 14);
    for (int32_t x = 290; x < 300; ++x) EXPECT_EQ(pixelAt(screen, x, 299), (x - 289) * 0x010101u);
    EXPECT_EQ(pixelAt(screen, 289, 299), BACKGROUND);
    SDL_FreeSurface(image);
}

TEST_F(Surfaces, BlitAboveTheTopMovesTheSourceDown)
{
    SDL_Surface* image = makeSolidImage(4, 6, 0);
    for (int32_t y = 0; y < 6; ++y)
        for (int32_t x = 0; x < 4; ++x) setPixel(image, x, y, 0x000100u * (y + 1));
    blitToScreen(image, 20, -4, 0, 0, 4, 6);
    EXPECT_EQ(pixelAt(screen, 20, 0), 0x000500u);
    EXPECT_EQ(pixelAt(screen, 20, 1), 0x000600u);
    EXPECT_EQ(pixelAt(screen, 20, 2), BACKGROUND);
    SDL_FreeSurface(image);
}

TEST_F(Surfaces, BlitLeavesKeyedPixelsAndCopiesTheRest)
{
    const uint32_t key = SDL_MapRGB(screen->format, 0, 0, 255);
    SDL_Surface* image = makeSolidImage(3, 1, key);
    setPixel(image, 1, 0, 0x00ABCDEF);
    SDL_SetColorKey(image, SDL_SRCCOLORKEY, key);
    blitToScreen(image, 50, 50, 0, 0, 3, 1);
    EXPECT_EQ(pixelAt(screen, 50, 50), BACKGROUND);
    EXPECT_EQ(pixelAt(screen, 51, 50), 0x00ABCDEFu);
    EXPECT_EQ(pixelAt(screen, 52, 50), BACKGROUND);
    SDL_FreeSurface(image);
}

TEST_F(Surfaces, BlitEntirelyOutsideDrawsNothingAndKeepsTheLockState)
{
    SDL_Surface* image = makeSolidImage(16, 16, 0x00FFFFFF);
    const Uint32 lockedBefore = screen->locked;
    const int32_t outside[][2] = {{300, 10}, {-16, 10}, {10, 300}, {10, -16}, {-40, -40}};
    for (const auto& at : outside) blitToScreen(image, at[0], at[1], 0, 0, 16, 16);
    blitToScreen(image, 10, 10, 0, 0, 0, 16);
    EXPECT_EQ(screen->locked, lockedBefore);
    for (int32_t y = 0; y < WINDOW_HEIGHT; ++y)
        for (int32_t x = 0; x < WINDOW_WIDTH; ++x) ASSERT_EQ(pixelAt(screen, x, y), BACKGROUND);
    SDL_FreeSurface(image);
}

TEST_F(Surfaces, BlendMixesEveryNonBlackPixelAndSkipsBlack)
{
    SDL_Surface* shade = makeSolidImage(2, 1, 0);
    setPixel(shade, 0, 0, 0x00FF80FF);
    SDL_FillRect(screen, nullptr, 0x0000FF00);
    blendToScreen(shade, 10, 20, 0, 0, 2, 1, 0.6);
    EXPECT_EQ(pixelAt(screen, 10, 20), mixPixel(0x00FF80FF, 0x0000FF00, 0.6));
    EXPECT_EQ(pixelAt(screen, 10, 20), (153u << 16) | (178u << 8) | 153u);
    EXPECT_EQ(pixelAt(screen, 11, 20), 0x0000FF00u);
    SDL_FreeSurface(shade);
}

TEST_F(Surfaces, BlendOfAnAllBlackImageChangesNothing)
{
    SDL_Surface* shade = makeSolidImage(16, 16, 0);
    blendToScreen(shade, 100, 100, 0, 0, 16, 16, 0.6);
    for (int32_t y = 100; y < 116; ++y)
        for (int32_t x = 100; x < 116; ++x) ASSERT_EQ(pixelAt(screen, x, y), BACKGROUND);
    SDL_FreeSurface(shade);
}

TEST_F(Surfaces, BlendReachingPastTheEdgesKeepsTheInsidePart)
{
    SDL_Surface* image = makeColumnImage(16, 16);
    blendToScreen(image, 290, 292, 0, 0, 16, 16, 0.6);
    EXPECT_EQ(pixelAt(screen, 299, 299), mixPixel(10 * 0x010101u, BACKGROUND, 0.6));
    EXPECT_EQ(pixelAt(screen, 290, 292), mixPixel(0x010101u, BACKGROUND, 0.6));
    blendToScreen(image, -3, -3, 0, 0, 16, 16, 0.6);
    EXPECT_EQ(pixelAt(screen, 0, 0), mixPixel(4 * 0x010101u, BACKGROUND, 0.6));
    EXPECT_EQ(pixelAt(screen, 13, 0), BACKGROUND);
    SDL_FreeSurface(image);
}

// A stand-in for the window whose 300 x 300 pixels sit inside a larger buffer: every byte around
// them is a guard that no primitive may touch.
TEST_F(Surfaces, NoPrimitiveTouchesAPixelOutsideTheWindow)
{
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

TEST_F(Surfaces, UpdateRectanglesAreClippedToTheWindow)
{
    pushedRects.count = 0;
    updateScreenRect(screen, -10, -20, 50, 50);
    updateScreenRect(screen, 280, 290, 50, 50);
    updateScreenRect(screen, 300, 0, 10, 10);
    updateScreenRect(screen, 0, 0, 0, 5);
    updateScreenRect(screen, -60, 0, 50, 5);
    ASSERT_EQ(pushedRects.count, 2);
    const SDL_Rect& first = pushedRects.rects[0];
    EXPECT_EQ((std::vector<int>{first.x, first.y, first.w, first.h}),
              (std::vector<int>{0, 0, 40, 30}));
    const SDL_Rect& second = pushedRects.rects[1];
    EXPECT_EQ((std::vector<int>{second.x, second.y, second.w, second.h}),
              (std::vector<int>{280, 290, 20, 10}));
}

} // namespace
