// Which picture of the ball sheet a ball is drawn with.
#pragma once
#include <cstdint>

constexpr int32_t BALL_CELL_SIZE = 14;
constexpr int32_t SELECTED_BALL_CELL = 0;

// The ball cell 1 (cyan, value 0) to 9 (pink, over 30) for a value.
int32_t ballCell(int32_t value);
