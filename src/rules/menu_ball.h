// The single ball that rolls across the start and options screens and bounces across the end
// screen. Only the main loop's tick and the end screen's click move it.
#pragma once
#include <cstdint>

constexpr double MENU_BALL_GRAVITY = 0.2;

// One tick on the start and options screens: rolls left, falls once past the middle.
void rollMenuBall();
// One tick on the end screen: bounces to the right along the floor.
void bounceMenuBall();
// Back to the right edge of the menu at its starting speed (the end screen's click).
void resetMenuBall();
