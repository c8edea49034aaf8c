// A recording of the game as it is played: asked for with KESTROLA_RECORD=FILE, every event the
// input dispatch acts on and every clock reading that a tick or an event depends on are written
// to FILE as a script of the scripted driver, line by line as the game runs. Played by the
// driver, the script gives the same game again, bit for bit.
#pragma once
#include <SDL/SDL.h>
#include <cstdint>

// The first two lines of every recording: what it is, and the game's version, since only the
// version that made a recording is sure to replay it exactly.
constexpr const char* RECORDING_FIRST_LINE =
    "# Kestrola, a recorded game: play it with kestrola-replay";
constexpr const char* RECORDING_VERSION_LINE = "# version ";
extern const char* const GAME_VERSION;
// The third line names the players the computer plays: "# computer: none", or as in
// "# computer: seats 2, levels 3, seed 1" (the forms of its three settings).
constexpr const char* RECORDING_COMPUTER_LINE = "# computer: ";

// Opens the file KESTROLA_RECORD names, if any, and writes the first two lines; nothing is
// recorded otherwise.
void openGameRecording();
// The recording begun anew, as at start-up, for a game that starts again from the start menu
// (a watched recording from its start): its first lines, with the computer's line given.
void restartGameRecording(const char* computerLine);
// A comment line for whoever replays the recording, written at once.
void noteInRecording(const char* text);
// An event handled in this pass.
void recordEvent(const SDL_Event& event);
// The end of a pass: the clock as it read it, when the tick was due, and whether one ran.
void recordPass(uint32_t reading, int32_t tickDue, bool ticked);
// The way out: whatever the pass in progress handled is written, and the file closed.
void closeGameRecording();
