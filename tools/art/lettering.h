// Text with Cairo's own font selection: plain labels and the big outlined, gold-filled lettering
// of titles and banners.
#pragma once
#include "canvas.h"

enum class FontStyle { Regular, Bold, Italic, BoldItalic };

// Selects a DejaVu family ("DejaVu Sans", "DejaVu Sans Condensed", "DejaVu Serif") at a pixel
// size, hinted and antialiased in grey so small text stays crisp.
void selectFont(cairo_t* cr, const char* family, FontStyle style, double size);
double textWidth(cairo_t* cr, const char* text);
// The largest size up to wanted at which text is at most maxWidth wide.
double fittingSize(cairo_t* cr, const char* family, FontStyle style, double wanted,
                   const char* text, double maxWidth);

// Plain text with its baseline at y and its left end at x.
void drawLabel(cairo_t* cr, const char* text, double x, double y, Rgb colour);
// Light text with a dark drop shadow one pixel down-right, for text on busy backgrounds.
void drawShadowedLabel(cairo_t* cr, const char* text, double x, double y, Rgb colour, Rgb shadow);

struct FancyText {
    Rgb top, middle, bottom; // vertical gradient of the fill across the cap height
    Rgb outline;
    double outlineWidth;
    double shadowOffset; // 0 for none
};
// Big lettering centred on centreX with its baseline at y; the font must already be selected.
void drawFancyText(cairo_t* cr, const char* text, double centreX, double y, const FancyText& look);
