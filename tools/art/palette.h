// The colours every picture shares, so the table, the panel and the menus read as one game:
// deep green felt, dark walnut, brass trim, a navy panel and cream lettering.
#pragma once
#include "canvas.h"

constexpr Rgb FELT = {24, 104, 60};

constexpr Rgb WALNUT_DARK = {46, 25, 13};
constexpr Rgb WALNUT = {82, 47, 25};
constexpr Rgb WALNUT_LIGHT = {122, 74, 40};

constexpr Rgb BRASS_DARK = {120, 84, 30};
constexpr Rgb BRASS = {204, 160, 72};
constexpr Rgb BRASS_LIGHT = {252, 226, 150};

constexpr Rgb NAVY_DEEP = {10, 15, 30};
constexpr Rgb NAVY = {20, 30, 56};
constexpr Rgb NAVY_LIGHT = {44, 62, 104};

constexpr Rgb CREAM = {246, 238, 214};
constexpr Rgb INK = {8, 10, 16};
constexpr Rgb POCKET_BLACK = {6, 6, 8};

constexpr Rgb SIGNAL_GREEN = {110, 232, 120};
constexpr Rgb SIGNAL_RED = {255, 96, 84};

// What the options panel is filled with; its value sprites are painted on the very same colour
// so that they sit on it without a seam.
constexpr Rgb OPTIONS_FACE = {22, 34, 64};
// The plates behind the score digits, which the digit sprites fill completely.
constexpr Rgb SCORE_PLATE = {12, 14, 22};
