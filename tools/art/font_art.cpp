// The 10-pixel font: 96 light glyphs, codes 32 to 127, packed side by side with no gaps at the
// widths the game uses to step through them. Black is the key, so glyph edges fade to black.
#include "art.h"
#include "lettering.h"
#include "palette.h"
#include "render/glyph_widths.h"
#include <algorithm>
#include <cmath>

constexpr double FONT_SIZE = 9.5;
constexpr double BASELINE = 8.0;
constexpr double INK_THRESHOLD = 0.14;
constexpr Rgb GLYPH_COLOUR = {255, 251, 236};

// One glyph rendered alone into a canvas of its cell's size, clipped to it. The ink is centred
// in the cell less its last column, which stays empty as the space to the next glyph.
static void renderGlyph(Canvas& cell, int32_t code, int32_t width)
{
    cairo_t* cr = cell.cr;
    if (code == 127) {
        // The delete code has no letter; a small hollow box marks it.
        setSource(cr, GLYPH_COLOUR);
        cairo_set_line_width(cr, 1.0);
        cairo_rectangle(cr, 0.5, 2.5, width - 2.0, 5.0);
        cairo_stroke(cr);
        return;
    }
    const char text[2] = {static_cast<char>(code), 0};
    selectFont(cr, "DejaVu Sans", FontStyle::Bold, FONT_SIZE);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    const double room = width - 1.0;
    double x = std::round((room - extents.width) / 2.0 - extents.x_bearing);
    // Never cut off the left of a glyph that is wider than its cell: let the right side go.
    x = std::max(x, std::floor(-extents.x_bearing));
    cairo_rectangle(cr, 0, 0, room, FONT_HEIGHT);
    cairo_clip(cr);
    drawLabel(cr, text, x, BASELINE, GLYPH_COLOUR);
    cairo_reset_clip(cr);
}

Picture makeFont(const ImageFile& file)
{
    Picture picture = blankPicture(file.width, file.height);
    int32_t offset = 0;
    for (int32_t glyph = 0; glyph < GLYPH_COUNT; glyph++) {
        const int32_t width = glyphWidth[glyph];
        Canvas cell = makeCanvas(width, FONT_HEIGHT);
        renderGlyph(cell, 32 + glyph, width);
        const uint32_t* pixels = pixelsBegin(cell);
        const int32_t stride = cairo_image_surface_get_stride(cell.surface) / 4;
        for (int32_t y = 0; y < FONT_HEIGHT; y++) {
            for (int32_t x = 0; x < width; x++) {
                const uint32_t p = pixels[y * stride + x];
                if ((p >> 24) / 255.0 < INK_THRESHOLD) continue; // stays black: the key
                // Premultiplied, so this is the glyph already faded onto black; keep it off the
                // key itself.
                Rgb colour = unpackColour(p);
                colour = {std::max(colour.r, 1), std::max(colour.g, 1), std::max(colour.b, 1)};
                putPixel(picture, offset + x, y, colour);
            }
        }
        freeCanvas(cell);
        offset += width;
    }
    return picture;
}
