// The computer at a player's place: its settings read at start-up, a person's input held back
// while it has the game, and its moves turned into the window events a person's mouse and
// keyboard would send, recorded and handled like theirs.
#pragma once
#include "rules/computer_player.h"
#include <SDL/SDL.h>
#include <cstdint>

// KESTROLA_COMPUTER, KESTROLA_COMPUTER_LEVEL and KESTROLA_COMPUTER_SEED: a bad value is reported
// on standard error and in the log, and the game is played by people alone.
void chooseComputerFromSettings();
// The recording's line naming the computer's seats (always written, "none" included).
void noteComputerSeats();
// The seats as a recording's computer line names them: "none", or e.g. "seats 2, levels 3, seed 1".
void describeComputerSeats(char (&line)[64]);
// Reads such a line into seats; false when it is neither form. The computer's own seats and
// thinking are left as they are.
bool computerSeatsInLine(const char* line, ComputerSeats& seats);
// True for an event of a person's that is dropped because the computer has the game: every
// click, motion and key but escape and F10. The window's close always goes through.
bool heldBackForComputer(const SDL_Event& event);
// The computer's events for this pass, as a person's mouse and keyboard would send them: none,
// a motion, a left press and its release, or space pressed and released. Returns how many.
int32_t computerEvents(uint32_t now, SDL_Event (&events)[2]);
