// What the player must be able to tell apart in the pictures: the ball colours of the value
// classes, the tool buttons and their three states, arrows that grow with the speed, a font whose
// letters keep to their widths and line up, and sprites that stay inside their cells.
#include "render/asset_files.h"
#include "render/assets.h"
#include "render/glyph_widths.h"
#include "render/surfaces.h"
#include "rules/tool_catalogue.h"
#include "test_window.h"
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

struct Sheet {
    SDL_Surface* image;
    uint32_t key;
};

Sheet loadSheet(const char* path)
{
    openTestWindow();
    for (const ImageFile& file : IMAGE_FILES)
        if (std::string(file.path) == path) {
            SDL_Surface* image = loadImage(file.path, file.keyRed, file.keyGreen, file.keyBlue);
            return {image, image ? image->format->colorkey : 0};
        }
    return {nullptr, 0};
}

bool drawn(const Sheet& s, int32_t x, int32_t y)
{
    return pixelAt(s.image, x, y) != s.key;
}

struct Colour {
    double r, g, b;
};

Colour colourAt(const Sheet& s, int32_t x, int32_t y)
{
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(pixelAt(s.image, x, y), s.image->format, &r, &g, &b);
    return {double(r), double(g), double(b)};
}

// The mean colour of the drawn pixels of a rectangle.
Colour meanColour(const Sheet& s, int32_t x0, int32_t y0, int32_t w, int32_t h)
{
    Colour sum = {0, 0, 0};
    int32_t count = 0;
    for (int32_t y = y0; y < y0 + h; ++y)
        for (int32_t x = x0; x < x0 + w; ++x)
            if (drawn(s, x, y)) {
                const Colour c = colourAt(s, x, y);
                sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                ++count;
            }
    if (count == 0) return sum;
    return {sum.r / count, sum.g / count, sum.b / count};
}

double distance(Colour a, Colour b)
{
    return std::sqrt((a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) +
                     (a.b - b.b) * (a.b - b.b));
}

// Hue in degrees, 0 red, 60 yellow, 120 green, 180 cyan, 300 magenta.
double hue(Colour c)
{
    const double pi = std::acos(-1.0);
    const double h = std::atan2(std::sqrt(3.0) * (c.g - c.b), 2 * c.r - c.g - c.b) * 180 / pi;
    return h < 0 ? h + 360 : h;
}

double saturation(Colour c)
{
    const double high = std::max({c.r, c.g, c.b}), low = std::min({c.r, c.g, c.b});
    return high > 0 ? (high - low) / high : 0;
}

// Pixels of two equal rectangles that differ clearly in some channel.
int32_t differingPixels(const Sheet& s, int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t w,
                        int32_t h)
{
    int32_t differing = 0;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const Colour a = colourAt(s, ax + x, ay + y), b = colourAt(s, bx + x, by + y);
            const bool keyed = drawn(s, ax + x, ay + y) != drawn(s, bx + x, by + y);
            if (keyed ||
                std::max({std::fabs(a.r - b.r), std::fabs(a.g - b.g), std::fabs(a.b - b.b)}) > 48)
                ++differing;
        }
    return differing;
}

// The ball sheet: cell k is the 14 x 14 square at x 14k.
TEST(BallArt, EveryValueClassHasItsOwnColour)
{
    const Sheet balls = loadSheet("Images/balls.bmp");
    ASSERT_NE(balls.image, nullptr);
    Colour mean[10];
    for (int32_t k = 0; k < 10; ++k) mean[k] = meanColour(balls, 14 * k, 0, 14, 14);
    // Told apart at a glance on the table: no two cells closer than this in mean colour.
    for (int32_t a = 0; a < 10; ++a)
        for (int32_t b = a + 1; b < 10; ++b)
            EXPECT_GT(distance(mean[a], mean[b]), 45.0) << "cells " << a << " and " << b;
    SDL_FreeSurface(balls.image);
}

