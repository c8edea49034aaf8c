// The ball sheet and the arrow sheet: shiny spheres in the colours of the value classes, and
// arrows in sixteen headings whose colour and weight grow with the speed class.
#include "art.h"
#include "palette.h"
#include <algorithm>
#include <cmath>
#include <numbers>

constexpr int32_t BALL_CELL = 14;
// Cell 0 is the chosen ball; cells 1 to 9 go from cyan (value 0) through teal, green, lime and
// yellow to orange, red, crimson and pink (over 30). Colour alone does not tell them apart for
// every player: under the common red-green deficiencies green, lime, yellow, orange and red are
// one yellowish hue, and in greyscale only lightness is left. So the lightness steps up and down
// between neighbours, and each class above the lowest carries a mark, light on a dark ball and
// dark on a light one, that grows with the class: a dot, a band, a ring, two bands, four dots,
// and a ring with a band on the highest. tests/ball_colours_test.py measures the result.
enum class BallMark { None, Dot, Band, Ring, TwoBands, Dots, BandAndRing };

struct BallLook {
    Rgb colour;
    BallMark mark;
    Rgb ink; // a dark shade of the colour on a light ball, a light one on a dark ball
};

constexpr BallLook BALL_LOOKS[10] = {
    {{246, 246, 250}, BallMark::None, {}},
    {{55, 255, 255}, BallMark::None, {}},
    {{14, 114, 105}, BallMark::Dot, {143, 255, 245}},
    {{75, 152, 50}, BallMark::Band, {148, 255, 112}},
    {{115, 202, 0}, BallMark::Band, {16, 28, 0}},
    {{255, 242, 63}, BallMark::Ring, {33, 32, 8}},
    {{219, 120, 18}, BallMark::Ring, {17, 9, 1}},
    {{246, 0, 4}, BallMark::TwoBands, {255, 192, 193}},
    {{113, 2, 59}, BallMark::Dots, {200, 80, 150}},
    {{163, 44, 111}, BallMark::BandAndRing, {255, 102, 188}},
};

constexpr int32_t ARROW_WIDTH = 17;
constexpr int32_t ARROW_HEIGHT = 13;
constexpr int32_t SPEED_CLASSES = 10;
constexpr int32_t HEADINGS = 16;
constexpr Rgb ARROW_COLOURS[SPEED_CLASSES] = {
    {214, 252, 255}, {60, 228, 244}, {44, 214, 176}, {120, 228, 76}, {204, 232, 52},
    {255, 222, 44},  {255, 152, 44}, {252, 70, 56},  {236, 44, 136}, {255, 120, 214},
};

Rgb ballColour(int32_t cell) { return BALL_LOOKS[std::clamp(cell, 0, 9)].colour; }

// The class's pattern, clipped to the ball. Too small a ball (the tool icons) shows none.
static void drawBallMark(cairo_t* cr, double centreX, double centreY, double radius, int32_t cell)
{
    const BallLook& look = BALL_LOOKS[std::clamp(cell, 0, 9)];
    if (look.mark == BallMark::None || radius < 5.0) return;
    cairo_save(cr);
    cairo_arc(cr, centreX, centreY, radius, 0, 2 * std::numbers::pi);
    cairo_clip(cr);
    setSource(cr, look.ink);
    const double pi = std::numbers::pi;
    auto band = [&](double middle, double height) {
        cairo_rectangle(cr, centreX - radius, centreY + middle * radius - height * radius / 2,
                        2 * radius, height * radius);
        cairo_fill(cr);
    };
    auto ring = [&](double inner, double outer) {
        cairo_set_line_width(cr, (outer - inner) * radius);
        cairo_arc(cr, centreX, centreY, (inner + outer) / 2 * radius, 0, 2 * pi);
        cairo_stroke(cr);
    };
    switch (look.mark) {
    case BallMark::Band: band(0.0, 0.6); break;
    case BallMark::Ring: ring(0.34, 0.66); break;
    case BallMark::TwoBands:
        band(-0.5, 0.4);
        band(0.5, 0.4);
        break;
    case BallMark::Dots:
        for (int32_t i = 0; i < 4; ++i) {
            const double angle = pi / 4 + i * pi / 2;
            cairo_arc(cr, centreX + 0.5 * radius * std::cos(angle),
                      centreY + 0.5 * radius * std::sin(angle), 0.22 * radius, 0, 2 * pi);
            cairo_fill(cr);
        }
        break;
    case BallMark::BandAndRing:
        ring(0.62, 0.95);
        band(0.0, 0.36);
        break;
    case BallMark::Dot:
        cairo_arc(cr, centreX, centreY + 0.1 * radius, 0.36 * radius, 0, 2 * pi);
        cairo_fill(cr);
        break;
    case BallMark::None: break;
    }
    cairo_restore(cr);
}

