// The game's one source of chance: the music's order, the menu ball's speeds, the Chaos and the
// tutorial's scattering all draw from it. It is the portable generator that the C standard gives
// as its example, our own copy, so every platform draws the same sequence; it starts at 1 and is
// never seeded, so every run does too.
#pragma once
#include <cstdint>

constexpr int32_t RANDOM_MAX = 32767;

// The next value, 0 to RANDOM_MAX.
int32_t gameRandom();
