// Drawing helpers shared by the tool and control icons.
#include "icon_pen.h"
#include "palette.h"

void outlineAndFill(cairo_t* cr, cairo_pattern_t* fill, double outline)
{
    setSource(cr, INK, 0.95);
    cairo_set_line_width(cr, outline * 2.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
}

cairo_pattern_t* verticalGradient(double y0, double y1, Rgb top, Rgb bottom)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    addStop(p, 0.0, top);
    addStop(p, 1.0, bottom);
    return p;
}

void outlineAndFillRgb(cairo_t* cr, Rgb colour, double outline)
{
    cairo_pattern_t* p =
        cairo_pattern_create_rgb(colour.r / 255.0, colour.g / 255.0, colour.b / 255.0);
    outlineAndFill(cr, p, outline);
    cairo_pattern_destroy(p);
}

void outlinedLine(cairo_t* cr, double x0, double y0, double x1, double y1, double width, Rgb colour,
                  cairo_line_cap_t cap)
{
    cairo_set_line_cap(cr, cap);
    setSource(cr, INK, 0.95);
    cairo_set_line_width(cr, width + 2.0);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
    setSource(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}
