#include "render/font.h"
#include "render/assets.h"
#include "render/surfaces.h"

int32_t glyphOffset[GLYPH_COUNT] = {};

void buildGlyphOffsets()
{
    glyphOffset[0] = 0;
    for (int32_t i = 1; i < GLYPH_COUNT; ++i)
        glyphOffset[i] = glyphOffset[i - 1] + glyphWidth[i - 1];
}

void drawText(const char* text, int32_t x, int32_t y)
{
    for (const char* c = text; *c; ++c) {
        const int32_t g = static_cast<unsigned char>(*c) - 32;
        // The game's texts hold only codes 32 to 127; anything else is left out.
        if (g < 0 || g >= GLYPH_COUNT) continue;
        blitToScreen(fontImage, x, y - FONT_HEIGHT, glyphOffset[g], 0, glyphWidth[g], FONT_HEIGHT);
        x += glyphWidth[g];
    }
}
