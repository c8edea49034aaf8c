// The table's cloth, its pockets and the shadow under a ball.
#include "art.h"
#include "palette.h"
#include "table_geometry.h"
#include "texture.h"
#include <cmath>
#include <numbers>

Picture makeShade(const ImageFile& file)
{
    // The game mixes 0.6 of each shadow pixel into the cloth: this core darkens the felt to
    // about half, and the rim fades to the felt colour itself, which leaves the cloth as it was.
    const Rgb core = {4, 14, 8};
    Picture picture = blankPicture(file.width, file.height);
    for (int32_t y = 0; y < file.height; y++) {
        for (int32_t x = 0; x < file.width; x++) {
            // The cell lies down-right of the ball; keep the shadow close to it, under the light.
            const double dx = (x + 0.5 - 5.8) / 7.4;
            const double dy = (y + 0.5 - 6.8) / 6.9;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d >= 1.0) continue; // black: left out of the blend
            const double strength = d < 0.62 ? 1.0 : std::pow((1.0 - d) / 0.38, 1.2);
            putPixel(picture, x, y, mixRgb(FELT, core, strength));
        }
    }
    return picture;
}

Picture makeField(const ImageFile& file)
{
    Canvas canvas = makeCanvas(file.width, file.height);
    fillFelt(canvas, 0, 0, file.width, file.height, CLOTH_SEED, 150.0, 100.0, 170.0);
    cairo_t* cr = canvas.cr;
    // The cushions throw a thin shadow onto the cloth along their noses.
    const double shadowDepth = 6.0;
    struct Edge {
        double x0, y0, x1, y1;
    };
    const Edge edges[4] = {{0, PLAY_TOP, 0, PLAY_TOP + shadowDepth},
                           {0, PLAY_BOTTOM, 0, PLAY_BOTTOM - shadowDepth},
                           {PLAY_LEFT, 0, PLAY_LEFT + shadowDepth, 0},
                           {PLAY_RIGHT, 0, PLAY_RIGHT - shadowDepth, 0}};
    for (const Edge& e : edges) {
        cairo_pattern_t* shade = cairo_pattern_create_linear(e.x0, e.y0, e.x1, e.y1);
        addStop(shade, 0.0, INK, 0.32);
        addStop(shade, 1.0, INK, 0.0);
        cairo_set_source(cr, shade);
        cairo_paint(cr);
        cairo_pattern_destroy(shade);
    }
    // Faint markings: the spots of the centre and of both quarter lines, and the head string.
    cairo_set_line_width(cr, 1.0);
    setSource(cr, CREAM, 0.07);
    cairo_move_to(cr, 87.5, PLAY_TOP + 2);
    cairo_line_to(cr, 87.5, PLAY_BOTTOM - 2);
    cairo_stroke(cr);
    const double spots[3] = {87.5, 150.0, 212.5};
    for (double x : spots) {
        setSource(cr, CREAM, 0.30);
        cairo_arc(cr, x, 100.0, 1.6, 0, 2 * std::numbers::pi);
        cairo_fill(cr);
    }
    Picture picture = flattenOpaque(canvas, file);
    freeCanvas(canvas);
    return picture;
}

void drawPocketHole(cairo_t* cr, double centreX, double centreY, double radius)
{
    setSource(cr, POCKET_RIM);
    cairo_arc(cr, centreX, centreY, radius, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    // The far wall of the hole catches a little light; the bottom is lost in black.
    cairo_pattern_t* depth =
        cairo_pattern_create_radial(centreX + radius * 0.18, centreY + radius * 0.22, radius * 0.1,
                                    centreX, centreY, radius * 0.86);
    addStop(depth, 0.0, POCKET_BLACK);
    addStop(depth, 0.6, {10, 9, 9});
    addStop(depth, 1.0, {42, 36, 30});
    cairo_set_source(cr, depth);
    cairo_arc(cr, centreX, centreY, radius * 0.86, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
}

Picture makeHoles(const ImageFile& file)
{
    Canvas canvas = makeCanvas(file.width, file.height);
    // A little wider than the opening in the frame, so the frame's cut edge lies on the rim.
    for (const auto& centre : POCKET_CENTRES)
        drawPocketHole(canvas.cr, centre[0], centre[1], POCKET_RADIUS + 0.8);
    Picture picture = flattenKeyed(canvas, file, 0.5, &FELT);
    freeCanvas(canvas);
    return picture;
}
