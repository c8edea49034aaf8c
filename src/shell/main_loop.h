// Start-up, the endless main loop with its fixed tick, and the single way out.
#pragma once
#include <cstdint>
#include <cstdio>

// Opens the log, the media library, audio and window, loads the assets and starts the menu
// music. Returns false only when the log cannot be created; every other failure exits.
bool startUp();
// One pass of the main loop: delay, events, clock, and at most one tick.
void runPass();
// The pass without its delay, for a loop whose timer already waits between passes (the browser).
void passAfterDelay();
// One tick: simulation, music rotation, background motion, the frame.
void runTick();
[[noreturn]] void shutDown();
// Fills the rules' calls to the platform with the mixer and the frame of this program.
void connectPlatform();
// When set (by the benchmark), called the moment the first frame has been pushed.
extern void (*afterFirstFrame)();
