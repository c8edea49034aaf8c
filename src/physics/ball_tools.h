// What the tools aimed at one ball do to it: the Cue's stroke, the Stop, the Teleport and the
// Jump. Choosing the ball and the aim is the click handling's part; this is the effect.
#pragma once
#include <cstdint>

struct Ball;

// How far (x, y) lies from the ball's centre: what a click on a ball and a put-down spot measure.
double distanceTo(const Ball& ball, double x, double y);

// The Cue: the ball's velocity grows by a tenth of the way from it to (x, y); value -1.
void strikeBall(int32_t b, double x, double y);
// The Stop: the ball comes to rest where it is.
void stopBall(int32_t b);
// The Teleport: the ball is put down at rest at (x, y), value -5. False, and nothing moves,
// when the spot is off the cloth or too near another ball.
bool teleportBall(int32_t b, double x, double y);
// Where a Jump would land for an aim at (x, y): along the ball's motion, as far as the aim is
// from the ball. False for a ball at rest, which has no direction.
bool jumpTarget(int32_t b, double x, double y, double& targetX, double& targetY);
// The Jump: the ball lands at its jump target, keeping its motion. False, and nothing moves,
// when it has none or the spot is not free.
bool jumpBall(int32_t b, double x, double y);
// Whether a ball may be put down with its centre at (px, py), ignoring ball except (or -1).
bool isFreeSpot(double px, double py, int32_t except);
