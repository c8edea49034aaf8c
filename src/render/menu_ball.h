// The single ball that rolls across the start and options screens and bounces across the end
// screen. Only the main loop's tick and the end screen's click move it.
#pragma once
#include <cstdint>

extern double menuBallX;
extern double menuBallY;
extern double menuBallSpeed; // horizontal pixels per tick
extern double menuBallVy;    // vertical pixels per tick, positive is down
extern int32_t menuBallCell; // the cell of the ball sheet it is drawn with

constexpr double MENU_BALL_GRAVITY = 0.2;

// One tick on the start and options screens: rolls left, falls once past the middle.
void rollMenuBall();
// One tick on the end screen: bounces to the right along the floor.
void bounceMenuBall();
// Back to the right edge of the menu at its starting speed (the end screen's click).
void resetMenuBall();
