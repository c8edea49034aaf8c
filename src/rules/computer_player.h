// The computer player: it plays the seats it is given through the same input a person uses (a
// button, a ball, an aim, a place on the table, space). It thinks ahead on copies of the game
// with the real tick, a slice at a time between passes, and puts the game back as it found it.
// Its choices depend only on the game, its level and its seed: never on the clock of the machine.
#pragma once
#include <cstdint>

// What the shell sends for it, as a person's mouse and keyboard would.
enum ComputerInputKind : int32_t {
    InputNone,
    InputMotion,
    InputLeftClick,
    InputRightClick, // puts a tool back
    InputSpace
};
struct ComputerInput {
    int32_t kind; // a ComputerInputKind
    int32_t x, y; // the window pixel of a motion or a click
};

// Who it plays, set once at start-up: KESTROLA_COMPUTER (1, 2 or 1,2), KESTROLA_COMPUTER_LEVEL
// (1 to 3, or one a seat such as 3,1; default 2) and KESTROLA_COMPUTER_SEED (default 1).
struct ComputerSeats {
    uint8_t plays[2]; // the computer plays player 1, player 2
    int32_t level[2]; // 1 to 3, for each seat
    uint32_t seed;    // how it samples its candidates
};
extern ComputerSeats computerSeats;

// Reads the three settings from their texts (any may be null or empty). False, with the seats
// left to the people, when a text is not one of the forms above.
bool chooseComputerSeats(const char* seats, const char* levels, const char* seed);
// The same reading into chosen, leaving the computer's own seats and thinking as they are.
bool readComputerSeats(const char* seats, const char* levels, const char* seed,
                       ComputerSeats& chosen);

// Drops the plan being carried out and any thinking under way.
void forgetComputerPlan();

// True while it is the computer's move: a match on the table, its seat to play.
bool computerHasTheGame();

// Once a pass while computerHasTheGame(), with the clock as the pass read it: thinks for at most
// tickBudget simulated ticks, and returns its next input once it is due (a kind of InputNone
// otherwise). Inputs come at least COMPUTER_STEP_MS apart, so that a person can follow them.
constexpr uint32_t COMPUTER_STEP_MS = 500;
// The simulated ticks it may think in one pass of the main loop: at about 1.5 us a tick, a pass
// stays well under 20 ms while it thinks.
constexpr int32_t COMPUTER_TICKS_A_PASS = 4000;
ComputerInput computerPass(uint32_t now, int32_t tickBudget);
