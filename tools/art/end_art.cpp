// The end of a match: the background with its ball tray and the floor the decorative ball
// bounces on, and the four result banners laid over its top.
#include "art.h"
#include "lettering.h"
#include "palette.h"
#include "texture.h"
#include <cmath>
#include <numbers>

// Player 1's balls are drawn on rows 87 to 100; the game copies rows 78 to 107 down to 145 for
// player 2's, so the tray lies wholly inside that band.
constexpr double TRAY_TOP = 84.5, TRAY_BOTTOM = 103.5;
// The results sit on a panel that is the same in every row, so the band the game copies down
// for player 2 matches wherever it lands.
constexpr double RESULTS_TOP = 55, RESULTS_BOTTOM = 183;
// The ball bounces on a floor at y 293, its lowest rows 286 to 299.
constexpr double WAINSCOT_TOP = 226, FLOOR_TOP = 289;
constexpr int32_t BANNER_HEIGHT = 50;
// What lies behind the banners' soft edges: the top of the end background.
constexpr Rgb BANNER_EDGE = {30, 42, 74};

// Confetti on the wall, kept away from the rows where the game writes the result lines.
static void drawConfetti(cairo_t* cr, double top, double bottom, int32_t count, uint32_t seed)
{
    const Rgb colours[5] = {
        BRASS_LIGHT, {255, 112, 198}, {60, 228, 244}, {255, 152, 44}, {120, 228, 76}};
    Random random = {seed};
    for (int32_t i = 0; i < count; i++) {
        const double x = 4.0 + randomUnit(random) * 292.0;
        const double y = top + randomUnit(random) * (bottom - top);
        const double angle = randomUnit(random) * std::numbers::pi;
        const Rgb colour = colours[nextRandom(random) % 5];
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, angle);
        setSource(cr, colour, 0.55);
        cairo_rectangle(cr, -1.8, -0.8, 3.6, 1.6);
        cairo_fill(cr);
        cairo_restore(cr);
    }
}

static void drawResultsPanel(cairo_t* cr, double width)
{
    cairo_pattern_t* face = cairo_pattern_create_linear(0, 0, width, 0);
    addStop(face, 0.0, NAVY_DEEP);
    addStop(face, 0.5, {22, 32, 60});
    addStop(face, 1.0, NAVY_DEEP);
    cairo_set_source(cr, face);
    cairo_rectangle(cr, 0, RESULTS_TOP, width, RESULTS_BOTTOM - RESULTS_TOP);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    // Pinstripes: upright, so no row differs from the next.
    setSource(cr, NAVY_LIGHT, 0.22);
    for (double x = 5.5; x < width; x += 10.0) {
        cairo_rectangle(cr, x - 0.5, RESULTS_TOP, 1.0, RESULTS_BOTTOM - RESULTS_TOP);
    }
    cairo_fill(cr);
    for (double y : {RESULTS_TOP - 1.0, RESULTS_BOTTOM}) {
        setSource(cr, BRASS_DARK);
        cairo_rectangle(cr, 0, y, width, 1);
        cairo_fill(cr);
        setSource(cr, BRASS, 0.6);
        cairo_rectangle(cr, 0, y + (y < 100 ? -1 : 1), width, 1);
        cairo_fill(cr);
    }
}

static void drawWainscot(Canvas& canvas)
{
    cairo_t* cr = canvas.cr;
    fillWalnut(canvas, 0, WAINSCOT_TOP, canvas.width, FLOOR_TOP - WAINSCOT_TOP, 71, true);
    // Raised panels between stiles, and a brass dado rail along the top.
    for (int32_t i = 0; i < 5; i++) {
        const double x = 8.0 + i * 58.0;
        roundedRectangle(cr, x, WAINSCOT_TOP + 10, 52, FLOOR_TOP - WAINSCOT_TOP - 18, 2.0);
        cairo_pattern_t* bevel =
            cairo_pattern_create_linear(x, WAINSCOT_TOP + 10, x + 52, FLOOR_TOP - 8);
        addStop(bevel, 0.0, CREAM, 0.14);
        addStop(bevel, 0.5, CREAM, 0.0);
        addStop(bevel, 1.0, INK, 0.3);
        cairo_set_source(cr, bevel);
        cairo_fill(cr);
        cairo_pattern_destroy(bevel);
        setSource(cr, INK, 0.45);
        cairo_set_line_width(cr, 1.0);
        roundedRectangle(cr, x + 0.5, WAINSCOT_TOP + 10.5, 51, FLOOR_TOP - WAINSCOT_TOP - 19, 2.0);
        cairo_stroke(cr);
    }
    cairo_pattern_t* rail = cairo_pattern_create_linear(0, WAINSCOT_TOP - 2, 0, WAINSCOT_TOP + 4);
    addStop(rail, 0.0, BRASS_LIGHT);
    addStop(rail, 1.0, BRASS_DARK);
    cairo_set_source(cr, rail);
    cairo_rectangle(cr, 0, WAINSCOT_TOP - 2, canvas.width, 5);
    cairo_fill(cr);
    cairo_pattern_destroy(rail);
}