// The chosen ball is white; the values run from cyan (cell 1) round the colour wheel through
// green, yellow (cell 5, value 7 to 10) and red (cell 7, value 16 to 20) to pink (cell 9), as the
// tutorial names them.
TEST(BallArt, TheColoursRunFromCyanThroughYellowAndRedToPink)
{
    const Sheet balls = loadSheet("Images/balls.bmp");
    ASSERT_NE(balls.image, nullptr);
    Colour mean[10];
    for (int32_t k = 0; k < 10; ++k) mean[k] = meanColour(balls, 14 * k, 0, 14, 14);
    EXPECT_LT(saturation(mean[0]), 0.35) << "the chosen ball is white";
    for (int32_t k = 1; k < 10; ++k)
        EXPECT_GT(saturation(mean[k]), 0.45) << "cell " << k << " has a clear colour";
    EXPECT_NEAR(hue(mean[1]), 190, 20) << "cyan";
    EXPECT_NEAR(hue(mean[5]), 50, 15) << "yellow";
    EXPECT_TRUE(hue(mean[7]) < 12 || hue(mean[7]) > 348) << "red: " << hue(mean[7]);
    EXPECT_NEAR(hue(mean[9]), 320, 20) << "pink";
    EXPECT_GT(mean[9].r + mean[9].g + mean[9].b, mean[8].r + mean[8].g + mean[8].b)
        << "pink is lighter than the crimson below it";
    // Measured the long way from cyan down through green and yellow to red and on to pink, the
    // hue only ever moves on.
    double travelled = -1;
    for (int32_t k = 1; k < 10; ++k) {
        const double along = std::fmod(200.0 - hue(mean[k]) + 360.0, 360.0);
        EXPECT_GT(along, travelled) << "cell " << k << " is out of order";
        travelled = along;
    }
    SDL_FreeSurface(balls.image);
}

// A ball that is off centre in its cell sits off its shadow and off the place it is drawn at.
TEST(BallArt, EveryBallIsCentredInItsCellAndFillsIt)
{
    const Sheet balls = loadSheet("Images/balls.bmp");
    ASSERT_NE(balls.image, nullptr);
    for (int32_t k = 0; k < 10; ++k) {
        double sumX = 0, sumY = 0;
        int32_t count = 0, left = 14, right = -1;
        for (int32_t y = 0; y < 14; ++y)
            for (int32_t x = 0; x < 14; ++x)
                if (drawn(balls, 14 * k + x, y)) {
                    sumX += x;
                    sumY += y;
                    ++count;
                    if (y == 7) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
                }
        ASSERT_GT(count, 0) << "cell " << k;
        EXPECT_NEAR(sumX / count, 6.5, 0.5) << "cell " << k;
        EXPECT_NEAR(sumY / count, 6.5, 0.5) << "cell " << k;
        EXPECT_GE(right - left + 1, 12) << "cell " << k << " is a ball of full size";
    }
    SDL_FreeSurface(balls.image);
}

// The arrow sheet: the faster the ball, the heavier its arrow, in every heading.
TEST(ArrowArt, ArrowsGrowHeavierWithTheSpeedClass)
{
    const Sheet arrows = loadSheet("Images/arrows.bmp");
    ASSERT_NE(arrows.image, nullptr);
    for (int32_t row = 0; row < 16; ++row) {
        const int32_t y0 = static_cast<int32_t>(row * 14.8);
        int32_t weight[10];
        for (int32_t column = 0; column < 10; ++column) {
            const int32_t x0 = static_cast<int32_t>(column * 17.4);
            weight[column] = 0;
            for (int32_t y = 0; y < 13; ++y)
                for (int32_t x = 0; x < 17; ++x) weight[column] += drawn(arrows, x0 + x, y0 + y);
            if (column > 0) {
                EXPECT_GE(weight[column], weight[column - 1])
                    << "sector " << row << " class " << column;
            }
        }
        EXPECT_GT(weight[9], 1.3 * weight[0]) << "sector " << row;
    }
    // And the colour goes from a pale cyan for the slowest to pink for the fastest.
    const Colour slow = meanColour(arrows, 0, 0, 17, 13);
    const Colour fast = meanColour(arrows, 156, 0, 17, 13);
    EXPECT_GT(slow.b, slow.r) << "the slowest arrow is cyan to white";
    EXPECT_NEAR(hue(fast), 320, 25) << "the fastest arrow is pink";
    SDL_FreeSurface(arrows.image);
}

