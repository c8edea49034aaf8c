// What the physics tells the rules, at the very moment it happens: the rules define these and
// act on them there, so that play keeps its exact order. The physics knows balls, not turns.
#pragma once
#include <cstdint>

// Ball b has crossed into a corner pocket; it is still where it crossed, with its speed.
void ballPocketed(int32_t b);
// A ball has just come to rest. During a tool's effect this is told once the effect has acted on
// every ball.
void ballCameToRest();
