// The generated pictures: every one loads with the size and colour key the drawing relies on,
// and the player can tell apart what they show: the ball colours of the value classes, arrows
// that point their way and grow with the speed, the tool buttons and their three states, a font
// whose letters keep to their widths and line up, and sprites that stay inside their cells.
#include "render/asset_files.h"
#include "render/assets.h"
#include "render/frame.h"
#include "render/glyph_widths.h"
#include "render/surfaces.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/tool_catalogue.h"
#include "test_window.h"
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <set>
#include <string>
#include <tuple>

namespace {

struct Sheet {
    SDL_Surface* image;
    uint32_t key;
    ~Sheet() { SDL_FreeSurface(image); }
};

// Loaded as the game loads it; the key is the one the file's entry names.
Sheet load(const char* path)
{
    openTestWindow();
    for (const ImageFile& f : IMAGE_FILES)
        if (std::string(f.path) == path)
            return {loadImage(f.path, f.keyRed, f.keyGreen, f.keyBlue),
                    SDL_MapRGB(screen->format, f.keyRed, f.keyGreen, f.keyBlue)};
    ADD_FAILURE() << path << " is not one of the game's pictures";
    return {nullptr, 0};
}

bool drawn(const Sheet& s, int32_t x, int32_t y) { return pixelAt(s.image, x, y) != s.key; }

int32_t drawnPixels(const Sheet& s, int32_t x0, int32_t y0, int32_t w, int32_t h)
{
    int32_t count = 0;
    for (int32_t y = y0; y < y0 + h; ++y)
        for (int32_t x = x0; x < x0 + w; ++x) count += drawn(s, x, y);
    return count;
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
    return count ? Colour{sum.r / count, sum.g / count, sum.b / count} : sum;
}

// Hue in degrees, 0 red, 60 yellow, 120 green, 180 cyan, 300 magenta.
double hue(Colour c)
{
    const double h =
        std::atan2(std::sqrt(3.0) * (c.g - c.b), 2 * c.r - c.g - c.b) * 180 / std::numbers::pi;
    return h < 0 ? h + 360 : h;
}

double saturation(Colour c)
{
    const double high = std::max({c.r, c.g, c.b}), low = std::min({c.r, c.g, c.b});
    return high > 0 ? (high - low) / high : 0;
}

// Pixels of two equal rectangles that differ clearly in some channel, or in the key.
int32_t differingPixels(const Sheet& s, int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t w,
                        int32_t h)
{
    int32_t differing = 0;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const Colour a = colourAt(s, ax + x, ay + y), b = colourAt(s, bx + x, by + y);
            differing +=
                drawn(s, ax + x, ay + y) != drawn(s, bx + x, by + y) ||
                std::max({std::fabs(a.r - b.r), std::fabs(a.g - b.g), std::fabs(a.b - b.b)}) > 48;
        }
    return differing;
}

// The backgrounds are opaque, and the small pictures hold their art.
TEST(Images, EveryFileLoadsInTheScreenFormatWithItsSizeAndKey)
{
    const std::set<std::string> opaque = {"Images/field.bmp", "Images/panel.bmp",
                                          "Images/messageBack.bmp", "Images/startBackgr.bmp",
                                          "Images/endBackgr.bmp"};
    for (const ImageFile& file : IMAGE_FILES) {
        const Sheet s = load(file.path);
        ASSERT_NE(s.image, nullptr) << file.path;
        const SDL_PixelFormat& f = *s.image->format;
        EXPECT_EQ(std::tuple(s.image->w, s.image->h, int32_t{f.BitsPerPixel}, f.Rmask, f.colorkey,
                             (s.image->flags & SDL_SRCCOLORKEY) != 0),
                  std::tuple(file.width, file.height, 32, screen->format->Rmask, s.key, true))
            << file.path;
        const int32_t area = s.image->w * s.image->h;
        EXPECT_TRUE(!opaque.count(file.path) ||
                    drawnPixels(s, 0, 0, s.image->w, s.image->h) == area)
            << file.path << " is a background with a hole";
    }
    EXPECT_GT(drawnPixels(load("Images/shade.bmp"), 0, 0, 16, 16), 60);
    EXPECT_GT(drawnPixels(load("Images/options.bmp"), 0, 0, 110, 100), 5000);
}

