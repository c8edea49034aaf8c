// The two lines of the Panel's message strip: every message the game gives the player goes
// through pushMessage.
#pragma once
#include <cstdint>

constexpr int32_t MESSAGE_LINE_SIZE = 100; // 99 characters and the terminating NUL

struct MessageLogRecord {
    char upper[MESSAGE_LINE_SIZE]; // the older line
    char lower[MESSAGE_LINE_SIZE]; // the newest line
};

// Moves the lower line up and stores text as the new lower line, cut to 99 characters.
void pushMessage(const char* text);

// Called with every line as it was stored, when set (the scripted driver lists them).
extern void (*messageRecorder)(const char* line);
