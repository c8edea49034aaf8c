// The tool pictures, each inside a 22 x 22 square. The same picture sits on the button face and,
// for the tools put down on the table, on the cloth; a dark outline lets it read on both.
#include "art.h"
#include "icon_pen.h"
#include "palette.h"
#include <cmath>
#include <numbers>

static void drawCue(cairo_t* cr)
{
    // The stick comes up from the lower left and has just struck the white ball.
    drawBall(cr, 16.6, 5.4, 4.0, 0);
    setSource(cr, INK, 0.95);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 5.0);
    cairo_move_to(cr, 1.8, 20.2);
    cairo_line_to(cr, 12.4, 9.6);
    cairo_stroke(cr);
    outlinedLine(cr, 2.2, 19.8, 7.2, 14.8, 3.2, WALNUT_DARK);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    setSource(cr, {236, 206, 150});
    cairo_set_line_width(cr, 2.2);
    cairo_move_to(cr, 7.0, 15.0);
    cairo_line_to(cr, 11.6, 10.4);
    cairo_stroke(cr);
    setSource(cr, {60, 120, 220});
    cairo_set_line_width(cr, 2.2);
    cairo_move_to(cr, 11.4, 10.6);
    cairo_line_to(cr, 12.5, 9.5);
    cairo_stroke(cr);
    setSource(cr, BRASS_LIGHT);
    cairo_set_line_width(cr, 3.2);
    cairo_move_to(cr, 6.6, 15.4);
    cairo_line_to(cr, 7.4, 14.6);
    cairo_stroke(cr);
}

static void drawFan(cairo_t* cr)
{
    cairo_arc(cr, 11.0, 11.0, 10.0, 0, 2 * std::numbers::pi);
    setSource(cr, INK, 0.95);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    cairo_arc(cr, 11.0, 11.0, 10.0, 0, 2 * std::numbers::pi);
    setSource(cr, STEEL);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    for (int32_t blade = 0; blade < 3; blade++) {
        cairo_save(cr);
        cairo_translate(cr, 11.0, 11.0);
        cairo_rotate(cr, blade * 2.0 * std::numbers::pi / 3.0 - std::numbers::pi / 2.0);
        // A broad blade swept against the turn.
        cairo_move_to(cr, 1.5, -1.2);
        cairo_curve_to(cr, 4.0, -4.0, 8.0, -4.6, 8.6, -1.2);
        cairo_curve_to(cr, 8.8, 1.8, 5.0, 2.6, 1.5, 1.4);
        cairo_close_path(cr);
        cairo_pattern_t* fill = cairo_pattern_create_linear(0, -4, 0, 2);
        addStop(fill, 0.0, STEEL_LIGHT);
        addStop(fill, 1.0, {120, 170, 220});
        outlineAndFill(cr, fill, 0.8);
        cairo_pattern_destroy(fill);
        cairo_restore(cr);
    }
    cairo_arc(cr, 11.0, 11.0, 2.6, 0, 2 * std::numbers::pi);
    outlineAndFillRgb(cr, STEEL_DARK, 0.8);
}

