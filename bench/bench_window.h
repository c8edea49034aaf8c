// The window and assets the measurements need: a dummy-driver window with every image loaded.
#pragma once
#include <cstdint>

bool openBenchWindow();

// A match in the middle of a turn: the twenty balls spread over the cloth, each moving (the same
// speeds every run), the given number of lasting tools placed, every arrow and screen position
// brought up to date, time running.
void scatteredMatch(int32_t toolsPlaced);
