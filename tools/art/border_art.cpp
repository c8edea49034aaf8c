// The frame laid over the balls: walnut rails with mitred corners, felt-covered cushions cut
// back at the four pockets, leather pocket liners and pearl sights on the rails.
#include "art.h"
#include "palette.h"
#include "table_geometry.h"
#include "texture.h"
#include <algorithm>
#include <cmath>
#include <numbers>

// Where the cushion noses stop short of the pocket corners, and how far back the jaw slants.
constexpr double JAW_NOSE = 13.0;
constexpr double JAW_BACK = 5.0;
constexpr double LINER_RADIUS = 14.5;

// Walnut along the rails: grain along x on the long rails, along y on the short ones, meeting
// on the diagonals of the corners.
static void paintRails(Canvas& canvas)
{
    fillWalnut(canvas, 0, 0, canvas.width, canvas.height, 41, true);
    Canvas sides = makeCanvas(canvas.width, canvas.height);
    fillWalnut(sides, 0, 0, canvas.width, canvas.height, 43, false);
    uint32_t* target = pixelsBegin(canvas);
    const uint32_t* source = pixelsBegin(sides);
    const int32_t stride = cairo_image_surface_get_stride(canvas.surface) / 4;
    for (int32_t y = 0; y < canvas.height; y++) {
        for (int32_t x = 0; x < canvas.width; x++) {
            const int32_t fromSide = std::min(x, canvas.width - 1 - x);
            const int32_t fromEnd = std::min(y, canvas.height - 1 - y);
            if (fromSide < fromEnd) target[y * stride + x] = source[y * stride + x];
        }
    }
    pixelsEnd(canvas);
    freeCanvas(sides);
}

// One rail as the trapezoid between the image edge and the back of the cushions.
static void railPath(cairo_t* cr, int32_t side, double w, double h)
{
    const double d = RAIL_DEPTH;
    const double corners[4][4][2] = {
        {{0, 0}, {w, 0}, {w - d, d}, {d, d}},         // top
        {{0, h}, {w, h}, {w - d, h - d}, {d, h - d}}, // bottom
        {{0, 0}, {0, h}, {d, h - d}, {d, d}},         // left
        {{w, 0}, {w, h}, {w - d, h - d}, {w - d, d}}, // right
    };
    cairo_move_to(cr, corners[side][0][0], corners[side][0][1]);
    for (int32_t i = 1; i < 4; i++) cairo_line_to(cr, corners[side][i][0], corners[side][i][1]);
    cairo_close_path(cr);
}

// The rounded profile of the rails: dark where the wood turns down at the outer edge, a sheen
// on the crown, a little shade where it meets the cushion. The lamp hangs above the top rail.
static void shadeRails(cairo_t* cr, double w, double h)
{
    const double d = RAIL_DEPTH;
    const double from[4][4] = {{0, 0, 0, d}, {0, h, 0, h - d}, {0, 0, d, 0}, {w, 0, w - d, 0}};
    const double sheen[4] = {0.22, 0.12, 0.16, 0.16};
    for (int32_t side = 0; side < 4; side++) {
        cairo_pattern_t* profile =
            cairo_pattern_create_linear(from[side][0], from[side][1], from[side][2], from[side][3]);
        addStop(profile, 0.0, INK, 0.55);
        addStop(profile, 0.14, INK, 0.12);
        addStop(profile, 0.36, CREAM, sheen[side]);
        addStop(profile, 0.62, CREAM, 0.0);
        addStop(profile, 0.9, INK, 0.18);
        addStop(profile, 1.0, INK, 0.42);
        cairo_set_source(cr, profile);
        railPath(cr, side, w, h);
        cairo_fill(cr);
        cairo_pattern_destroy(profile);
    }
    // A brass stringing line inlaid all round, near the outer edge.
    setSource(cr, BRASS, 0.75);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, 4.5, 4.5, w - 9.0, h - 9.0);
    cairo_stroke(cr);
    setSource(cr, INK);
    cairo_rectangle(cr, 0.5, 0.5, w - 1.0, h - 1.0);
    cairo_stroke(cr);
}

// The cushion of one side as a polygon: its back against the rail, its nose on the cloth, the
// ends slanting back towards the pockets.
static void cushionPath(cairo_t* cr, int32_t side)
{
    const double back = RAIL_DEPTH;
    const double l = PLAY_LEFT, t = PLAY_TOP, r = PLAY_RIGHT, b = PLAY_BOTTOM;
    const double rb = 300.0 - RAIL_DEPTH, bb = 200.0 - RAIL_DEPTH;
    const double p[4][4][2] = {
        {{l + JAW_BACK, back}, {r - JAW_BACK, back}, {r - JAW_NOSE, t}, {l + JAW_NOSE, t}},
        {{l + JAW_BACK, bb}, {r - JAW_BACK, bb}, {r - JAW_NOSE, b}, {l + JAW_NOSE, b}},
        {{back, t + JAW_BACK}, {back, b - JAW_BACK}, {l, b - JAW_NOSE}, {l, t + JAW_NOSE}},
        {{rb, t + JAW_BACK}, {rb, b - JAW_BACK}, {r, b - JAW_NOSE}, {r, t + JAW_NOSE}},
    };
    cairo_move_to(cr, p[side][0][0], p[side][0][1]);
    for (int32_t i = 1; i < 4; i++) cairo_line_to(cr, p[side][i][0], p[side][i][1]);
    cairo_close_path(cr);
}

