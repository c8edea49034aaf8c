// The options panel laid over the start menu, and the value sprites the game puts on it: the
// speed in six cells and the "off" mark that covers the panel's own "on".
#include "art.h"
#include "lettering.h"
#include "palette.h"
#include "rules/screen_layout.h"
#include <cstdio>

// Options row k covers panel rows 11 + 17k to 26 + 17k (window rows 136 + 17k onwards).
constexpr int32_t OPTION_ROWS = 5;
// The messages switch turns the optional hints on and off, and "Hints" leaves room before its
// badge, which stands furthest to the left.
constexpr const char* OPTION_NAMES[OPTION_ROWS] = {"Speed", "Hints", "Sound", "Music", "Back"};
// Where the game draws the speed cell (row 0) and the off marks of messages, sound and music
// (rows 1 to 3), in panel coordinates. Each switch's "on" badge fills its mark's rectangle exactly,
// and each name ends before its value. Back has none.
constexpr int32_t VALUE_ROWS = 4;
constexpr int32_t VALUE_X[VALUE_ROWS] = {
    SPEED_VALUE_X - OPTIONS_PANEL_X, OFF_MARK_MESSAGES.x - OPTIONS_PANEL_X,
    OFF_MARK_SOUND.x - OPTIONS_PANEL_X, OFF_MARK_MUSIC.x - OPTIONS_PANEL_X};
constexpr int32_t VALUE_Y[VALUE_ROWS] = {
    SPEED_VALUE_Y - OPTIONS_PANEL_Y, OFF_MARK_MESSAGES.y - OPTIONS_PANEL_Y,
    OFF_MARK_SOUND.y - OPTIONS_PANEL_Y, OFF_MARK_MUSIC.y - OPTIONS_PANEL_Y};
constexpr int32_t MARK_WIDTH = OFF_MARK_WIDTH, MARK_HEIGHT = OFF_MARK_HEIGHT;
constexpr int32_t SPEED_CELL_WIDTH = SPEED_VALUE_WIDTH;
constexpr double LABEL_X = 5.0;
// The clear space between a name, its dotted leader and its value.
constexpr double NAME_GAP = 3.0;

// A small sunken box with a word in it, the same for the panel's "on" and the sprites' "off".
static void drawValueBox(cairo_t* cr, double x, double y, double w, const char* text, Rgb colour)
{
    roundedRectangle(cr, x + 1.5, y + 1.5, w - 3.0, MARK_HEIGHT - 3.0, 3.0);
    setSource(cr, scaleRgb(OPTIONS_FACE, 0.55));
    cairo_fill_preserve(cr);
    setSource(cr, NAVY_LIGHT);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    selectFont(cr, "DejaVu Sans", FontStyle::Bold, 10.0);
    const double width = textWidth(cr, text);
    drawLabel(cr, text, x + (w - width) / 2.0, y + 12.0, colour);
}

Picture makeOptionsPanel(const ImageFile& file)
{
    Canvas canvas = makeCanvas(file.width, file.height);
    cairo_t* cr = canvas.cr;
    roundedRectangle(cr, 0, 0, file.width, file.height, 5.0);
    cairo_pattern_t* frame = cairo_pattern_create_linear(0, 0, file.width, file.height);
    addStop(frame, 0.0, BRASS_LIGHT);
    addStop(frame, 0.5, BRASS);
    addStop(frame, 1.0, BRASS_DARK);
    cairo_set_source(cr, frame);
    cairo_fill(cr);
    cairo_pattern_destroy(frame);
    // The face is one flat colour so that the value sprites sit on it without a seam.
    setSource(cr, INK);
    roundedRectangle(cr, 2, 2, file.width - 4, file.height - 4, 3.5);
    cairo_fill(cr);
    setSource(cr, OPTIONS_FACE);
    roundedRectangle(cr, 3, 3, file.width - 6, file.height - 6, 3.0);
    cairo_fill(cr);
    // A small brass ornament in the top margin.
    setSource(cr, BRASS);
    cairo_rectangle(cr, 30, 6, 50, 1);
    cairo_fill(cr);
    cairo_move_to(cr, 51, 6.5);
    cairo_line_to(cr, 55, 3.5);
    cairo_line_to(cr, 59, 6.5);
    cairo_line_to(cr, 55, 9.5);
    cairo_close_path(cr);
    cairo_fill(cr);

    // One size for all names, the largest at which every name ends before its value.
    double size = 12.0;
    for (int32_t k = 0; k < VALUE_ROWS; k++)
        size = fittingSize(cr, "DejaVu Sans Condensed", FontStyle::Bold, size, OPTION_NAMES[k],
                           VALUE_X[k] - NAME_GAP - LABEL_X);
    selectFont(cr, "DejaVu Sans Condensed", FontStyle::Bold, size);
    for (int32_t k = 0; k < OPTION_ROWS; k++) {
        const double baseline = 23.0 + 17.0 * k;
        drawShadowedLabel(cr, OPTION_NAMES[k], LABEL_X, baseline, CREAM, INK);
        if (k >= VALUE_ROWS) continue;
        // The values stand at different places along their rows; a dotted leader carries the
        // eye from each name to its own.
        const double end = VALUE_X[k] - NAME_GAP;
        setSource(cr, scaleRgb(BRASS, 0.75));
        for (double x = LABEL_X + textWidth(cr, OPTION_NAMES[k]) + NAME_GAP + 1.0; x + 1.0 <= end;
             x += 3.0) {
            cairo_rectangle(cr, x, baseline - 1.0, 1.0, 1.0);
            cairo_fill(cr);
        }
    }
    // With an option on the game draws nothing here, so the panel itself says "on", in a badge
    // the same size as the off mark that covers it.
    for (int32_t k = 1; k < VALUE_ROWS; k++)
        drawValueBox(cr, VALUE_X[k], VALUE_Y[k], MARK_WIDTH, "on", SIGNAL_GREEN);
    Picture picture = flattenKeyed(canvas, file, 0.5, &FELT);
    freeCanvas(canvas);
    return picture;
}

Picture makeOptionValues(const ImageFile& file)
{
    Canvas canvas = makeCanvas(file.width, file.height);
    cairo_t* cr = canvas.cr;
    setSource(cr, OPTIONS_FACE);
    cairo_paint(cr);
    for (int32_t cell = 0; cell < 6; cell++) {
        char text[4];
        std::snprintf(text, sizeof text, "%d", 10 * (cell + 1));
        drawValueBox(cr, cell * SPEED_CELL_WIDTH, 0, SPEED_CELL_WIDTH, text, BRASS_LIGHT);
    }
    drawValueBox(cr, 6 * SPEED_CELL_WIDTH, 0, MARK_WIDTH, "off", SIGNAL_RED);
    Picture picture = flattenOpaque(canvas, file);
    freeCanvas(canvas);
    return picture;
}
