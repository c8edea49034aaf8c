// The generated files: every one loads, with the size, colour key and sprite layout the drawing
// relies on.
#include "render/asset_files.h"
#include "render/assets.h"
#include "render/frame.h"
#include "render/glyph_widths.h"
#include "render/surfaces.h"
#include "rules/game_mode.h"
#include "test_window.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <string>

namespace {

struct Loaded {
    SDL_Surface* image;
    uint32_t key;
};

Loaded load(int32_t index)
{
    openTestWindow();
    const ImageFile& file = IMAGE_FILES[index];
    return {loadImage(file.path, file.keyRed, file.keyGreen, file.keyBlue),
            SDL_MapRGB(screen->format, file.keyRed, file.keyGreen, file.keyBlue)};
}

int32_t indexOf(const char* path)
{
    for (int32_t i = 0; i < IMAGE_COUNT; ++i)
        if (std::string(IMAGE_FILES[i].path) == path) return i;
    return -1;
}

Loaded load(const char* path) { return load(indexOf(path)); }

// Pixels in the rectangle that are not the key.
int32_t drawnPixels(const Loaded& l, int32_t x0, int32_t y0, int32_t w, int32_t h)
{
    int32_t drawn = 0;
    for (int32_t y = y0; y < y0 + h; ++y)
        for (int32_t x = x0; x < x0 + w; ++x)
            if (pixelAt(l.image, x, y) != l.key) ++drawn;
    return drawn;
}

TEST(Images, EveryFileLoadsInTheScreenFormatWithItsSizeAndKey)
{
    for (int32_t i = 0; i < IMAGE_COUNT; ++i) {
        const Loaded l = load(i);
        const ImageFile& file = IMAGE_FILES[i];
        ASSERT_NE(l.image, nullptr) << file.path;
        EXPECT_EQ(l.image->w, file.width) << file.path;
        EXPECT_EQ(l.image->h, file.height) << file.path;
        EXPECT_EQ(l.image->format->BitsPerPixel, 32) << file.path;
        EXPECT_EQ(l.image->format->Rmask, screen->format->Rmask) << file.path;
        EXPECT_TRUE(l.image->flags & SDL_SRCCOLORKEY) << file.path;
        EXPECT_EQ(l.image->format->colorkey, l.key) << file.path;
        SDL_FreeSurface(l.image);
    }
}

TEST(Images, BackgroundsAreOpaqueEverywhere)
{
    for (const char* path : {"Images/field.bmp", "Images/panel.bmp", "Images/messageBack.bmp",
                             "Images/startBackgr.bmp", "Images/endBackgr.bmp"}) {
        const Loaded l = load(path);
        EXPECT_EQ(drawnPixels(l, 0, 0, l.image->w, l.image->h), l.image->w * l.image->h) << path;
        SDL_FreeSurface(l.image);
    }
}

TEST(Images, BallCellsAreRoundBallsInsideTheirCells)
{
    const Loaded l = load("Images/balls.bmp");
    for (int32_t k = 0; k < 10; ++k) {
        const int32_t x = 14 * k;
        EXPECT_GT(drawnPixels(l, x + 3, 3, 8, 8), 60) << "cell " << k; // a solid middle
        // The corners of a round ball show the cloth.
        EXPECT_EQ(pixelAt(l.image, x, 0), l.key) << "cell " << k;
        EXPECT_EQ(pixelAt(l.image, x + 13, 0), l.key) << "cell " << k;
        EXPECT_EQ(pixelAt(l.image, x, 13), l.key) << "cell " << k;
        EXPECT_EQ(pixelAt(l.image, x + 13, 13), l.key) << "cell " << k;
    }
    SDL_FreeSurface(l.image);
}

TEST(Images, ArrowCellsHoldAnArrowAndNothingLiesBetweenThem)
{
    const Loaded l = load("Images/arrows.bmp");
    int32_t insideCells = 0;
    for (int32_t column = 0; column < 10; ++column)
        for (int32_t row = 0; row < 16; ++row) {
            const int32_t x = static_cast<int32_t>(column * 17.4);
            const int32_t y = static_cast<int32_t>(row * 14.8);
            const int32_t drawn = drawnPixels(l, x, y, 17, 13);
            EXPECT_GT(drawn, 5) << "speed class " << column << " sector " << row;
            insideCells += drawn;
        }
    EXPECT_EQ(drawnPixels(l, 0, 0, l.image->w, l.image->h), insideCells)
        << "pixels drawn outside the 160 cells";
    SDL_FreeSurface(l.image);
}

// An arrow points the way of its sector: its drawn pixels lean towards that direction from the
// middle of the cell (sector 0 left, 4 up, 8 right, 12 down).
TEST(Images, ArrowsPointTheirSectorsWay)
{
    const Loaded l = load("Images/arrows.bmp");
    const double pi = std::acos(-1.0);
    for (int32_t row = 0; row < 16; row += 2) {
        const int32_t y0 = static_cast<int32_t>(row * 14.8);
        const double angle = row * 22.5 * pi / 180.0;
        const double dirX = -std::cos(angle), dirY = -std::sin(angle);
        // The tip lies farther out along the direction than the tail lies the other way.
        double far = -1e9, near = 1e9;
        for (int32_t y = 0; y < 13; ++y)
            for (int32_t x = 0; x < 17; ++x)
                if (pixelAt(l.image, 156 + x, y0 + y) != l.key) {
                    const double along = (x - 8.0) * dirX + (y - 6.0) * dirY;
                    far = std::max(far, along);
                    near = std::min(near, along);
                }
        EXPECT_GT(far, 0.0) << "sector " << row;
        EXPECT_GE(far, -near - 1.0) << "sector " << row;
    }
    SDL_FreeSurface(l.image);
}

TEST(Images, EveryButtonCellAndPlacedToolIconIsDrawn)
{
    const Loaded l = load("Images/buttons.bmp");
    for (int32_t strip = 0; strip < 6; ++strip)
        for (int32_t column = 0; column < 10; ++column)
            EXPECT_GT(drawnPixels(l, 30 * column, 30 * strip, 30, 30), 300)
                << "strip " << strip << " column " << column;
    // The icon of a tool left on the Table is the inside of its Active cell.
    for (int32_t kind : {2, 5, 6, 11})
        EXPECT_GT(drawnPixels(l, (kind % 10) * 30 + 4, (kind / 10) * 90 + 4, 22, 22), 40)
            << "kind " << kind;
    SDL_FreeSurface(l.image);
}

TEST(Images, EveryGlyphButTheSpaceHasInk)
{
    const Loaded l = load("Images/font10pt.bmp");
    int32_t x = 0;
    for (int32_t g = 0; g < GLYPH_COUNT; ++g) {
        const int32_t ink = drawnPixels(l, x, 0, glyphWidth[g], FONT_HEIGHT);
        if (g == 0)
            EXPECT_EQ(ink, 0) << "the space";
        else
            EXPECT_GT(ink, 0) << "character " << g + 32;
        x += glyphWidth[g];
    }
    SDL_FreeSurface(l.image);
}

TEST(Images, DigitsOptionValuesAndBannersAreDrawn)
{
    const Loaded digits = load("Images/numbers.bmp");
    for (int32_t n = 0; n < 10; ++n) EXPECT_GT(drawnPixels(digits, 7 * n, 0, 7, 8), 5) << n;
    const Loaded values = load("Images/stOptionsValues.bmp");
    for (int32_t cell = 0; cell < 6; ++cell)
        EXPECT_GT(drawnPixels(values, 25 * cell, 0, 25, 16), 100) << "speed " << 10 * cell + 10;
    EXPECT_EQ(drawnPixels(values, 150, 0, 32, 16), 32 * 16) << "the off mark hides the on mark";
    const Loaded banners = load("Images/victoryH1.bmp");
    for (int32_t b = 0; b < 4; ++b) EXPECT_GT(drawnPixels(banners, 0, 50 * b, 300, 50), 2000) << b;
    const Loaded shade = load("Images/shade.bmp");
    EXPECT_GT(drawnPixels(shade, 0, 0, 16, 16), 60);
    const Loaded options = load("Images/options.bmp");
    EXPECT_GT(drawnPixels(options, 0, 0, 110, 100), 5000);
    for (const Loaded& l : {digits, values, banners, shade, options}) SDL_FreeSurface(l.image);
}

TEST(Images, TheFrameLeavesTheCushionedFieldOpenAndThePocketsSitInTheCorners)
{
    const Loaded border = load("Images/border.bmp");
    // Ball centres reach 32..268 across and 132..268 down: a ball's whole disc must show.
    EXPECT_EQ(drawnPixels(border, 26, 26, 248, 148), 0);
    EXPECT_EQ(pixelAt(border.image, 150, 3) == border.key, false);
    EXPECT_EQ(pixelAt(border.image, 3, 100) == border.key, false);
    const Loaded holes = load("Images/holes.bmp");
    for (const auto& corner : {std::pair{24, 24}, {276, 24}, {24, 176}, {276, 176}})
        EXPECT_NE(pixelAt(holes.image, corner.first, corner.second), holes.key);
    EXPECT_EQ(drawnPixels(holes, 60, 40, 180, 120), 0);
    SDL_FreeSurface(border.image);
    SDL_FreeSurface(holes.image);
}

TEST(Images, TheFirstFrameShowsTheStartMenu)
{
    openTestWindow();
    gameMode = StartMenu;
    loadAssets();
    EXPECT_EQ(fullRedraw, 0);
    ASSERT_EQ(pushedRects.count, 1);
    EXPECT_EQ(pushedRects.rects[0].w, 300);
    EXPECT_EQ(pushedRects.rects[0].h, 300);
    // The start background fills the window, with the menu ball over it at the right edge.
    int32_t same = 0;
    for (int32_t y = 0; y < 250; ++y)
        for (int32_t x = 0; x < 300; ++x)
            same += pixelAt(screen, x, y) == pixelAt(startBackgroundImage, x, y);
    EXPECT_EQ(same, 300 * 250);
    SDL_SaveBMP(screen, "first_frame.bmp");
}

} // namespace