TEST(Images, TheFrameLeavesTheCushionedFieldOpenAndThePocketsSitInTheCorners)
{
    const Sheet border = load("Images/border.bmp");
    // Ball centres reach 32..268 across and 132..268 down: a ball's whole disc must show.
    EXPECT_EQ(drawnPixels(border, 26, 26, 248, 148), 0);
    EXPECT_TRUE(drawn(border, 150, 3) && drawn(border, 3, 100));
    const Sheet holes = load("Images/holes.bmp");
    EXPECT_TRUE(drawn(holes, 24, 24) && drawn(holes, 276, 24) && drawn(holes, 24, 176) &&
                drawn(holes, 276, 176));
    EXPECT_EQ(drawnPixels(holes, 60, 40, 180, 120), 0);
}

// The ball sheet: cell k is the 14 x 14 square at x 14k. The chosen ball is white; the values
// run from cyan (cell 1) round the colour wheel through green, yellow (cell 5, value 7 to 10)
// and red (cell 7, value 16 to 20) to pink (cell 9), as the tutorial names them.
TEST(BallArt, EveryValueClassHasItsOwnColourInTheTutorialsOrderOnARoundCentredDisc)
{
    const Sheet sheet = load("Images/balls.bmp");
    Colour mean[10];
    for (int32_t k = 0; k < 10; ++k) mean[k] = meanColour(sheet, 14 * k, 0, 14, 14);
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
    // A ball off centre in its cell sits off its shadow and off the place it is drawn at; the
    // corners of a round ball show the cloth.
    for (int32_t k = 0; k < 10; ++k) {
        double sumX = 0, sumY = 0;
        int32_t count = 0, left = 14, right = -1;
        for (int32_t y = 0; y < 14; ++y)
            for (int32_t x = 0; x < 14; ++x)
                if (drawn(sheet, 14 * k + x, y)) {
                    sumX += x;
                    sumY += y;
                    ++count;
                    if (y == 7) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
                }
        EXPECT_GT(drawnPixels(sheet, 14 * k + 3, 3, 8, 8), 60) << "cell " << k << ": solid";
        ASSERT_GT(count, 0) << "cell " << k;
        EXPECT_NEAR(sumX / count, 6.5, 0.5) << "cell " << k;
        EXPECT_NEAR(sumY / count, 6.5, 0.5) << "cell " << k;
        EXPECT_GE(right - left + 1, 12) << "cell " << k << " is a ball of full size";
        for (int32_t corner : {0, 13})
            EXPECT_FALSE(drawn(sheet, 14 * k + corner, 0) || drawn(sheet, 14 * k + corner, 13))
                << "cell " << k;
    }
}

