// The start, options and end screens: full-window backgrounds whose artwork carries the entry
// labels, with the decorative ball, the highlight and the current option values on top.
#pragma once
#include <cstdint>

void drawStartScreen();
void drawOptionsScreen();
void drawEndScreen();
