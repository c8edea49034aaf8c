// The Panel above the table: the score band with its pocketed-ball tray, the message strip with
// the felt bed under the button row, and the score digits.
#include "art.h"
#include "lettering.h"
#include "palette.h"
#include "texture.h"
#include <cmath>

// The game draws three digits at y 1 from these x positions, 7 pixels apart.
constexpr int32_t SCORE_X[2] = {56, 259};
constexpr int32_t DIGIT_WIDTH = 7;
constexpr int32_t DIGIT_HEIGHT = 8;
// Pocketed balls lie centred on row 25, rows 18 to 31.
constexpr double TRAY_TOP = 15.5, TRAY_BOTTOM = 34.5;

// A plate of flat colour behind a score: the digit cells are painted on the very same colour.
static void drawScorePlate(cairo_t* cr, int32_t digitsX)
{
    const int32_t left = digitsX - 2;
    const int32_t width = 3 * DIGIT_WIDTH + 4;
    setSource(cr, BRASS_DARK);
    cairo_rectangle(cr, left - 1, 0, width + 2, 12);
    cairo_fill(cr);
    setSource(cr, BRASS);
    cairo_rectangle(cr, left, 0, width, 11);
    cairo_fill(cr);
    setSource(cr, SCORE_PLATE);
    cairo_rectangle(cr, left + 1, 0, width - 2, 10);
    cairo_fill(cr);
}

void drawBallTray(Canvas& canvas, double top, double bottom)
{
    cairo_t* cr = canvas.cr;
    const double middle = (top + bottom) / 2.0;
    // The brass lip around the groove, then the felt lining inside it.
    roundedRectangle(cr, 2.5, top - 1.5, 295.0, bottom - top + 3.0, 11.0);
    cairo_pattern_t* lip = cairo_pattern_create_linear(0, top - 2, 0, bottom + 2);
    addStop(lip, 0.0, BRASS_DARK);
    addStop(lip, 0.5, BRASS);
    addStop(lip, 1.0, BRASS_LIGHT);
    cairo_set_source(cr, lip);
    cairo_fill(cr);
    cairo_pattern_destroy(lip);

    Canvas cloth = makeCanvas(canvas.width, canvas.height);
    fillFelt(cloth, 0, 0, canvas.width, canvas.height, CLOTH_SEED + 5, 150.0, middle, 260.0);
    cairo_set_source_surface(cr, cloth.surface, 0, 0);
    roundedRectangle(cr, 4.0, top, 292.0, bottom - top, 9.5);
    cairo_fill(cr);
    freeCanvas(cloth);
    // Sunk into the panel: shade under the upper lip, a faint light on the lower one.
    cairo_pattern_t* depth = cairo_pattern_create_linear(0, top, 0, bottom);
    addStop(depth, 0.0, INK, 0.6);
    addStop(depth, 0.3, INK, 0.2);
    addStop(depth, 0.75, INK, 0.0);
    addStop(depth, 1.0, CREAM, 0.1);
    cairo_set_source(cr, depth);
    roundedRectangle(cr, 4.0, top, 292.0, bottom - top, 9.5);
    cairo_fill(cr);
    cairo_pattern_destroy(depth);
}

Picture makePanel(const ImageFile& file)
{
    Canvas canvas = makeCanvas(file.width, file.height);
    cairo_t* cr = canvas.cr;
    cairo_pattern_t* back = cairo_pattern_create_linear(0, 0, 0, file.height);
    addStop(back, 0.0, NAVY_LIGHT);
    addStop(back, 0.35, NAVY);
    addStop(back, 1.0, NAVY_DEEP);
    cairo_set_source(cr, back);
    cairo_paint(cr);
    cairo_pattern_destroy(back);
    // Brass rule along the bottom, above the message strip.
    setSource(cr, BRASS_DARK);
    cairo_rectangle(cr, 0, file.height - 2, file.width, 1);
    cairo_fill(cr);
    setSource(cr, BRASS);
    cairo_rectangle(cr, 0, file.height - 1, file.width, 1);
    cairo_fill(cr);

    drawBallTray(canvas, TRAY_TOP, TRAY_BOTTOM);
    drawScorePlate(cr, SCORE_X[0]);
    drawScorePlate(cr, SCORE_X[1]);

    selectFont(cr, "DejaVu Sans", FontStyle::Bold, 9.0);
    drawShadowedLabel(cr, "Player 1", 3.0, 9.0, BRASS_LIGHT, INK);
    const double width = textWidth(cr, "Player 2");
    drawShadowedLabel(cr, "Player 2", SCORE_X[1] - 4.0 - width, 9.0, BRASS_LIGHT, INK);

    // The game's name in the middle of the band, between two small sights.
    selectFont(cr, "DejaVu Serif", FontStyle::Bold, 9.0);
    const char* name = "K E S T R O L A";
    const double nameWidth = textWidth(cr, name);
    drawShadowedLabel(cr, name, 150.0 - nameWidth / 2.0, 9.0, BRASS, INK);
    for (double side : {-1.0, 1.0}) {
        const double x = 150.0 + side * (nameWidth / 2.0 + 8.0);
        cairo_move_to(cr, x - 3, 5.5);
        cairo_line_to(cr, x, 3.0);
        cairo_line_to(cr, x + 3, 5.5);
        cairo_line_to(cr, x, 8.0);
        cairo_close_path(cr);
        setSource(cr, BRASS);
        cairo_fill(cr);
    }
    Picture picture = flattenOpaque(canvas, file);
    freeCanvas(canvas);
    return picture;
}

