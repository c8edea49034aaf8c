// The pen the button icons are drawn with: every shape gets a dark outline so that it reads on
// the button faces and on the cloth alike.
#pragma once
#include "canvas.h"

constexpr Rgb STEEL_LIGHT = {236, 242, 250};
constexpr Rgb STEEL = {164, 180, 204};
constexpr Rgb STEEL_DARK = {86, 100, 126};

// Strokes the current path with a dark outline, then fills it with the given source.
void outlineAndFill(cairo_t* cr, cairo_pattern_t* fill, double outline = 1.0);
void outlineAndFillRgb(cairo_t* cr, Rgb colour, double outline = 1.0);
cairo_pattern_t* verticalGradient(double y0, double y1, Rgb top, Rgb bottom);
// A thick line with a dark outline: the outline first, then the line itself.
void outlinedLine(cairo_t* cr, double x0, double y0, double x1, double y1, double width, Rgb colour,
                  cairo_line_cap_t cap = CAIRO_LINE_CAP_ROUND);

// The control buttons' pictures (control_icons.cpp), each in the 22 x 22 square at the origin.
void drawStopwatch(cairo_t* cr, bool running);
void drawPageCard(cairo_t* cr, const char* digit);
void drawBlank(cairo_t* cr, bool active);
void drawQuit(cairo_t* cr);
void drawHourglass(cairo_t* cr);