static void drawFloor(Canvas& canvas)
{
    cairo_t* cr = canvas.cr;
    fillWalnut(canvas, 0, FLOOR_TOP, canvas.width, canvas.height - FLOOR_TOP, 73, true);
    cairo_pattern_t* light = cairo_pattern_create_linear(0, FLOOR_TOP, 0, canvas.height);
    addStop(light, 0.0, INK, 0.55);
    addStop(light, 0.25, CREAM, 0.12);
    addStop(light, 1.0, CREAM, 0.2);
    cairo_set_source(cr, light);
    cairo_rectangle(cr, 0, FLOOR_TOP, canvas.width, canvas.height - FLOOR_TOP);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    // Board joints running towards the viewer.
    setSource(cr, INK, 0.4);
    cairo_set_line_width(cr, 1.0);
    for (int32_t i = -2; i < 12; i++) {
        const double x = i * 32.0;
        cairo_move_to(cr, x + 8.0 + 0.5, FLOOR_TOP);
        cairo_line_to(cr, x + (x - 150.0) * 0.12 + 8.0 + 0.5, canvas.height);
    }
    cairo_stroke(cr);
}

Picture makeEndBackground(const ImageFile& file)
{
    Canvas canvas = makeCanvas(file.width, file.height);
    cairo_t* cr = canvas.cr;
    paintWall(canvas, 150.0, 10.0);
    drawConfetti(cr, 2.0, 58.0, 70, 977);
    drawConfetti(cr, 188.0, 222.0, 34, 983);
    drawResultsPanel(cr, file.width);
    drawBallTray(canvas, TRAY_TOP, TRAY_BOTTOM);
    // Brass rules that close the results off from the room below.
    for (double y : {116.0, 177.0}) {
        setSource(cr, BRASS_DARK);
        cairo_rectangle(cr, 40, y, 220, 1);
        cairo_fill(cr);
        cairo_move_to(cr, 146, y + 0.5);
        cairo_line_to(cr, 150, y - 3);
        cairo_line_to(cr, 154, y + 0.5);
        cairo_line_to(cr, 150, y + 4);
        cairo_close_path(cr);
        setSource(cr, BRASS);
        cairo_fill(cr);
    }
    drawWainscot(canvas);
    drawFloor(canvas);
    Picture picture = flattenOpaque(canvas, file);
    freeCanvas(canvas);
    return picture;
}

static void drawStar(cairo_t* cr, double x, double y, double radius)
{
    cairo_new_path(cr);
    for (int32_t i = 0; i < 10; i++) {
        const double a = -std::numbers::pi / 2.0 + i * std::numbers::pi / 5.0;
        const double r = i % 2 == 0 ? radius : radius * 0.45;
        cairo_line_to(cr, x + r * std::cos(a), y + r * std::sin(a));
    }
    cairo_close_path(cr);
    setSource(cr, INK, 0.8);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke_preserve(cr);
    setSource(cr, BRASS_LIGHT);
    cairo_fill(cr);
}

// A ribbon across the top of the screen: a body with gold edges and folded tails.
static void drawRibbon(cairo_t* cr, double top, Rgb colour, bool stars)
{
    const Rgb dark = scaleRgb(colour, 0.55);
    for (double side : {-1.0, 1.0}) {
        const double outer = 150.0 + side * 146.0;
        const double inner = 150.0 + side * 112.0;
        cairo_move_to(cr, inner, top + 12);
        cairo_line_to(cr, outer, top + 12);
        cairo_line_to(cr, outer - side * 10.0, top + 29);
        cairo_line_to(cr, outer, top + 46);
        cairo_line_to(cr, inner, top + 46);
        cairo_close_path(cr);
        setSource(cr, INK, 0.9);
        cairo_set_line_width(cr, 2.0);
        cairo_stroke_preserve(cr);
        setSource(cr, dark);
        cairo_fill(cr);
    }
    roundedRectangle(cr, 30, top + 4, 240, 38, 3.0);
    setSource(cr, INK, 0.9);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, top + 4, 0, top + 42);
    addStop(body, 0.0, mixRgb(colour, {255, 255, 255}, 0.35));
    addStop(body, 0.45, colour);
    addStop(body, 1.0, dark);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    setSource(cr, BRASS_LIGHT, 0.9);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, 33.5, top + 7.5, 233, 31);
    cairo_stroke(cr);
    if (stars) {
        drawStar(cr, 17.0, top + 29.0, 5.5);
        drawStar(cr, 283.0, top + 29.0, 5.5);
    }
}

Picture makeBanners(const ImageFile& file)
{
    struct Banner {
        const char* text;
        Rgb colour;
        bool stars;
    };
    const Banner banners[4] = {
        {"Player 1 wins!", {40, 84, 200}, true},
        {"Player 2 wins!", {180, 30, 52}, true},
        {"It's a draw!", {112, 56, 160}, false},
        {"Final score", {24, 124, 70}, false},
    };
    Canvas canvas = makeCanvas(file.width, file.height);
    cairo_t* cr = canvas.cr;
    const FancyText look = {{255, 252, 220}, {255, 214, 96}, {214, 136, 34}, {16, 8, 4}, 1.6, 2.0};
    for (int32_t i = 0; i < 4; i++) {
        const double top = i * BANNER_HEIGHT;
        drawRibbon(cr, top, banners[i].colour, banners[i].stars);
        const double size =
            fittingSize(cr, "DejaVu Serif", FontStyle::BoldItalic, 26.0, banners[i].text, 214.0);
        selectFont(cr, "DejaVu Serif", FontStyle::BoldItalic, size);
        drawFancyText(cr, banners[i].text, 150.0, top + 33.0, look);
    }
    Picture picture = flattenKeyed(canvas, file, 0.5, &BANNER_EDGE);
    freeCanvas(canvas);
    return picture;
}
