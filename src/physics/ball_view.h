// What the screen shows of each ball: where it is drawn and the arrow of its motion. Kept in the
// Ball records beside the physics, and refreshed wherever balls move or change speed.
#pragma once
#include <cstdint>

// The ball sheet: square cells side by side, the white one first.
constexpr int32_t BALL_CELL_SIZE = 14;
constexpr int32_t SELECTED_BALL_CELL = 0;

// The ball cell 1 (cyan, value 0) to 9 (pink, over 30) for a value.
int32_t ballCell(int32_t value);

// A position truncated toward zero to a whole pixel. Far outside the window it saturates, so a
// ball that has rolled off for ever still has a drawing position.
int32_t pixelOf(double position);
// The direction sector 0 to 15 of a velocity (0 left, 4 up, 8 right, 12 down), -1 at rest.
int32_t headingSectorOf(double vx, double vy);
// The speed class 0 to 9 of a velocity: how many of the class thresholds it reaches.
int32_t speedClassOf(double vx, double vy);
// The drawing position of every ball on the table, from its centre.
void updateBallScreenPositions();
// The motion arrow of every ball, from its present velocity.
void updateBallArrows();