// The button sheet: button k has its three states at x 30 (k mod 10) and y 90 (k div 10) + 0
// (Active), + 30 (Available) and + 60 (Unavailable).
int32_t cellX(int32_t k)
{
    return (k % 10) * 30;
}
int32_t cellY(int32_t k, int32_t strip)
{
    return (k / 10) * 90 + 30 * strip;
}

// The buttons that stand for the same thing in both rows look alike; every other pair differs.
bool sameFunction(int32_t a, int32_t b)
{
    return (a == TimeToggle && b == TimeToggleRow2) || (a == BlankLeft && b == BlankRight);
}

TEST(ButtonArt, EveryToolHasAPictureOfItsOwn)
{
    const Sheet buttons = loadSheet("Images/buttons.bmp");
    ASSERT_NE(buttons.image, nullptr);
    for (int32_t a = 0; a < TOOL_COUNT; ++a)
        for (int32_t b = a + 1; b < TOOL_COUNT; ++b) {
            const int32_t differing =
                differingPixels(buttons, cellX(a), cellY(a, 1), cellX(b), cellY(b, 1), 30, 30);
            if (sameFunction(a, b)) {
                EXPECT_EQ(differing, 0) << "buttons " << a << " and " << b;
            } else {
                EXPECT_GT(differing, 20) << "buttons " << a << " and " << b;
            }
        }
    SDL_FreeSurface(buttons.image);
}

TEST(ButtonArt, TheThreeStatesAreToldApartAndTheUnavailableOneIsGrey)
{
    const Sheet buttons = loadSheet("Images/buttons.bmp");
    ASSERT_NE(buttons.image, nullptr);
    for (int32_t k = 0; k < TOOL_COUNT; ++k) {
        const int32_t x = cellX(k);
        EXPECT_GT(differingPixels(buttons, x, cellY(k, 0), x, cellY(k, 1), 30, 30), 150)
            << "button " << k << ": Active and Available";
        EXPECT_GT(differingPixels(buttons, x, cellY(k, 1), x, cellY(k, 2), 30, 30), 150)
            << "button " << k << ": Available and Unavailable";
        const Colour available = meanColour(buttons, x, cellY(k, 1), 30, 30);
        const Colour shaded = meanColour(buttons, x, cellY(k, 2), 30, 30);
        EXPECT_LT(saturation(shaded), 0.5 * saturation(available)) << "button " << k;
        EXPECT_LT(shaded.r + shaded.g + shaded.b, available.r + available.g + available.b)
            << "button " << k;
    }
    SDL_FreeSurface(buttons.image);
}

// A tool left on the Table is the 22 x 22 inside of its Active cell, blitted onto the cloth: its
// edge must be mostly see-through, or it shows as a box.
TEST(ButtonArt, PlacedToolsShowOnTheClothWithoutABox)
{
    const Sheet buttons = loadSheet("Images/buttons.bmp");
    ASSERT_NE(buttons.image, nullptr);
    for (int32_t kind : {Fan, ReflectHorizontal, ReflectVertical, Magnet}) {
        const int32_t x0 = cellX(kind) + 4, y0 = cellY(kind, 0) + 4;
        int32_t edge = 0, edgeDrawn = 0;
        for (int32_t y = 0; y < 22; ++y)
            for (int32_t x = 0; x < 22; ++x)
                if (x == 0 || y == 0 || x == 21 || y == 21) {
                    ++edge;
                    edgeDrawn += drawn(buttons, x0 + x, y0 + y);
                }
        EXPECT_LT(edgeDrawn, edge / 2) << "kind " << kind;
    }
    SDL_FreeSurface(buttons.image);
}

