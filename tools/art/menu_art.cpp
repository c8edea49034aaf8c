// The start menu: the game's name over a lamp-lit table whose felt carries the menu entries,
// and the shelf along the bottom on which the decorative ball rolls in from the right.
#include "art.h"
#include "lettering.h"
#include "palette.h"
#include "rules/screen_layout.h"
#include "texture.h"
#include <cmath>
#include <numbers>

// Entry k covers the menu row k of the layout, window rows 136 + 17k to 151 + 17k; the highlight
// ball sits left of x 117.
constexpr const char* MENU_ENTRIES[MENU_ROWS] = {"Tutorial", "One player", "Two players", "Options",
                                                 "Quit"};
constexpr double ENTRY_X = 118.0;
// The table on the menu, frame and cloth.
constexpr double FRAME_LEFT = 20, FRAME_TOP = 90, FRAME_RIGHT = 280, FRAME_BOTTOM = 248;
constexpr double RAIL = 12;
// The decorative ball rolls at y 263 (rows 256 to 270) and drops once it has passed x 140.
constexpr double SHELF_TOP = 271, SHELF_LEFT = 140;

void paintWall(Canvas& canvas, double lightX, double lightY)
{
    cairo_t* cr = canvas.cr;
    cairo_pattern_t* wall =
        cairo_pattern_create_radial(lightX, lightY, 10.0, lightX, lightY, canvas.height * 1.1);
    addStop(wall, 0.0, {46, 62, 104});
    addStop(wall, 0.45, NAVY);
    addStop(wall, 1.0, {6, 8, 16});
    cairo_set_source(cr, wall);
    cairo_paint(cr);
    cairo_pattern_destroy(wall);
    // A faint diamond lattice, like the paper on a club-room wall.
    cairo_set_line_width(cr, 1.0);
    setSource(cr, NAVY_LIGHT, 0.18);
    for (int32_t i = -canvas.height; i < canvas.width + canvas.height; i += 20) {
        cairo_move_to(cr, i + 0.5, 0);
        cairo_line_to(cr, i + canvas.height + 0.5, canvas.height);
        cairo_move_to(cr, i + 0.5, 0);
        cairo_line_to(cr, i - canvas.height + 0.5, canvas.height);
    }
    cairo_stroke(cr);
}

static void drawTitle(cairo_t* cr)
{
    // A soft glow of lamp light behind the name.
    cairo_pattern_t* glow = cairo_pattern_create_radial(150, 46, 4, 150, 46, 120);
    addStop(glow, 0.0, BRASS_LIGHT, 0.22);
    addStop(glow, 1.0, BRASS_LIGHT, 0.0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
    selectFont(cr, "DejaVu Serif", FontStyle::BoldItalic, 50.0);
    const FancyText look = {BRASS_LIGHT, {240, 190, 80}, {170, 104, 30}, {20, 10, 4}, 2.0, 3.0};
    drawFancyText(cr, "Kestrola", 150.0, 66.0, look);
    // A brass rule with a sight in its middle under the name.
    setSource(cr, BRASS);
    cairo_rectangle(cr, 62, 77, 176, 1);
    cairo_fill(cr);
    cairo_move_to(cr, 150 - 5, 77.5);
    cairo_line_to(cr, 150, 73.5);
    cairo_line_to(cr, 150 + 5, 77.5);
    cairo_line_to(cr, 150, 81.5);
    cairo_close_path(cr);
    setSource(cr, BRASS_LIGHT);
    cairo_fill(cr);
}

static void drawMenuTable(Canvas& canvas)
{
    cairo_t* cr = canvas.cr;
    // The table's shadow on the wall, then its walnut frame.
    setSource(cr, INK, 0.5);
    roundedRectangle(cr, FRAME_LEFT + 3, FRAME_TOP + 5, FRAME_RIGHT - FRAME_LEFT,
                     FRAME_BOTTOM - FRAME_TOP, 12);
    cairo_fill(cr);
    Canvas wood = makeCanvas(canvas.width, canvas.height);
    fillWalnut(wood, 0, 0, canvas.width, canvas.height, 57, true);
    cairo_set_source_surface(cr, wood.surface, 0, 0);
    roundedRectangle(cr, FRAME_LEFT, FRAME_TOP, FRAME_RIGHT - FRAME_LEFT, FRAME_BOTTOM - FRAME_TOP,
                     12);
    cairo_fill(cr);
    freeCanvas(wood);
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, FRAME_TOP, 0, FRAME_BOTTOM);
    addStop(sheen, 0.0, CREAM, 0.22);
    addStop(sheen, 0.1, CREAM, 0.0);
    addStop(sheen, 0.9, INK, 0.0);
    addStop(sheen, 1.0, INK, 0.4);
    cairo_set_source(cr, sheen);
    roundedRectangle(cr, FRAME_LEFT, FRAME_TOP, FRAME_RIGHT - FRAME_LEFT, FRAME_BOTTOM - FRAME_TOP,
                     12);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);

    // The cloth, brightest under the lamp in the middle of the menu.
    const int32_t left = FRAME_LEFT + RAIL, top = FRAME_TOP + RAIL;
    const int32_t right = FRAME_RIGHT - RAIL, bottom = FRAME_BOTTOM - RAIL;
    fillFelt(canvas, left, top, right - left, bottom - top, CLOTH_SEED + 21, 160.0, 170.0, 150.0);
    setSource(cr, INK, 0.45);
    cairo_set_line_width(cr, 2.0);
    cairo_rectangle(cr, left + 1, top + 1, right - left - 2, bottom - top - 2);
    cairo_stroke(cr);
    const double corners[4][2] = {{left + 3.0, top + 3.0},
                                  {right - 3.0, top + 3.0},
                                  {left + 3.0, bottom - 3.0},
                                  {right - 3.0, bottom - 3.0}};
    for (const auto& c : corners) drawPocketHole(cr, c[0], c[1], 7.5);
}

