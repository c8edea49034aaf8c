// Where things lie on the table pictures (field, holes, border), in their own coordinates:
// window y minus 100. Balls have radius 7 and their centres stay within x 32..268, y 32..168,
// so the cloth between the cushions is x 25..274, y 25..174.
#pragma once
#include "canvas.h"

constexpr int32_t PLAY_LEFT = 25, PLAY_TOP = 25, PLAY_RIGHT = 275, PLAY_BOTTOM = 175;
constexpr int32_t RAIL_DEPTH = 19; // wood from the image edge to the back of the cushion
constexpr double POCKET_RADIUS = 12.0;
constexpr double POCKET_CENTRES[4][2] = {{24, 24}, {276, 24}, {24, 176}, {276, 176}};
constexpr Rgb POCKET_RIM = {28, 20, 14};
