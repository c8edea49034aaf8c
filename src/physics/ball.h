// The twenty balls and the table they roll on. The index is a ball's identity everywhere.
#pragma once
#include <cstdint>

constexpr int32_t BALL_COUNT = 20;

struct Ball {
    double x, y;   // centre, window pixels; a pocketed ball's place in the Panel strip
    double vx, vy; // pixels per tick
    int32_t value; // the points the ball carries in this turn
    uint8_t onTable;
    int32_t pocketedBy; // the player whose turn it was when it fell, -1 while on the table
    uint8_t noScore;    // set for a tick by a Fan or Magnet: contacts earn no value
    int32_t screenX, screenY;
    uint8_t selected;      // drawn white: the target of a ball tool or marked by the tutorial
    int32_t headingSector; // the row of its motion arrow, -1 at rest
    int32_t speedClass;    // the column of its motion arrow
};

// The cushion lines bound the ball centres.
constexpr double LEFT_CUSHION = 32;
constexpr double RIGHT_CUSHION = 268;
constexpr double TOP_CUSHION = 132;
constexpr double BOTTOM_CUSHION = 268;
constexpr double CONTACT_DISTANCE = 15;