// The arrow sheet: speed class c, heading sector s is the 17 x 13 cell at (17.4 c, 14.8 s).
// Every cell holds an arrow, nothing lies between the cells, the faster the ball the heavier
// its arrow, and it points its sector's way (0 left, 4 up, 8 right, 12 down).
TEST(ArrowArt, ArrowsPointTheirWayAndGrowHeavierWithTheSpeedClass)
{
    const Sheet arrows = load("Images/arrows.bmp");
    int32_t insideCells = 0;
    for (int32_t row = 0; row < 16; ++row) {
        const int32_t y0 = static_cast<int32_t>(row * 14.8);
        int32_t weight[10];
        for (int32_t column = 0; column < 10; ++column) {
            weight[column] = drawnPixels(arrows, static_cast<int32_t>(column * 17.4), y0, 17, 13);
            insideCells += weight[column];
            EXPECT_GE(weight[column], column ? weight[column - 1] : 6)
                << "sector " << row << " class " << column;
        }
        EXPECT_GT(weight[9], 1.3 * weight[0]) << "sector " << row;
        // The tip lies farther out along the heading than the tail lies the other way.
        const double angle = row * 22.5 * std::numbers::pi / 180.0;
        double far = -1e9, near = 1e9;
        for (int32_t y = 0; y < 13; ++y)
            for (int32_t x = 0; x < 17; ++x)
                if (drawn(arrows, 156 + x, y0 + y)) {
                    const double along = -(x - 8.0) * std::cos(angle) - (y - 6.0) * std::sin(angle);
                    far = std::max(far, along);
                    near = std::min(near, along);
                }
        EXPECT_GT(far, 0.0) << "sector " << row;
        EXPECT_GE(far, -near - 1.0) << "sector " << row;
    }
    EXPECT_EQ(drawnPixels(arrows, 0, 0, arrows.image->w, arrows.image->h), insideCells)
        << "pixels drawn outside the 160 cells";
    // And the colour goes from a pale cyan for the slowest to pink for the fastest.
    const Colour slow = meanColour(arrows, 0, 0, 17, 13);
    EXPECT_GT(slow.b, slow.r) << "the slowest arrow is cyan to white";
    EXPECT_NEAR(hue(meanColour(arrows, 156, 0, 17, 13)), 320, 25) << "the fastest is pink";
}

// The button sheet: button k has its three states at x 30 (k mod 10) and y 90 (k div 10) + 0
// (Active), + 30 (Available) and + 60 (Unavailable).
int32_t cellX(int32_t k) { return (k % 10) * 30; }
int32_t cellY(int32_t k, int32_t state) { return (k / 10) * 90 + 30 * state; }

TEST(ButtonArt, EveryToolHasAPictureOfItsOwnInThreeStatesToldApart)
{
    const Sheet buttons = load("Images/buttons.bmp");
    for (int32_t k = 0; k < TOOL_COUNT; ++k) {
        const int32_t x = cellX(k);
        for (int32_t state = 0; state < 3; ++state)
            EXPECT_GT(drawnPixels(buttons, x, cellY(k, state), 30, 30), 300)
                << "button " << k << " state " << state;
        EXPECT_GT(differingPixels(buttons, x, cellY(k, 0), x, cellY(k, 1), 30, 30), 150)
            << "button " << k << ": Active and Available";
        EXPECT_GT(differingPixels(buttons, x, cellY(k, 1), x, cellY(k, 2), 30, 30), 150)
            << "button " << k << ": Available and Unavailable";
        const Colour available = meanColour(buttons, x, cellY(k, 1), 30, 30);
        const Colour shaded = meanColour(buttons, x, cellY(k, 2), 30, 30);
        EXPECT_LT(saturation(shaded), 0.5 * saturation(available)) << "button " << k << " grey";
        EXPECT_LT(shaded.r + shaded.g + shaded.b, available.r + available.g + available.b)
            << "button " << k;
        // A tool left on the Table is the 22 x 22 inside of its Active cell, blitted onto the
        // cloth: its edge must be mostly see-through, or it shows as a box.
        if (k == Fan || k == ReflectHorizontal || k == ReflectVertical || k == Magnet) {
            const int32_t inside = drawnPixels(buttons, x + 5, cellY(k, 0) + 5, 20, 20);
            EXPECT_GT(inside, 40) << "button " << k << " on the Table";
            EXPECT_LT(drawnPixels(buttons, x + 4, cellY(k, 0) + 4, 22, 22) - inside, 84 / 2)
                << "button " << k << " shows as a box on the Table";
        }
        // Only the buttons that stand for the same thing in both rows look alike.
        for (int32_t b = k + 1; b < TOOL_COUNT; ++b) {
            const int32_t differing =
                differingPixels(buttons, x, cellY(k, 1), cellX(b), cellY(b, 1), 30, 30);
            const bool alike =
                (k == TimeToggle && b == TimeToggleRow2) || (k == BlankLeft && b == BlankRight);
            EXPECT_EQ(differing > 20, !alike) << "buttons " << k << " and " << b;
            EXPECT_TRUE(differing == 0 || !alike) << "buttons " << k << " and " << b;
        }
    }
}

