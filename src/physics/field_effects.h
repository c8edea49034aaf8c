// What a tool put down on the Table does to the balls: once at placement, and for the Fan,
// the Reflect blocks and the Magnet in every tick until the turn ends.
#pragma once
#include <cstdint>

void applyToolEffect(int32_t slot);
