// Where on the table the computer aims: the four pockets' mouths, the click that sends a ball
// into one, a free spot beside a pocket, and a spot touching a ball. It reads the game only.
#pragma once
#include "physics/ball.h"
#include <cstdint>

// Points just inside each corner pocket's mouth (0 top left, 1 top right, 2 bottom left, 3
// bottom right), and a spot beside each that is often free.
inline constexpr double POCKET_X[4] = {27, 273, 27, 273};
inline constexpr double POCKET_Y[4] = {127, 127, 273, 273};
inline constexpr int32_t BESIDE_X[4] = {46, 254, 46, 254};
inline constexpr int32_t BESIDE_Y[4] = {146, 146, 254, 254};
// The corners of the cushion lines.
inline constexpr double CORNER_X[4] = {LEFT_CUSHION, RIGHT_CUSHION, LEFT_CUSHION, RIGHT_CUSHION};
inline constexpr double CORNER_Y[4] = {TOP_CUSHION, TOP_CUSHION, BOTTOM_CUSHION, BOTTOM_CUSHION};
// Towards pocket p from the table's middle, along each axis.
inline double sideX(int32_t p) { return p % 2 == 0 ? -1 : 1; }
inline double sideY(int32_t p) { return p < 2 ? -1 : 1; }

// v rounded to a whole pixel and held to low to high.
int32_t clampTo(double v, int32_t low, int32_t high);
bool inPlacementArea(int32_t x, int32_t y);
// The aim click that turns the ball's motion, with the stroke's addition, straight at pocket p;
// false when no click inside the window does.
bool aimAtPocket(const Ball& ball, int32_t p, int32_t& x, int32_t& y);
// The pockets by distance from the ball, nearest first.
void pocketsByDistance(const Ball& ball, int32_t order[4]);
// A free spot near pocket p where ball b may be set down.
bool spotBesidePocket(int32_t b, int32_t p, int32_t& x, int32_t& y);
// A spot on whole pixels where ball b, set down, touches ball r.
bool touchingSpot(int32_t r, int32_t b, int32_t& x, int32_t& y);
// The ball on the table nearest pocket p, other than `except`; -1 when none.
int32_t nearestTo(int32_t p, int32_t except);