// The font: glyph g lies in the glyphWidth[g] columns after the glyphs before it. Text is drawn
// glyph after glyph at these widths; ink that reached the last column of a cell would run into
// the next letter, ink past it would show as a stray mark on that letter, letters that jump up
// or down in a line read as a broken font, and two alike could not be told apart.
TEST(FontArt, EveryGlyphKeepsToItsWidthAndItsLineAndLooksLikeNoOther)
{
    const Sheet font = load("Images/font10pt.bmp");
    struct Ink {
        int32_t left = 99, right = -1, top = 99, bottom = -1;
    } ink[GLYPH_COUNT];
    std::set<std::string> shapes;
    for (int32_t g = 0, x0 = 0; g < GLYPH_COUNT; x0 += glyphWidth[g++]) {
        const char c = static_cast<char>(32 + g);
        std::string shape(1, static_cast<char>(glyphWidth[g]));
        for (int32_t y = 0; y < FONT_HEIGHT; ++y)
            for (int32_t x = 0; x < glyphWidth[g]; ++x) {
                shape += drawn(font, x0 + x, y) ? '#' : '.';
                if (shape.back() == '#')
                    ink[g] = {std::min(ink[g].left, x), std::max(ink[g].right, x),
                              std::min(ink[g].top, y), std::max(ink[g].bottom, y)};
            }
        EXPECT_TRUE(shapes.insert(shape).second) << "'" << c << "' looks like another glyph";
        if (g == 0) continue;
        ASSERT_GE(ink[g].right, 0) << "'" << c << "' has no ink";
        EXPECT_LT(ink[g].right, glyphWidth[g] - 1) << "'" << c << "' reaches the gap after it";
        // Centred in its width: a glyph pushed to one side, or a neighbour's ink, unbalances it.
        EXPECT_LE(std::abs(ink[g].left - (glyphWidth[g] - 2 - ink[g].right)), 2) << "'" << c << "'";
    }
    EXPECT_EQ(ink[0].right, -1) << "the space";
    const auto at = [&ink](char c) { return ink[c - 32]; };
    const Ink capital = at('H'), small = at('x');
    EXPECT_GE(capital.bottom - capital.top, 5) << "capitals at least 6 rows tall";
    EXPECT_LT(capital.bottom, FONT_HEIGHT - 1) << "room below the baseline for descenders";
    EXPECT_GT(small.top, capital.top) << "small letters are smaller than capitals";
    // J and Q may reach below the line; nothing stops above it.
    for (char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789acemnorsuvwxz")) {
        EXPECT_EQ(at(c).top, c >= 'a' ? small.top : capital.top) << "'" << c << "'";
        EXPECT_TRUE(c == 'J' || c == 'Q' ? at(c).bottom >= capital.bottom
                                         : at(c).bottom == capital.bottom)
            << "'" << c << "' ends on row " << at(c).bottom;
    }
    for (char c : std::string("gjpqy"))
        EXPECT_GT(at(c).bottom, capital.bottom) << "'" << c << "' reaches below the line";
}

// Sheets whose cells lie side by side: every cell is drawn, and a copied cell would show the
// wrong digit, speed or result. Each result banner keeps to its band of 50 rows, so no sliver of
// the one above or below shows on the end screen.
TEST(SheetArt, DigitsSpeedsAndBannersAreDrawnAndEachTheirOwn)
{
    struct Strip {
        const char* path;
        int32_t cells, w, h, across, down, leastDrawn, leastDiffering;
    };
    for (const Strip& strip : {Strip{"Images/numbers.bmp", 10, 7, 8, 7, 0, 5, 3},
                               Strip{"Images/stOptionsValues.bmp", 6, 25, 16, 25, 0, 100, 10},
                               Strip{"Images/victoryH1.bmp", 4, 300, 50, 0, 50, 2000, 1000}}) {
        const Sheet s = load(strip.path);
        for (int32_t a = 0; a < strip.cells; ++a) {
            EXPECT_GT(drawnPixels(s, a * strip.across, a * strip.down, strip.w, strip.h),
                      strip.leastDrawn)
                << strip.path << " cell " << a;
            for (int32_t b = a + 1; b < strip.cells; ++b)
                EXPECT_GT(differingPixels(s, a * strip.across, a * strip.down, b * strip.across,
                                          b * strip.down, strip.w, strip.h),
                          strip.leastDiffering)
                    << strip.path << " cells " << a << " and " << b;
        }
    }
    EXPECT_EQ(drawnPixels(load("Images/stOptionsValues.bmp"), 150, 0, 32, 16), 32 * 16)
        << "the off mark hides the on mark";
    const Sheet banners = load("Images/victoryH1.bmp");
    for (int32_t b = 0; b < 4; ++b)
        for (int32_t row : {50 * b, 50 * b + 49})
            EXPECT_EQ(drawnPixels(banners, 0, row, 300, 1), 0) << "banner " << b << " row " << row;
}