// The font: glyph g lies in the glyphWidth[g] columns after the glyphs before it.
struct Glyphs {
    Sheet font;
    int32_t offset[GLYPH_COUNT];
};

Glyphs loadGlyphs()
{
    Glyphs glyphs = {loadSheet("Images/font10pt.bmp"), {}};
    int32_t x = 0;
    for (int32_t g = 0; g < GLYPH_COUNT; ++g) {
        glyphs.offset[g] = x;
        x += glyphWidth[g];
    }
    return glyphs;
}

bool inkAt(const Glyphs& glyphs, char c, int32_t column, int32_t row)
{
    return drawn(glyphs.font, glyphs.offset[c - 32] + column, row);
}

bool columnHasInk(const Glyphs& glyphs, char c, int32_t column)
{
    for (int32_t row = 0; row < FONT_HEIGHT; ++row)
        if (inkAt(glyphs, c, column, row)) return true;
    return false;
}

// Text is drawn glyph after glyph at these widths; ink that reached the last column of a cell
// would run into the next letter, and ink past it would show as a stray mark on that letter.
TEST(FontArt, EveryGlyphKeepsItsInkInsideItsWidthWithAGapAfterIt)
{
    const Glyphs glyphs = loadGlyphs();
    ASSERT_NE(glyphs.font.image, nullptr);
    for (int32_t g = 1; g < GLYPH_COUNT; ++g) {
        const char c = static_cast<char>(32 + g);
        int32_t first = -1, last = -1;
        for (int32_t column = 0; column < glyphWidth[g]; ++column)
            if (columnHasInk(glyphs, c, column)) {
                if (first < 0) first = column;
                last = column;
            }
        ASSERT_GE(first, 0) << "character " << g + 32;
        EXPECT_LT(last, glyphWidth[g] - 1) << "'" << c << "' reaches the gap to the next glyph";
        // Centred in its width: a glyph pushed to one side, or a neighbour's ink, unbalances it.
        const int32_t leftGap = first, rightGap = glyphWidth[g] - 2 - last;
        EXPECT_LE(std::abs(leftGap - rightGap), 2) << "'" << c << "'";
    }
    SDL_FreeSurface(glyphs.font.image);
}

int32_t topRow(const Glyphs& glyphs, char c)
{
    for (int32_t row = 0; row < FONT_HEIGHT; ++row)
        for (int32_t column = 0; column < glyphWidth[c - 32]; ++column)
            if (inkAt(glyphs, c, column, row)) return row;
    return -1;
}

int32_t bottomRow(const Glyphs& glyphs, char c)
{
    for (int32_t row = FONT_HEIGHT - 1; row >= 0; --row)
        for (int32_t column = 0; column < glyphWidth[c - 32]; ++column)
            if (inkAt(glyphs, c, column, row)) return row;
    return -1;
}

// Letters that jump up or down in a line of text read as a broken font.
TEST(FontArt, CapitalsDigitsAndSmallLettersShareTheirLines)
{
    const Glyphs glyphs = loadGlyphs();
    ASSERT_NE(glyphs.font.image, nullptr);
    const int32_t capTop = topRow(glyphs, 'H'), baseline = bottomRow(glyphs, 'H');
    EXPECT_GE(baseline - capTop, 5) << "capitals at least 6 rows tall";
    EXPECT_LT(baseline, FONT_HEIGHT - 1) << "room below the baseline for descenders";
    for (char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789")) {
        EXPECT_EQ(topRow(glyphs, c), capTop) << "'" << c << "'";
        // J and Q may reach below the line; nothing stops above it.
        if (c == 'J' || c == 'Q') {
            EXPECT_GE(bottomRow(glyphs, c), baseline) << "'" << c << "'";
        } else {
            EXPECT_EQ(bottomRow(glyphs, c), baseline) << "'" << c << "'";
        }
    }
    const int32_t xTop = topRow(glyphs, 'x');
    EXPECT_GT(xTop, capTop) << "small letters are smaller than capitals";
    for (char c : std::string("acemnorsuvwxz")) {
        EXPECT_EQ(topRow(glyphs, c), xTop) << "'" << c << "'";
        EXPECT_EQ(bottomRow(glyphs, c), baseline) << "'" << c << "'";
    }
    for (char c : std::string("gjpqy"))
        EXPECT_GT(bottomRow(glyphs, c), baseline) << "'" << c << "' reaches below the line";
    SDL_FreeSurface(glyphs.font.image);
}

