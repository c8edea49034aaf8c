// A recording of the game as it is played: asked for with KESTROLA_RECORD=FILE, every event the
// input dispatch acts on and every clock reading that a tick or an event depends on are written
// to FILE as a script of the scripted driver, line by line as the game runs. Played by the
// driver, the script gives the same game again, bit for bit.
#pragma once
#include <SDL/SDL.h>
#include <cstdint>

// Opens the file KESTROLA_RECORD names, if any; nothing is recorded otherwise.
void openGameRecording();
// A comment line for whoever replays the recording, written at once.
void noteInRecording(const char* text);
// An event about to be handled in this pass.
void recordEvent(const SDL_Event& event);
// The end of a pass: the clock as it read it, when the tick was due, and whether one ran.
void recordPass(uint32_t reading, int32_t tickDue, bool ticked);
// The way out: whatever the pass in progress handled is written, and the file closed.
void closeGameRecording();