void drawBall(cairo_t* cr, double centreX, double centreY, double radius, int32_t cell)
{
    const Rgb base = ballColour(cell);
    const double hx = centreX - 0.36 * radius;
    const double hy = centreY - 0.42 * radius;
    cairo_pattern_t* body = cairo_pattern_create_radial(hx, hy, 0.0, hx, hy, 1.55 * radius);
    addStop(body, 0.0, mixRgb(base, {255, 255, 255}, 0.6));
    addStop(body, 0.3, base);
    addStop(body, 0.72, scaleRgb(base, 0.72));
    addStop(body, 1.0, scaleRgb(base, 0.42));
    cairo_set_source(cr, body);
    cairo_arc(cr, centreX, centreY, radius, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    drawBallMark(cr, centreX, centreY, radius, cell);
    // Light thrown back from the cloth along the lower right of the rim.
    cairo_set_line_width(cr, 0.9);
    setSource(cr, mixRgb(base, {255, 255, 255}, 0.3), 0.45);
    cairo_arc(cr, centreX, centreY, radius - 1.0, 0.1 * std::numbers::pi, 0.45 * std::numbers::pi);
    cairo_stroke(cr);
    // A crisp dark rim keeps the ball apart from cloth of any colour.
    setSource(cr, scaleRgb(base, 0.25), 0.7);
    cairo_set_line_width(cr, 0.8);
    cairo_arc(cr, centreX, centreY, radius - 0.4, 0, 2 * std::numbers::pi);
    cairo_stroke(cr);
    // The lamp's reflection.
    setSource(cr, {255, 255, 255}, 0.95);
    cairo_arc(cr, hx + 0.1, hy + 0.1, 0.24 * radius, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
}

void drawBallShadow(cairo_t* cr, double centreX, double centreY, double radius)
{
    cairo_save(cr);
    cairo_translate(cr, centreX + 0.35 * radius, centreY + 0.45 * radius);
    cairo_scale(cr, 1.1, 0.95);
    cairo_pattern_t* shadow = cairo_pattern_create_radial(0, 0, 0, 0, 0, radius * 1.05);
    addStop(shadow, 0.0, INK, 0.6);
    addStop(shadow, 0.6, INK, 0.45);
    addStop(shadow, 1.0, INK, 0.0);
    cairo_set_source(cr, shadow);
    cairo_arc(cr, 0, 0, radius * 1.05, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    cairo_pattern_destroy(shadow);
    cairo_restore(cr);
}

Picture makeBalls(const ImageFile& file)
{
    Canvas canvas = makeCanvas(file.width, file.height);
    cairo_t* cr = canvas.cr;
    for (int32_t cell = 0; cell < 10; cell++) {
        const double x = cell * BALL_CELL + 7.0;
        if (cell == 0) {
            // The chosen ball glows: a gold halo fills the rest of its cell.
            cairo_pattern_t* halo = cairo_pattern_create_radial(x, 7.0, 4.5, x, 7.0, 6.9);
            addStop(halo, 0.0, {255, 255, 210});
            addStop(halo, 0.6, {255, 226, 80});
            addStop(halo, 1.0, {214, 150, 20});
            cairo_set_source(cr, halo);
            cairo_arc(cr, x, 7.0, 6.9, 0, 2 * std::numbers::pi);
            cairo_fill(cr);
            cairo_pattern_destroy(halo);
            drawBall(cr, x, 7.0, 5.7, cell);
        } else {
            drawBall(cr, x, 7.0, 6.6, cell);
        }
    }
    Picture picture = flattenKeyed(canvas, file, 0.45, &SPRITE_EDGE);
    freeCanvas(canvas);
    return picture;
}

struct ArrowShape {
    double length, shaftWidth, headLength, headWidth;
};

// The arrow's outline as points, pointing along (dirX, dirY) and centred on the origin.
static int32_t arrowPoints(const ArrowShape& s, double dirX, double dirY, double points[7][2])
{
    const double half = s.length / 2.0;
    const double neck = half - s.headLength;
    const double local[7][2] = {
        {-half, -s.shaftWidth / 2}, {neck, -s.shaftWidth / 2},
        {neck, -s.headWidth / 2},   {half, 0.0},
        {neck, s.headWidth / 2},    {neck, s.shaftWidth / 2},
        {-half, s.shaftWidth / 2},
    };
    for (int32_t i = 0; i < 7; i++) {
        points[i][0] = local[i][0] * dirX - local[i][1] * dirY;
        points[i][1] = local[i][0] * dirY + local[i][1] * dirX;
    }
    return 7;
}

// Shortens the arrow until it and its outline stay inside the cell.
static ArrowShape fitArrow(ArrowShape s, double dirX, double dirY, double outline)
{
    const double limitX = ARROW_WIDTH / 2.0 - outline - 0.5;
    const double limitY = ARROW_HEIGHT / 2.0 - outline - 0.5;
    for (; s.length > s.headLength + 1.0; s.length -= 0.25) {
        double points[7][2];
        arrowPoints(s, dirX, dirY, points);
        bool inside = true;
        for (const auto& p : points)
            inside = inside && std::fabs(p[0]) <= limitX && std::fabs(p[1]) <= limitY;
        if (inside) break;
    }
    return s;
}

static void drawArrow(cairo_t* cr, double centreX, double centreY, int32_t speedClass,
                      int32_t heading)
{
    // Heading 0 points left and the sectors turn towards screen-up: 4 up, 8 right, 12 down.
    const double angle = heading * 22.5 * std::numbers::pi / 180.0;
    const double dirX = -std::cos(angle);
    const double dirY = -std::sin(angle);
    const double outline = 1.0;
    ArrowShape shape = {9.0 + 0.75 * speedClass, 1.6 + 0.16 * speedClass, 4.2 + 0.18 * speedClass,
                        5.2 + 0.3 * speedClass};
    shape = fitArrow(shape, dirX, dirY, outline);
    double points[7][2];
    arrowPoints(shape, dirX, dirY, points);
    cairo_new_path(cr);
    for (const auto& p : points) cairo_line_to(cr, centreX + p[0], centreY + p[1]);
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setSource(cr, INK, 0.9);
    cairo_set_line_width(cr, outline * 2.0);
    cairo_stroke_preserve(cr);
    const Rgb colour = ARROW_COLOURS[speedClass];
    cairo_pattern_t* fill = cairo_pattern_create_linear(
        centreX - dirX * shape.length / 2, centreY - dirY * shape.length / 2,
        centreX + dirX * shape.length / 2, centreY + dirY * shape.length / 2);
    addStop(fill, 0.0, scaleRgb(colour, 0.8));
    addStop(fill, 1.0, mixRgb(colour, {255, 255, 255}, 0.35));
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
}

Picture makeArrows(const ImageFile& file)
{
    Canvas canvas = makeCanvas(file.width, file.height);
    cairo_t* cr = canvas.cr;
    for (int32_t speedClass = 0; speedClass < SPEED_CLASSES; speedClass++) {
        // The columns and rows step by 17.4 and 14.8 pixels, truncated.
        const int32_t x = speedClass * 174 / 10;
        for (int32_t heading = 0; heading < HEADINGS; heading++) {
            const int32_t y = heading * 148 / 10;
            cairo_save(cr);
            cairo_rectangle(cr, x, y, ARROW_WIDTH, ARROW_HEIGHT);
            cairo_clip(cr);
            drawArrow(cr, x + ARROW_WIDTH / 2.0, y + ARROW_HEIGHT / 2.0, speedClass, heading);
            cairo_restore(cr);
        }
    }
    Picture picture = flattenKeyed(canvas, file, 0.4, nullptr);
    freeCanvas(canvas);
    return picture;
}