TEST(FontArt, NoTwoCharactersLookTheSame)
{
    const Glyphs glyphs = loadGlyphs();
    ASSERT_NE(glyphs.font.image, nullptr);
    for (int32_t a = 1; a < GLYPH_COUNT; ++a)
        for (int32_t b = a + 1; b < GLYPH_COUNT; ++b) {
            if (glyphWidth[a] != glyphWidth[b]) continue;
            bool same = true;
            for (int32_t y = 0; y < FONT_HEIGHT && same; ++y)
                for (int32_t x = 0; x < glyphWidth[a] && same; ++x)
                    same = drawn(glyphs.font, glyphs.offset[a] + x, y) ==
                           drawn(glyphs.font, glyphs.offset[b] + x, y);
            EXPECT_FALSE(same) << "'" << char(a + 32) << "' and '" << char(b + 32) << "'";
        }
    SDL_FreeSurface(glyphs.font.image);
}

// Sheets whose cells lie side by side: a copied cell shows the wrong digit, speed or result.
TEST(SheetArt, DigitsSpeedsAndBannersAreEachTheirOwn)
{
    const Sheet digits = loadSheet("Images/numbers.bmp");
    const Sheet values = loadSheet("Images/stOptionsValues.bmp");
    const Sheet banners = loadSheet("Images/victoryH1.bmp");
    ASSERT_NE(digits.image, nullptr);
    ASSERT_NE(values.image, nullptr);
    ASSERT_NE(banners.image, nullptr);
    for (int32_t a = 0; a < 10; ++a)
        for (int32_t b = a + 1; b < 10; ++b)
            EXPECT_GT(differingPixels(digits, 7 * a, 0, 7 * b, 0, 7, 8), 3)
                << "digits " << a << " and " << b;
    for (int32_t a = 0; a < 6; ++a)
        for (int32_t b = a + 1; b < 6; ++b)
            EXPECT_GT(differingPixels(values, 25 * a, 0, 25 * b, 0, 25, 16), 10)
                << "speeds " << 10 * a + 10 << " and " << 10 * b + 10;
    for (int32_t a = 0; a < 4; ++a)
        for (int32_t b = a + 1; b < 4; ++b)
            EXPECT_GT(differingPixels(banners, 0, 50 * a, 0, 50 * b, 300, 50), 1000)
                << "banners " << a << " and " << b;
    for (const Sheet& s : {digits, values, banners}) SDL_FreeSurface(s.image);
}

// Each result banner stays in its band of 50 rows: its first and last rows are see-through, so
// no sliver of the banner above or below shows on the end screen.
TEST(SheetArt, EachBannerStaysInsideItsBand)
{
    const Sheet banners = loadSheet("Images/victoryH1.bmp");
    ASSERT_NE(banners.image, nullptr);
    for (int32_t b = 0; b < 4; ++b)
        for (int32_t row : {50 * b, 50 * b + 49}) {
            int32_t inked = 0;
            for (int32_t x = 0; x < 300; ++x) inked += drawn(banners, x, row);
            EXPECT_EQ(inked, 0) << "banner " << b << " row " << row;
        }
    SDL_FreeSurface(banners.image);
}

} // namespace