static void drawTilt(cairo_t* cr)
{
    // A slope with a ball about to roll down it.
    cairo_move_to(cr, 1.5, 20.0);
    cairo_line_to(cr, 20.5, 20.0);
    cairo_line_to(cr, 20.5, 9.5);
    cairo_close_path(cr);
    cairo_pattern_t* wood = verticalGradient(9.0, 20.0, WALNUT_LIGHT, WALNUT_DARK);
    outlineAndFill(cr, wood);
    cairo_pattern_destroy(wood);
    drawBall(cr, 14.2, 9.4, 3.4, 5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    outlinedLine(cr, 9.5, 6.4, 4.0, 9.4, 1.6, CREAM);
    cairo_move_to(cr, 1.6, 10.7);
    cairo_line_to(cr, 4.2, 6.9);
    cairo_line_to(cr, 6.0, 11.3);
    cairo_close_path(cr);
    outlineAndFillRgb(cr, CREAM, 0.8);
}

static void drawStopSign(cairo_t* cr)
{
    cairo_new_path(cr);
    for (int32_t i = 0; i < 8; i++) {
        const double a = (i + 0.5) * std::numbers::pi / 4.0;
        cairo_line_to(cr, 11.0 + 10.0 * std::cos(a), 11.0 + 10.0 * std::sin(a));
    }
    cairo_close_path(cr);
    outlineAndFillRgb(cr, CREAM, 0.8);
    cairo_new_path(cr);
    for (int32_t i = 0; i < 8; i++) {
        const double a = (i + 0.5) * std::numbers::pi / 4.0;
        cairo_line_to(cr, 11.0 + 8.3 * std::cos(a), 11.0 + 8.3 * std::sin(a));
    }
    cairo_close_path(cr);
    cairo_pattern_t* red = verticalGradient(3.0, 19.0, {246, 70, 56}, {168, 20, 24});
    cairo_set_source(cr, red);
    cairo_fill(cr);
    cairo_pattern_destroy(red);
    roundedRectangle(cr, 5.0, 9.2, 12.0, 3.6, 1.0);
    setSource(cr, {255, 252, 244});
    cairo_fill(cr);
}

// The reflecting block is the picture itself: a bar 6 pixels thick across the whole square,
// the size the balls bounce off.
static void drawReflectBlock(cairo_t* cr, bool horizontal)
{
    const double x = horizontal ? 1.0 : 8.0;
    const double y = horizontal ? 8.0 : 1.0;
    const double w = horizontal ? 20.0 : 6.0;
    const double h = horizontal ? 6.0 : 20.0;
    roundedRectangle(cr, x, y, w, h, 2.0);
    cairo_pattern_t* metal = horizontal ? cairo_pattern_create_linear(0, y, 0, y + h)
                                        : cairo_pattern_create_linear(x, 0, x + w, 0);
    addStop(metal, 0.0, STEEL_LIGHT);
    addStop(metal, 0.45, {250, 200, 80});
    addStop(metal, 1.0, {170, 96, 24});
    outlineAndFill(cr, metal);
    cairo_pattern_destroy(metal);
    // Rivets at both ends.
    for (double t : {0.18, 0.82}) {
        const double cx = horizontal ? x + w * t : x + w / 2.0;
        const double cy = horizontal ? y + h / 2.0 : y + h * t;
        setSource(cr, BRASS_DARK);
        cairo_arc(cr, cx, cy, 1.1, 0, 2 * std::numbers::pi);
        cairo_fill(cr);
    }
}

static void drawTeleport(cairo_t* cr)
{
    cairo_arc(cr, 11.0, 11.0, 9.6, 0, 2 * std::numbers::pi);
    cairo_pattern_t* glow = cairo_pattern_create_radial(11, 11, 0.5, 11, 11, 9.6);
    addStop(glow, 0.0, {255, 255, 255});
    addStop(glow, 0.35, {214, 150, 255});
    addStop(glow, 0.8, {120, 50, 200});
    addStop(glow, 1.0, {60, 20, 120});
    outlineAndFill(cr, glow);
    cairo_pattern_destroy(glow);
    // Two arms of a swirl drawn in towards the bright middle.
    setSource(cr, {44, 10, 90}, 0.9);
    cairo_set_line_width(cr, 1.3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int32_t arm = 0; arm < 2; arm++) {
        cairo_new_path(cr);
        for (int32_t i = 0; i <= 40; i++) {
            const double t = i / 40.0;
            const double a = arm * std::numbers::pi + t * 2.4 * std::numbers::pi;
            const double r = 1.5 + 7.0 * t;
            cairo_line_to(cr, 11.0 + r * std::cos(a), 11.0 + r * std::sin(a));
        }
        cairo_stroke(cr);
    }
}

static void drawJump(cairo_t* cr)
{
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    // The arc of the jump, landing on the right.
    for (int32_t pass = 0; pass < 2; pass++) {
        cairo_new_path(cr);
        cairo_move_to(cr, 4.5, 15.0);
        cairo_curve_to(cr, 6.5, 2.0, 15.5, 2.0, 17.5, 13.0);
        if (pass == 0)
            setSource(cr, INK, 0.95);
        else
            setSource(cr, {255, 228, 96});
        cairo_set_line_width(cr, pass == 0 ? 4.0 : 2.0);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, 13.6, 12.0);
    cairo_line_to(cr, 21.0, 11.4);
    cairo_line_to(cr, 17.6, 18.4);
    cairo_close_path(cr);
    outlineAndFillRgb(cr, {255, 228, 96}, 0.9);
    drawBall(cr, 4.6, 17.4, 3.6, 1);
}

static void drawMagnet(cairo_t* cr)
{
    // A horseshoe magnet, open at the top, its poles bright steel.
    cairo_new_path(cr);
    cairo_move_to(cr, 5.0, 2.0);
    cairo_line_to(cr, 5.0, 11.5);
    cairo_arc_negative(cr, 11.0, 11.5, 6.0, std::numbers::pi, 0.0);
    cairo_line_to(cr, 17.0, 2.0);
    setSource(cr, INK, 0.95);
    cairo_set_line_width(cr, 7.0);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, 5.0, 6.5);
    cairo_line_to(cr, 5.0, 11.5);
    cairo_arc_negative(cr, 11.0, 11.5, 6.0, std::numbers::pi, 0.0);
    cairo_line_to(cr, 17.0, 6.5);
    cairo_pattern_t* red = verticalGradient(6.0, 20.0, {250, 80, 70}, {170, 20, 30});
    cairo_set_source(cr, red);
    cairo_set_line_width(cr, 5.0);
    cairo_stroke(cr);
    cairo_pattern_destroy(red);
    for (double x : {5.0, 17.0}) {
        cairo_rectangle(cr, x - 2.5, 2.0, 5.0, 4.5);
        cairo_pattern_t* pole = cairo_pattern_create_linear(x - 2.5, 0, x + 2.5, 0);
        addStop(pole, 0.0, STEEL_DARK);
        addStop(pole, 0.4, STEEL_LIGHT);
        addStop(pole, 1.0, STEEL);
        cairo_set_source(cr, pole);
        cairo_fill(cr);
        cairo_pattern_destroy(pole);
    }
}

