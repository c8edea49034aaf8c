// A seeded random player for long sessions: clicks anywhere, motion, every key, waits, stalls
// and ticks, with now and then a straight choice from a menu so that matches of both kinds, the
// options and the tutorial all get played. It drives the game exactly as the scripted driver
// does, pass for pass, so every action can be written out as a line of a driver script that
// replays the session bit for bit.
#pragma once
#include <cstddef>
#include <cstdint>

enum SessionActionKind : int32_t {
    ActClick,
    ActMotion,
    ActKey,
    ActKeyDown,
    ActKeyUp,
    ActQuit,
    ActWait,
    ActStall,
    ActTicks,
    ActSettle,
};

struct SessionAction {
    int32_t kind;
    int32_t x, y;   // the mouse, for clicks and motion
    int32_t button; // 1 left, 2 middle, 3 right; for motion 1 means the left one is held
    int32_t key;    // the key code, for key actions
    int32_t count;  // milliseconds or ticks
};

struct SessionRandom {
    uint64_t state;
};

// Sets the dummy drivers (unless set), the virtual clock at 0, and runs the game's start-up, as
// the driver does. Returns false when start-up could not create the log.
bool startSession();

// The next action for the game as it stands. With quitting off, no action leaves the game.
SessionAction nextAction(SessionRandom& random, bool quitting);

// Runs the action through the game's real event dispatch and main loop; afterTick, when given,
// runs after every pass that ran a tick. A settle stops at limit ticks; the ticks it actually ran
// are written back into count, so that the line for it is a plain "ticks".
void perform(SessionAction& action, void (*afterTick)());

// The driver script line for an action, with its newline; returns its length.
int32_t formatAction(const SessionAction& action, char* line, size_t size);