Picture makeMessageBack(const ImageFile& file)
{
    Canvas canvas = makeCanvas(file.width, file.height);
    cairo_t* cr = canvas.cr;
    // Rows 0 to 29: a dark inset screen that the light font reads well on.
    setSource(cr, NAVY_DEEP);
    cairo_paint(cr);
    cairo_pattern_t* glass = cairo_pattern_create_linear(0, 1, 0, 29);
    addStop(glass, 0.0, {8, 12, 24});
    addStop(glass, 0.5, {16, 24, 44});
    addStop(glass, 1.0, {12, 18, 34});
    cairo_set_source(cr, glass);
    cairo_rectangle(cr, 2, 2, file.width - 4, 26);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
    cairo_set_line_width(cr, 1.0);
    setSource(cr, {4, 6, 12});
    cairo_move_to(cr, 1.5, 28);
    cairo_line_to(cr, 1.5, 1.5);
    cairo_line_to(cr, file.width - 1.5, 1.5);
    cairo_stroke(cr);
    setSource(cr, NAVY_LIGHT);
    cairo_move_to(cr, file.width - 1.5, 2);
    cairo_line_to(cr, file.width - 1.5, 28.5);
    cairo_line_to(cr, 2, 28.5);
    cairo_stroke(cr);

    // Rows 30 to 59 lie under the button row. A pressed button is open in its middle, and what
    // shows there is this felt, so the tool looks as it will once put down on the table.
    fillFelt(canvas, 0, 30, file.width, 30, CLOTH_SEED + 9, 150.0, 45.0, 200.0);
    for (int32_t column = 0; column < 10; column++) {
        const double x = column * 30 + 4;
        const double y = 34;
        cairo_pattern_t* top = cairo_pattern_create_linear(0, y, 0, y + 4);
        addStop(top, 0.0, INK, 0.45);
        addStop(top, 1.0, INK, 0.0);
        cairo_set_source(cr, top);
        cairo_rectangle(cr, x, y, 22, 4);
        cairo_fill(cr);
        cairo_pattern_destroy(top);
        cairo_pattern_t* left = cairo_pattern_create_linear(x, 0, x + 3, 0);
        addStop(left, 0.0, INK, 0.35);
        addStop(left, 1.0, INK, 0.0);
        cairo_set_source(cr, left);
        cairo_rectangle(cr, x, y, 3, 22);
        cairo_fill(cr);
        cairo_pattern_destroy(left);
    }
    Picture picture = flattenOpaque(canvas, file);
    freeCanvas(canvas);
    return picture;
}

// Bold scoreboard digits, six pixels wide, the seventh column left as the gap to the next.
// clang-format off
constexpr const char* DIGIT_ROWS[10][DIGIT_HEIGHT] = {
    {".####.", "##..##", "##..##", "##.###", "###.##", "##..##", "##..##", ".####."},
    {"..##..", ".###..", "####..", "..##..", "..##..", "..##..", "..##..", "######"},
    {".####.", "##..##", "....##", "...##.", "..##..", ".##...", "##....", "######"},
    {".####.", "##..##", "....##", "..###.", "....##", "....##", "##..##", ".####."},
    {"...##.", "..###.", ".####.", "##.##.", "##.##.", "######", "...##.", "...##."},
    {"######", "##....", "#####.", "....##", "....##", "....##", "##..##", ".####."},
    {"..###.", ".##...", "##....", "#####.", "##..##", "##..##", "##..##", ".####."},
    {"######", "....##", "...##.", "...##.", "..##..", "..##..", ".##...", ".##..."},
    {".####.", "##..##", "##..##", ".####.", "##..##", "##..##", "##..##", ".####."},
    {".####.", "##..##", "##..##", "##..##", ".#####", "....##", "...##.", ".###.."},
};
// clang-format on

static bool digitInk(int32_t digit, int32_t x, int32_t y)
{
    if (x < 0 || x >= 6 || y < 0 || y >= DIGIT_HEIGHT) return false;
    return DIGIT_ROWS[digit][y][x] == '#';
}

Picture makeNumbers(const ImageFile& file)
{
    // Warm lamp light, brightest at the top of each digit, with a faint glow around the strokes.
    const Rgb lit[DIGIT_HEIGHT] = {{255, 236, 170}, {255, 226, 140}, {255, 214, 112},
                                   {255, 204, 96},  {255, 194, 84},  {250, 182, 72},
                                   {242, 168, 62},  {232, 154, 54}};
    Picture picture = blankPicture(file.width, file.height);
    for (int32_t digit = 0; digit < 10; digit++) {
        for (int32_t y = 0; y < DIGIT_HEIGHT; y++) {
            for (int32_t x = 0; x < DIGIT_WIDTH; x++) {
                Rgb colour = SCORE_PLATE;
                if (digitInk(digit, x, y)) {
                    colour = lit[y];
                } else if (digitInk(digit, x - 1, y) || digitInk(digit, x + 1, y) ||
                           digitInk(digit, x, y - 1) || digitInk(digit, x, y + 1)) {
                    colour = mixRgb(SCORE_PLATE, lit[y], 0.16);
                }
                putPixel(picture, digit * DIGIT_WIDTH + x, y, colour);
            }
        }
    }
    return picture;
}
