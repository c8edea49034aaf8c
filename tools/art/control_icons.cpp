// The pictures of the buttons that steer the game rather than the balls: the time switch, the
// page cards, the way out, the end of the turn and the empty plates.
#include "icon_pen.h"
#include "lettering.h"
#include "palette.h"
#include <numbers>

void drawStopwatch(cairo_t* cr, bool running)
{
    cairo_rectangle(cr, 9.0, 0.8, 4.0, 3.0);
    outlineAndFillRgb(cr, BRASS);
    cairo_arc(cr, 11.0, 12.0, 8.8, 0, 2 * std::numbers::pi);
    cairo_pattern_t* rim = verticalGradient(3.0, 21.0, BRASS_LIGHT, BRASS_DARK);
    outlineAndFill(cr, rim);
    cairo_pattern_destroy(rim);
    cairo_arc(cr, 11.0, 12.0, 6.6, 0, 2 * std::numbers::pi);
    cairo_pattern_t* face = verticalGradient(5.0, 19.0, {255, 252, 240}, {214, 206, 186});
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    if (running) {
        // Time runs: the bars that stop it.
        cairo_rectangle(cr, 7.6, 8.6, 2.4, 7.0);
        cairo_rectangle(cr, 12.0, 8.6, 2.4, 7.0);
        outlineAndFillRgb(cr, {236, 78, 48}, 0.6);
    } else {
        cairo_move_to(cr, 8.6, 8.2);
        cairo_line_to(cr, 15.4, 12.0);
        cairo_line_to(cr, 8.6, 15.8);
        cairo_close_path(cr);
        outlineAndFillRgb(cr, {40, 176, 72}, 0.6);
    }
}

// A page card with the number of the button row now shown.
void drawPageCard(cairo_t* cr, const char* digit)
{
    cairo_move_to(cr, 3.5, 2.0);
    cairo_line_to(cr, 13.5, 2.0);
    cairo_line_to(cr, 17.5, 6.0);
    cairo_line_to(cr, 17.5, 20.0);
    cairo_line_to(cr, 3.5, 20.0);
    cairo_close_path(cr);
    cairo_pattern_t* paper = verticalGradient(2.0, 20.0, {255, 252, 240}, {220, 210, 186});
    outlineAndFill(cr, paper);
    cairo_pattern_destroy(paper);
    cairo_move_to(cr, 13.5, 2.0);
    cairo_line_to(cr, 13.5, 6.0);
    cairo_line_to(cr, 17.5, 6.0);
    setSource(cr, {150, 136, 110});
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    selectFont(cr, "DejaVu Sans", FontStyle::Bold, 13.0);
    const double w = textWidth(cr, digit);
    drawLabel(cr, digit, 10.2 - w / 2.0, 17.0, NAVY);
    // The arrow to the other page.
    cairo_move_to(cr, 17.0, 10.0);
    cairo_line_to(cr, 21.5, 14.0);
    cairo_line_to(cr, 17.0, 18.0);
    cairo_close_path(cr);
    outlineAndFillRgb(cr, BRASS_LIGHT, 0.8);
}

// An empty plate still carries a faint engraved sight, so it reads as a plate and not a gap.
void drawBlank(cairo_t* cr, bool active)
{
    if (active) return;
    cairo_move_to(cr, 11.0, 7.0);
    cairo_line_to(cr, 15.0, 11.0);
    cairo_line_to(cr, 11.0, 15.0);
    cairo_line_to(cr, 7.0, 11.0);
    cairo_close_path(cr);
    setSource(cr, INK, 0.25);
    cairo_fill(cr);
}

void drawQuit(cairo_t* cr)
{
    // An open door with the way out.
    cairo_rectangle(cr, 2.5, 2.0, 10.0, 18.5);
    outlineAndFillRgb(cr, {14, 12, 16});
    cairo_move_to(cr, 2.5, 2.0);
    cairo_line_to(cr, 8.5, 4.0);
    cairo_line_to(cr, 8.5, 21.0);
    cairo_line_to(cr, 2.5, 20.5);
    cairo_close_path(cr);
    cairo_pattern_t* door = verticalGradient(2.0, 21.0, WALNUT_LIGHT, WALNUT);
    outlineAndFill(cr, door, 0.8);
    cairo_pattern_destroy(door);
    setSource(cr, BRASS_LIGHT);
    cairo_arc(cr, 7.2, 12.5, 0.9, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    outlinedLine(cr, 10.5, 11.5, 16.0, 11.5, 2.4, {255, 90, 70}, CAIRO_LINE_CAP_BUTT);
    cairo_move_to(cr, 15.0, 6.5);
    cairo_line_to(cr, 21.0, 11.5);
    cairo_line_to(cr, 15.0, 16.5);
    cairo_close_path(cr);
    outlineAndFillRgb(cr, {255, 90, 70}, 0.9);
}

void drawHourglass(cairo_t* cr)
{
    cairo_move_to(cr, 5.5, 3.0);
    cairo_line_to(cr, 16.5, 3.0);
    cairo_curve_to(cr, 16.5, 8.0, 12.0, 9.5, 12.0, 11.0);
    cairo_curve_to(cr, 12.0, 12.5, 16.5, 14.0, 16.5, 19.0);
    cairo_line_to(cr, 5.5, 19.0);
    cairo_curve_to(cr, 5.5, 14.0, 10.0, 12.5, 10.0, 11.0);
    cairo_curve_to(cr, 10.0, 9.5, 5.5, 8.0, 5.5, 3.0);
    cairo_close_path(cr);
    cairo_pattern_t* glass = verticalGradient(3.0, 19.0, {226, 240, 250}, {170, 196, 214});
    outlineAndFill(cr, glass, 0.9);
    cairo_pattern_destroy(glass);
    // The last sand running out: a little left above, a heap below.
    setSource(cr, {246, 170, 50});
    cairo_move_to(cr, 8.6, 7.6);
    cairo_line_to(cr, 13.4, 7.6);
    cairo_line_to(cr, 11.0, 10.4);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_rectangle(cr, 10.6, 10.0, 0.8, 6.0);
    cairo_fill(cr);
    cairo_move_to(cr, 6.8, 18.5);
    cairo_curve_to(cr, 8.0, 15.0, 14.0, 15.0, 15.2, 18.5);
    cairo_close_path(cr);
    cairo_fill(cr);
    for (double y : {1.0, 18.0}) {
        roundedRectangle(cr, 3.0, y, 16.0, 3.0, 1.0);
        cairo_pattern_t* brass = verticalGradient(y, y + 3.0, BRASS_LIGHT, BRASS_DARK);
        outlineAndFill(cr, brass, 0.8);
        cairo_pattern_destroy(brass);
    }
}
