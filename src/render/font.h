// The 10-pixel proportional font and the two-line message strip of the Panel.
#pragma once
#include "render/glyph_widths.h"
#include <cstdint>

constexpr int32_t MESSAGE_LINE_SIZE = 100; // 99 characters and the terminating NUL

// x position of each glyph in the font image, filled once at start-up.
extern int32_t glyphOffset[GLYPH_COUNT];

struct MessageLogRecord {
    char upper[MESSAGE_LINE_SIZE]; // the older line
    char lower[MESSAGE_LINE_SIZE]; // the newest line
};
extern MessageLogRecord MessageLog;

void buildGlyphOffsets();
// y is the row just below the text: the glyphs cover rows y - 10 to y - 1.
void drawText(const char* text, int32_t x, int32_t y);
// Moves the lower line up and stores text as the new lower line, cut to 99 characters.
void pushMessage(const char* text);

// Called with every line as it was stored, when set (the scripted driver lists them).
extern void (*messageRecorder)(const char* line);
