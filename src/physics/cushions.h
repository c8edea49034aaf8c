// The four cushions and the four corner pockets, scoring, and where a ball may be put down.
#pragma once
#include <cstdint>

// Reflects ball i off a cushion it has crossed, or drops it into a corner pocket.
void railAndPocketCheck(int32_t i);
// Whether a ball may be put down with its centre at (px, py), ignoring ball except (or -1).
bool isFreeSpot(double px, double py, int32_t except);