static void drawCushions(cairo_t* cr)
{
    Canvas cloth = makeCanvas(300, 200);
    fillFelt(cloth, 0, 0, 300, 200, CLOTH_SEED + 1, 150.0, 100.0, 170.0);
    const double back = RAIL_DEPTH;
    const double from[4][4] = {{0, back, 0, PLAY_TOP},
                               {0, 200.0 - back, 0, PLAY_BOTTOM},
                               {back, 0, PLAY_LEFT, 0},
                               {300.0 - back, 0, PLAY_RIGHT, 0}};
    for (int32_t side = 0; side < 4; side++) {
        cairo_set_source_surface(cr, cloth.surface, 0, 0);
        cushionPath(cr, side);
        cairo_fill(cr);
        // Dark in the crease against the rail, brightest along the nose that catches the lamp.
        cairo_pattern_t* profile =
            cairo_pattern_create_linear(from[side][0], from[side][1], from[side][2], from[side][3]);
        addStop(profile, 0.0, INK, 0.6);
        addStop(profile, 0.35, INK, 0.25);
        addStop(profile, 0.75, CREAM, 0.0);
        addStop(profile, 0.92, CREAM, 0.16);
        addStop(profile, 1.0, CREAM, 0.08);
        cairo_set_source(cr, profile);
        cushionPath(cr, side);
        cairo_fill(cr);
        cairo_pattern_destroy(profile);
    }
    freeCanvas(cloth);
}

static void drawPocketLiners(cairo_t* cr)
{
    for (const auto& c : POCKET_CENTRES) {
        cairo_pattern_t* leather =
            cairo_pattern_create_radial(c[0], c[1], POCKET_RADIUS, c[0], c[1], LINER_RADIUS);
        addStop(leather, 0.0, {12, 8, 6});
        addStop(leather, 0.6, {40, 28, 20});
        addStop(leather, 1.0, {22, 15, 10});
        cairo_set_source(cr, leather);
        cairo_arc(cr, c[0], c[1], LINER_RADIUS, 0, 2 * std::numbers::pi);
        cairo_fill(cr);
        setSource(cr, BRASS, 0.9);
        cairo_set_line_width(cr, 1.0);
        cairo_arc(cr, c[0], c[1], LINER_RADIUS + 0.3, 0, 2 * std::numbers::pi);
        cairo_stroke(cr);
    }
}

// A mother-of-pearl diamond inlaid in a rail; wide along the rail, narrow across it.
static void drawSight(cairo_t* cr, double x, double y, bool alongX)
{
    const double a = alongX ? 3.2 : 2.3;
    const double b = alongX ? 2.3 : 3.2;
    cairo_move_to(cr, x - a, y);
    cairo_line_to(cr, x, y - b);
    cairo_line_to(cr, x + a, y);
    cairo_line_to(cr, x, y + b);
    cairo_close_path(cr);
    cairo_pattern_t* pearl = cairo_pattern_create_linear(x - a, y - b, x + a, y + b);
    addStop(pearl, 0.0, {255, 252, 240});
    addStop(pearl, 0.5, {214, 220, 226});
    addStop(pearl, 1.0, {170, 160, 150});
    cairo_set_source(cr, pearl);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pearl);
    setSource(cr, INK, 0.7);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
}

static void drawSights(cairo_t* cr)
{
    const double topY = RAIL_DEPTH / 2.0 - 0.5;
    const double bottomY = 200.0 - RAIL_DEPTH / 2.0;
    for (int32_t k = 1; k < 8; k++) {
        const double x = 24.0 + 252.0 * k / 8.0;
        drawSight(cr, x, topY, true);
        drawSight(cr, x, bottomY, true);
    }
    const double leftX = RAIL_DEPTH / 2.0 - 0.5;
    const double rightX = 300.0 - RAIL_DEPTH / 2.0;
    for (int32_t k = 1; k < 4; k++) {
        const double y = 24.0 + 152.0 * k / 4.0;
        drawSight(cr, leftX, y, false);
        drawSight(cr, rightX, y, false);
    }
}

Picture makeBorder(const ImageFile& file)
{
    Canvas canvas = makeCanvas(file.width, file.height);
    cairo_t* cr = canvas.cr;
    paintRails(canvas);
    shadeRails(cr, file.width, file.height);
    drawSights(cr);
    drawCushions(cr);
    drawPocketLiners(cr);
    // Open the cloth between the cushions and the pocket mouths, so that the cloth, the holes
    // and every ball on its way into a pocket show through.
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr, PLAY_LEFT, PLAY_TOP, PLAY_RIGHT - PLAY_LEFT, PLAY_BOTTOM - PLAY_TOP);
    cairo_fill(cr);
    for (const auto& c : POCKET_CENTRES) {
        cairo_arc(cr, c[0], c[1], POCKET_RADIUS, 0, 2 * std::numbers::pi);
        cairo_fill(cr);
    }
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    Picture picture = flattenKeyed(canvas, file, 0.5, &POCKET_RIM);
    freeCanvas(canvas);
    return picture;
}