static void drawHammer(cairo_t* cr)
{
    outlinedLine(cr, 3.0, 19.5, 12.5, 10.0, 3.0, {214, 164, 100});
    cairo_save(cr);
    cairo_translate(cr, 13.6, 8.4);
    cairo_rotate(cr, std::numbers::pi / 4.0);
    roundedRectangle(cr, -7.5, -3.4, 15.0, 6.8, 1.2);
    cairo_pattern_t* head = cairo_pattern_create_linear(0, -3.4, 0, 3.4);
    addStop(head, 0.0, STEEL_LIGHT);
    addStop(head, 0.5, STEEL);
    addStop(head, 1.0, STEEL_DARK);
    outlineAndFill(cr, head);
    cairo_pattern_destroy(head);
    cairo_restore(cr);
    // The blow.
    setSource(cr, {255, 236, 120});
    cairo_set_line_width(cr, 1.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const double sparks[3][4] = {
        {18.0, 17.0, 20.5, 19.5}, {15.5, 19.0, 16.0, 21.0}, {19.5, 14.5, 21.5, 14.5}};
    for (const auto& s : sparks) {
        cairo_move_to(cr, s[0], s[1]);
        cairo_line_to(cr, s[2], s[3]);
        cairo_stroke(cr);
    }
}

static void drawBoost(cairo_t* cr)
{
    cairo_move_to(cr, 13.0, 0.8);
    cairo_line_to(cr, 4.0, 12.6);
    cairo_line_to(cr, 10.0, 12.6);
    cairo_line_to(cr, 7.6, 21.2);
    cairo_line_to(cr, 18.0, 8.4);
    cairo_line_to(cr, 12.0, 8.4);
    cairo_line_to(cr, 16.0, 0.8);
    cairo_close_path(cr);
    cairo_pattern_t* bolt = verticalGradient(1.0, 21.0, {255, 250, 170}, {255, 140, 20});
    outlineAndFill(cr, bolt);
    cairo_pattern_destroy(bolt);
}

static void drawChaos(cairo_t* cr)
{
    // A tumbling die.
    cairo_save(cr);
    cairo_translate(cr, 11.0, 11.0);
    cairo_rotate(cr, -0.35);
    roundedRectangle(cr, -7.2, -7.2, 14.4, 14.4, 3.0);
    cairo_pattern_t* ivory = verticalGradient(-7.0, 7.0, {255, 255, 250}, {206, 200, 186});
    outlineAndFill(cr, ivory);
    cairo_pattern_destroy(ivory);
    const double pips[5][2] = {{-3.8, -3.8}, {3.8, -3.8}, {0, 0}, {-3.8, 3.8}, {3.8, 3.8}};
    for (const auto& p : pips) {
        setSource(cr, {190, 24, 40});
        cairo_arc(cr, p[0], p[1], 1.6, 0, 2 * std::numbers::pi);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void drawToolIcon(cairo_t* cr, int32_t kind, bool active)
{
    cairo_save(cr);
    switch (kind) {
    case 0:
    case 10: drawStopwatch(cr, active); break;
    case 1: drawCue(cr); break;
    case 2: drawFan(cr); break;
    case 3: drawTilt(cr); break;
    case 4: drawStopSign(cr); break;
    case 5: drawReflectBlock(cr, true); break;
    case 6: drawReflectBlock(cr, false); break;
    case 7: drawTeleport(cr); break;
    case 8: drawJump(cr); break;
    case 9: drawPageCard(cr, "1"); break;
    case 11: drawMagnet(cr); break;
    case 12: drawHammer(cr); break;
    case 13: drawBoost(cr); break;
    case 14: drawChaos(cr); break;
    case 16: drawQuit(cr); break;
    case 18: drawHourglass(cr); break;
    case 19: drawPageCard(cr, "2"); break;
    default: drawBlank(cr, active); break;
    }
    cairo_restore(cr);
}
