// The 10-pixel proportional font the Panel and the screens write with.
#pragma once
#include "render/glyph_widths.h"
#include <cstdint>

// x position of each glyph in the font image, filled once at start-up.
extern int32_t glyphOffset[GLYPH_COUNT];

void buildGlyphOffsets();
// y is the row just below the text: the glyphs cover rows y - 10 to y - 1.
void drawText(const char* text, int32_t x, int32_t y);
