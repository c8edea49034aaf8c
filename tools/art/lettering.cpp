#include "lettering.h"
#include <algorithm>

void selectFont(cairo_t* cr, const char* family, FontStyle style, double size)
{
    const bool italic = style == FontStyle::Italic || style == FontStyle::BoldItalic;
    const bool bold = style == FontStyle::Bold || style == FontStyle::BoldItalic;
    cairo_select_font_face(cr, family, italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double textWidth(cairo_t* cr, const char* text)
{
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    return extents.x_advance;
}

double fittingSize(cairo_t* cr, const char* family, FontStyle style, double wanted,
                   const char* text, double maxWidth)
{
    double size = wanted;
    for (;;) {
        selectFont(cr, family, style, size);
        if (textWidth(cr, text) <= maxWidth || size <= 6.0) return size;
        size -= 0.25;
    }
}

void drawLabel(cairo_t* cr, const char* text, double x, double y, Rgb colour)
{
    setSource(cr, colour);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text);
}

void drawShadowedLabel(cairo_t* cr, const char* text, double x, double y, Rgb colour, Rgb shadow)
{
    drawLabel(cr, text, x + 1, y + 1, shadow);
    drawLabel(cr, text, x, y, colour);
}

void drawFancyText(cairo_t* cr, const char* text, double centreX, double y, const FancyText& look)
{
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    const double x = centreX - extents.x_advance / 2.0;
    cairo_save(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (look.shadowOffset > 0.0) {
        cairo_new_path(cr);
        cairo_move_to(cr, x + look.shadowOffset, y + look.shadowOffset);
        cairo_text_path(cr, text);
        setSource(cr, look.outline, 0.55);
        cairo_set_line_width(cr, look.outlineWidth * 2.0);
        cairo_stroke_preserve(cr);
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text);
    setSource(cr, look.outline);
    cairo_set_line_width(cr, look.outlineWidth * 2.0);
    cairo_stroke_preserve(cr);
    const double top = y + extents.y_bearing;
    const double bottom = std::max(y, top + 1.0);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, top, 0, bottom);
    addStop(fill, 0.0, look.top);
    addStop(fill, 0.5, look.middle);
    addStop(fill, 1.0, look.bottom);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    cairo_restore(cr);
}
