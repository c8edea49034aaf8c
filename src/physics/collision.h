// Two balls that touch: the higher one is pushed out, the velocities along the line of centres
// are exchanged, both gain value, and the click sounds as loud as the impact.
#pragma once
#include <cstdint>

// True when balls i and j are 15 or less apart, after moving ball j out to exactly 15.
bool overlapAndSeparate(int32_t i, int32_t j);
// The response for a pair that has just been found touching; i is the lower index.
void collidePair(int32_t i, int32_t j);