// The options panel under the game's values: the speed cell and the three off marks go to fixed
// places (window (157, 136), (161, 153), (185, 170), (173, 187), the panel at (115, 125)). A
// switch that is on shows the panel's own "on" badge, which must fill exactly the rectangle its
// off mark covers: the mark then hides all of it, and no badge, nor a name, shows anywhere else.
TEST(OptionsArt, EachOnBadgeFillsExactlyTheRectangleItsOffMarkCovers)
{
    const Sheet panel = load("Images/options.bmp");
    const Sheet values = load("Images/stOptionsValues.bmp");
    struct Value {
        const char* name;
        int32_t x, y, w;
    };
    const Value speed = {"speed", 42, 11, 25};
    const Value switches[] = {
        {"messages", 46, 28, 32}, {"sound", 70, 45, 32}, {"music", 58, 62, 32}};
    const uint32_t face = pixelAt(values.image, 150, 0);
    ASSERT_EQ(pixelAt(panel.image, 55, 90), face) << "the panel's face is the marks' own colour";
    auto inside = [](const Value& v, int32_t x, int32_t y) {
        return x >= v.x && x < v.x + v.w && y >= v.y && y < v.y + 16;
    };
    // The "on" lettering: the one green on the panel's face.
    auto green = [&](int32_t x, int32_t y) {
        const Colour c = colourAt(panel, x, y);
        return hue(c) > 90 && hue(c) < 160 && saturation(c) > 0.3 && c.g > 60;
    };
    for (const Value& v : {speed, switches[0], switches[1], switches[2]}) {
        // Round each value the face is bare: the badge keeps within it and the name ends before.
        int32_t crowded = 0;
        for (int32_t y = v.y - 1; y <= v.y + 16; ++y)
            for (int32_t x = v.x - 1; x <= v.x + v.w; ++x)
                crowded += !inside(v, x, y) && pixelAt(panel.image, x, y) != face;
        EXPECT_EQ(crowded, 0) << v.name << ": something touches its value from outside";
    }
    for (const Value& v : switches) {
        // The badge's box is the mark's own box: its outer two pixels all round match the mark.
        int32_t unlike = 0, lettering = 0;
        for (int32_t y = 0; y < 16; ++y)
            for (int32_t x = 0; x < 32; ++x) {
                const bool edge = x < 2 || x >= 30 || y < 2 || y >= 14;
                unlike += edge && pixelAt(panel.image, v.x + x, v.y + y) !=
                                      pixelAt(values.image, 150 + x, y);
                lettering += green(v.x + x, v.y + y);
            }
        EXPECT_EQ(unlike, 0) << v.name << ": the badge's box is not where the off mark goes";
        EXPECT_GT(lettering, 15) << v.name << ": no \"on\" under the off mark";
    }
    int32_t stray = 0;
    for (int32_t y = 3; y < 97; ++y)
        for (int32_t x = 3; x < 107; ++x) {
            bool covered = false;
            for (const Value& v : switches) covered = covered || inside(v, x, y);
            stray += !covered && green(x, y);
        }
    EXPECT_EQ(stray, 0) << "an \"on\" shows where no off mark can cover it";
}

} // namespace
