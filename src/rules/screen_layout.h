// Where everything is on the window: the Panel with its message strip and button row, the
// Table, and the menus' rows. Input, the rules, the drawing, the tutorial's click areas, the
// art and the tests all read these, so a place on the screen is said once.
#pragma once
#include <cstdint>

constexpr int32_t WINDOW_WIDTH = 300;
constexpr int32_t WINDOW_HEIGHT = 300;

struct ScreenRect {
    int32_t x, y, w, h;
};

// The Panel is rows 0 to 99, the Table rows 100 to 299.
constexpr int32_t TABLE_TOP = 100;
constexpr ScreenRect WHOLE_WINDOW = {0, 0, WINDOW_WIDTH, WINDOW_HEIGHT};
constexpr ScreenRect TABLE_AREA = {0, TABLE_TOP, WINDOW_WIDTH, WINDOW_HEIGHT - TABLE_TOP};
// What changes from frame to frame, pushed without a full redraw: on the menus the band the
// decorative ball rolls in and the column of the row highlight, on the end screen its lower half.
constexpr ScreenRect MENU_BALL_BAND = {0, 250, WINDOW_WIDTH, 50};
constexpr ScreenRect MENU_HIGHLIGHT_COLUMN = {90, 130, 28, 100};
constexpr ScreenRect END_SCREEN_LOWER_HALF = {0, 150, WINDOW_WIDTH, 150};

// The button row: ten buttons of 30 x 30 along the bottom of the Panel.
constexpr int32_t BUTTON_SIZE = 30;
constexpr int32_t BUTTON_ROW_Y = 70;
constexpr int32_t BUTTONS_PER_ROW = 10;
struct ClickRect {
    int32_t left, right, top, bottom; // inclusive
};
// The inside of a button (0 to 19) on its row, its left edge and top row left out: where the
// tutorial asks for a click on it.
constexpr ClickRect insideButton(int32_t button)
{
    const int32_t left = BUTTON_SIZE * (button % BUTTONS_PER_ROW);
    return {left + 1, left + BUTTON_SIZE - 1, BUTTON_ROW_Y + 1, BUTTON_ROW_Y + BUTTON_SIZE - 1};
}
// A click is on the buttons strictly inside their band, rows 71 to 99.
inline bool inButtonBand(int32_t y) { return y > BUTTON_ROW_Y && y < BUTTON_ROW_Y + BUTTON_SIZE; }
// The button under x on the shown row; the time button and the row switch are told apart first.
inline int32_t buttonAt(int32_t x, int32_t row) { return x / BUTTON_SIZE + BUTTONS_PER_ROW * row; }
// Left of this the click is the time button; from NEXT_ROW_LEFT on it is the row switch.
constexpr int32_t TIME_BUTTON_RIGHT = 30;
constexpr int32_t NEXT_ROW_LEFT = 271;
// While time runs, a click in the band pauses; only from here on does it press a tool.
constexpr int32_t RUNNING_TOOL_LEFT = 31;

// A tool waiting for its Table click only takes clicks from this row down.
constexpr int32_t TABLE_CLICK_TOP = 126;
// The pointer aims while it is strictly inside the Table.
inline bool onTable(int32_t x, int32_t y)
{
    return x > 0 && x < WINDOW_WIDTH && y > TABLE_TOP && y < WINDOW_HEIGHT;
}
// A tool is put down only this far inside the border: x 40 to 260, y 140 to 260.
struct PlacementArea {
    int32_t left, right, top, bottom; // inclusive
};
constexpr PlacementArea PLACEMENT_AREA = {40, 260, 140, 260};

// The start and options menus share five rows of 17 pixels, strictly inside x 90 to 200 and
// y 135 to 225 (the last pixel row below 225 still belongs to row 5, which does nothing).
constexpr int32_t MENU_LEFT = 90, MENU_RIGHT = 200;
constexpr int32_t MENU_TOP = 135, MENU_BOTTOM = 225;
constexpr int32_t MENU_ROW_HEIGHT = 17;
constexpr int32_t MENU_ROWS = 5;
// The menu row under (x, y), or -1 outside the menus' rows.
inline int32_t menuRowAt(int32_t x, int32_t y)
{
    if (x > MENU_LEFT && x < MENU_RIGHT && y > MENU_TOP && y < MENU_BOTTOM)
        return (y - MENU_TOP) / MENU_ROW_HEIGHT;
    return -1;
}
// The highlight of row k: a shadow at (101, 138 + 17k) and a ball at (95, 135 + 17k).
constexpr int32_t HIGHLIGHT_SHADOW_X = 101, HIGHLIGHT_SHADOW_Y = 138;
constexpr int32_t HIGHLIGHT_BALL_X = 95, HIGHLIGHT_BALL_Y = 135;

// The options screen: the panel with the option names, the speed value and each switch's off
// mark (messages, sound, music), which covers the panel's own "on".
constexpr int32_t OPTIONS_PANEL_X = 115, OPTIONS_PANEL_Y = 125;
constexpr int32_t OPTIONS_PANEL_WIDTH = 110, OPTIONS_PANEL_HEIGHT = 100;
constexpr int32_t SPEED_VALUE_X = 157, SPEED_VALUE_Y = 136;
constexpr int32_t SPEED_VALUE_WIDTH = 25, SPEED_VALUE_HEIGHT = 16;
struct ScreenPoint {
    int32_t x, y;
};
constexpr ScreenPoint OFF_MARK_MESSAGES = {161, 153};
constexpr ScreenPoint OFF_MARK_SOUND = {185, 170};
constexpr ScreenPoint OFF_MARK_MUSIC = {173, 187};
constexpr int32_t OFF_MARK_WIDTH = 32, OFF_MARK_HEIGHT = 16;
