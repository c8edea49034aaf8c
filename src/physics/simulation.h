// The simulation tick: placed tools act, balls move, meet cushions, pockets and each other, and
// slow down. Speeds are pixels per tick; the tick is the physics' only clock.
#pragma once
#include <cstdint>

constexpr double MAX_BALL_SPEED = 3.0;

// One tick of a running match.
void gameTick();
// The tick of the tutorial pages with moving balls: friction only on page 158.
void tutorialTick();
void moveBall(int32_t i);

// Friction inside the damping region, the creeping stop, the speed cap, and the end of the turn
// when this ball was the last one moving.
void dampBall(int32_t i);
// True when every ball, on the table or not, is at rest; refreshes the arrows first.
bool allBallsStopped();