// Balls lying about on the menu table, with shadows: a rack on the right, a white ball and a
// cue on the left, all clear of the entries and the highlight.
static void drawMenuBalls(cairo_t* cr)
{
    struct Placed {
        double x, y;
        int32_t cell;
    };
    const double r = 6.4;
    const Placed balls[] = {
        {236.0, 176.0, 9}, {247.2, 169.5, 7}, {247.2, 182.5, 5}, {258.4, 163.0, 1},
        {258.4, 176.0, 8}, {258.4, 189.0, 3}, {62.0, 150.0, 0},  {80.0, 226.0, 6},
        {250.0, 122.0, 2}, {72.0, 120.0, 4},
    };
    for (const Placed& b : balls) drawBallShadow(cr, b.x, b.y, r);
    for (const Placed& b : balls) drawBall(cr, b.x, b.y, r, b.cell);
    // The cue lies diagonally, its tip just short of the white ball.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setSource(cr, INK, 0.45);
    cairo_set_line_width(cr, 5.0);
    cairo_move_to(cr, 45.0, 228.0);
    cairo_line_to(cr, 60.0, 167.0);
    cairo_stroke(cr);
    cairo_pattern_t* stick = cairo_pattern_create_linear(42, 225, 57, 163);
    addStop(stick, 0.0, WALNUT_DARK);
    addStop(stick, 0.42, WALNUT);
    addStop(stick, 0.44, BRASS_LIGHT);
    addStop(stick, 0.47, {236, 206, 150});
    addStop(stick, 0.97, {236, 206, 150});
    addStop(stick, 0.98, {60, 120, 220});
    cairo_set_source(cr, stick);
    cairo_set_line_width(cr, 3.2);
    cairo_move_to(cr, 42.0, 225.0);
    cairo_line_to(cr, 57.0, 163.0);
    cairo_stroke(cr);
    cairo_pattern_destroy(stick);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

static void drawEntries(cairo_t* cr)
{
    selectFont(cr, "DejaVu Sans", FontStyle::Bold, 12.0);
    for (int32_t k = 0; k < MENU_ROWS; k++) {
        const double baseline = MENU_TOP + 13.0 + MENU_ROW_HEIGHT * k;
        drawLabel(cr, MENU_ENTRIES[k], ENTRY_X + 1.0, baseline + 1.0, INK);
        drawLabel(cr, MENU_ENTRIES[k], ENTRY_X, baseline, CREAM);
    }
}

static void drawShelf(cairo_t* cr, double width)
{
    // Shade cast on the wall below the shelf.
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, SHELF_TOP + 9, 0, SHELF_TOP + 22);
    addStop(shade, 0.0, INK, 0.55);
    addStop(shade, 1.0, INK, 0.0);
    cairo_set_source(cr, shade);
    cairo_rectangle(cr, SHELF_LEFT + 2, SHELF_TOP + 9, width - SHELF_LEFT, 13);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
    // The top the ball rolls on, a brass edge, and the walnut front.
    cairo_pattern_t* topFace = cairo_pattern_create_linear(0, SHELF_TOP, 0, SHELF_TOP + 3);
    addStop(topFace, 0.0, WALNUT_LIGHT);
    addStop(topFace, 1.0, WALNUT);
    cairo_set_source(cr, topFace);
    cairo_rectangle(cr, SHELF_LEFT, SHELF_TOP, width - SHELF_LEFT, 3);
    cairo_fill(cr);
    cairo_pattern_destroy(topFace);
    setSource(cr, BRASS_LIGHT);
    cairo_rectangle(cr, SHELF_LEFT, SHELF_TOP + 3, width - SHELF_LEFT, 1);
    cairo_fill(cr);
    cairo_pattern_t* front = cairo_pattern_create_linear(0, SHELF_TOP + 4, 0, SHELF_TOP + 10);
    addStop(front, 0.0, WALNUT);
    addStop(front, 1.0, WALNUT_DARK);
    cairo_set_source(cr, front);
    cairo_rectangle(cr, SHELF_LEFT, SHELF_TOP + 4, width - SHELF_LEFT, 6);
    cairo_fill(cr);
    cairo_pattern_destroy(front);
    // A rounded brass end cap where the ball leaves the shelf.
    cairo_arc(cr, SHELF_LEFT, SHELF_TOP + 5, 5.0, 0, 2 * std::numbers::pi);
    cairo_pattern_t* cap = cairo_pattern_create_radial(SHELF_LEFT - 1.5, SHELF_TOP + 3, 0.5,
                                                       SHELF_LEFT, SHELF_TOP + 5, 5.0);
    addStop(cap, 0.0, BRASS_LIGHT);
    addStop(cap, 1.0, BRASS_DARK);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
}

Picture makeStartBackground(const ImageFile& file)
{
    Canvas canvas = makeCanvas(file.width, file.height);
    cairo_t* cr = canvas.cr;
    paintWall(canvas, 150.0, 30.0);
    drawTitle(cr);
    drawMenuTable(canvas);
    drawMenuBalls(cr);
    drawEntries(cr);
    drawShelf(cr, file.width);
    Picture picture = flattenOpaque(canvas, file);
    freeCanvas(canvas);
    return picture;
}
