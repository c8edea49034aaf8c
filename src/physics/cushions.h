// The four cushions and the four corner pockets, and scoring.
#pragma once
#include <cstdint>

// Reflects ball i off a cushion it has crossed, or drops it into a corner pocket.
void railAndPocketCheck(int32_t i);
