// The simulation tick: placed tools act, balls move, meet cushions, pockets and each other, and
// slow down. Speeds are pixels per tick; the tick is the physics' only clock.
#pragma once
#include <cstdint>

constexpr double MAX_BALL_SPEED = 3.0;

// One tick of a running match.
void gameTick();
// The placed tools act and every ball takes its step, slowing down when withFriction is set;
// the drawing positions are left to the caller.
void tickBalls(bool withFriction);
void moveBall(int32_t i);

// Friction inside the damping region, the creeping stop and the speed cap; a ball that stops
// here is reported.
void dampBall(int32_t i);
// True when every ball, on the table or not, is at rest; refreshes the arrows first.
bool allBallsStopped();
