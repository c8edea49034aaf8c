// A recording read back for watching: its lines as steps of the scripted driver's kind (events,
// waits and stalls), checked whole before anything is shown, so that a recording from another
// version of the game, or a damaged one, is refused with its reason instead of played wrongly.
#pragma once
#include "rules/computer_player.h"
#include <cstdint>

enum RecordingStepKind : uint8_t {
    StepClick,   // a button pressed and released at (x, y)
    StepMotion,  // the mouse moved to (x, y)
    StepKey,     // a key pressed and released
    StepKeyDown, // a key pressed
    StepKeyUp,   // a key released
    StepQuit,    // the window closed
    StepWait,    // count passes of the loop
    StepStall,   // the next pass's clock jumps count milliseconds more
};

struct RecordingStep {
    uint8_t kind;   // a RecordingStepKind
    uint8_t queued; // an event handled in the same pass as the next one
    uint8_t detail; // the button of a click, whether the left is held in a motion
    uint16_t key;   // the key of a key step
    int32_t x, y;   // the pixel of a mouse step; x is the count of a wait or a stall
};

// A script's pixels and counts, as the scripted driver and a watched recording read them: a
// decimal whole number from low to high and nothing else.
constexpr int64_t MOST_PIXEL = 65535;
constexpr int64_t MOST_COUNT = 1000000000;
bool wholeNumberIn(const char* word, int64_t low, int64_t high, int64_t& value);

// The recorder writes at most this many events in one pass.
constexpr int32_t MOST_QUEUED_EVENTS = 256;
// Longer recordings are refused: a game of ten turns played with a mouse holds a few thousand.
constexpr int32_t MOST_RECORDING_STEPS = 200000;

struct WatchedRecording {
    int32_t stepCount;
    ComputerSeats computer; // the seats the computer played, played again after a hand-over
    char computerLine[64];  // its line, for the recording that goes on from the watched one
};
extern WatchedRecording watchedRecording;
extern RecordingStep recordingSteps[MOST_RECORDING_STEPS];

// Reads the recording at path, into the steps when store is set. Returns "" when it can be
// watched, otherwise the reason it cannot, for the player; stored steps are then left empty.
const char* readRecording(const char* path, bool store);
