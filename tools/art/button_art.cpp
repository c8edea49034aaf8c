// The button sheet: for each row of ten buttons a pressed, a normal and an unavailable strip.
// A pressed button is a lit brass frame open in the middle: the felt under the button row shows
// through around its icon, and that middle is also the picture of a tool put on the table.
#include "art.h"
#include "palette.h"

constexpr int32_t CELL = 30;
constexpr int32_t ICON_INSET = 4;
constexpr int32_t ICON_SIZE = 22;

enum class ButtonLook { Active, Available, Unavailable };

static void drawPlate(cairo_t* cr, double x, double y, Rgb top, Rgb bottom, Rgb light, Rgb dark)
{
    setSource(cr, INK);
    cairo_rectangle(cr, x, y, CELL, CELL);
    cairo_fill(cr);
    roundedRectangle(cr, x + 1, y + 1, CELL - 2, CELL - 2, 3.0);
    cairo_pattern_t* face = cairo_pattern_create_linear(0, y + 1, 0, y + CELL - 1);
    addStop(face, 0.0, top);
    addStop(face, 1.0, bottom);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    // Raised: light along the top and left, shade along the bottom and right.
    cairo_set_line_width(cr, 1.0);
    setSource(cr, light, 0.8);
    cairo_move_to(cr, x + 2.5, y + CELL - 3);
    cairo_line_to(cr, x + 2.5, y + 2.5);
    cairo_line_to(cr, x + CELL - 3, y + 2.5);
    cairo_stroke(cr);
    setSource(cr, dark, 0.8);
    cairo_move_to(cr, x + CELL - 2.5, y + 3);
    cairo_line_to(cr, x + CELL - 2.5, y + CELL - 2.5);
    cairo_line_to(cr, x + 3, y + CELL - 2.5);
    cairo_stroke(cr);
}

static void drawActiveFrame(cairo_t* cr, double x, double y)
{
    setSource(cr, INK);
    cairo_rectangle(cr, x, y, CELL, CELL);
    cairo_fill(cr);
    cairo_pattern_t* brass = cairo_pattern_create_linear(x, y, x + CELL, y + CELL);
    addStop(brass, 0.0, {255, 246, 196});
    addStop(brass, 0.45, {255, 206, 84});
    addStop(brass, 1.0, {196, 124, 30});
    cairo_set_source(cr, brass);
    cairo_rectangle(cr, x + 1, y + 1, CELL - 2, CELL - 2);
    cairo_fill(cr);
    cairo_pattern_destroy(brass);
    setSource(cr, BRASS_DARK);
    cairo_rectangle(cr, x + ICON_INSET - 1, y + ICON_INSET - 1, ICON_SIZE + 2, ICON_SIZE + 2);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr, x + ICON_INSET, y + ICON_INSET, ICON_SIZE, ICON_SIZE);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

// An unavailable tool shows its icon in dim grey.
static void greyOut(Canvas& icon)
{
    uint32_t* pixels = pixelsBegin(icon);
    const int32_t stride = cairo_image_surface_get_stride(icon.surface) / 4;
    for (int32_t y = 0; y < icon.height; y++) {
        for (int32_t x = 0; x < icon.width; x++) {
            const uint32_t p = pixels[y * stride + x];
            const uint32_t alpha = p >> 24;
            const Rgb c = unpackColour(p);
            const int32_t grey = (c.r * 30 + c.g * 59 + c.b * 11) / 100;
            // Premultiplied: the grey stays at or below alpha.
            const uint32_t g = static_cast<uint32_t>(grey * 55 / 100 + alpha * 18 / 100);
            pixels[y * stride + x] = alpha << 24 | g << 16 | g << 8 | g;
        }
    }
    pixelsEnd(icon);
}

static void drawButton(Canvas& sheet, int32_t kind, ButtonLook look)
{
    cairo_t* cr = sheet.cr;
    const double x = (kind % 10) * CELL;
    const double y = (kind / 10) * 90 + static_cast<int32_t>(look) * CELL;
    switch (look) {
    case ButtonLook::Active: drawActiveFrame(cr, x, y); break;
    case ButtonLook::Available:
        drawPlate(cr, x, y, {70, 94, 146}, {28, 40, 74}, {150, 176, 226}, {8, 12, 26});
        break;
    case ButtonLook::Unavailable:
        drawPlate(cr, x, y, {64, 64, 68}, {38, 38, 42}, {100, 100, 106}, {16, 16, 18});
        break;
    }
    Canvas icon = makeCanvas(ICON_SIZE, ICON_SIZE);
    drawToolIcon(icon.cr, kind, look == ButtonLook::Active);
    if (look == ButtonLook::Unavailable) greyOut(icon);
    cairo_set_source_surface(cr, icon.surface, x + ICON_INSET, y + ICON_INSET);
    cairo_paint_with_alpha(cr, look == ButtonLook::Unavailable ? 0.85 : 1.0);
    freeCanvas(icon);
}

Picture makeButtons(const ImageFile& file)
{
    Canvas canvas = makeCanvas(file.width, file.height);
    for (int32_t kind = 0; kind < 20; kind++) {
        drawButton(canvas, kind, ButtonLook::Active);
        drawButton(canvas, kind, ButtonLook::Available);
        drawButton(canvas, kind, ButtonLook::Unavailable);
    }
    // Only the open middles of the pressed buttons have soft edges, and those lie on felt.
    Picture picture = flattenKeyed(canvas, file, 0.35, &FELT);
    freeCanvas(canvas);
    return picture;
}
