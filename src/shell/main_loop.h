// Start-up, the endless main loop with its fixed tick, and the single way out.
#pragma once
#include <SDL/SDL.h>
#include <cstdint>
#include <cstdio>

// How a program runs the game: as the player plays it, on the real clock and recorded when
// KESTROLA_RECORD asks for it; or scripted, on the virtual clock from 0 and with the dummy video
// and audio drivers unless others are asked for by name (the driver, the tests, the benchmarks).
enum StartKind : int32_t { PlayerGame, ScriptedGame };

// The one start-up of every program: opens the log, the media library, audio and
// window, loads the assets, draws the first frame and starts the menu music. Returns false only
// when the log cannot be created; every other failure exits. It runs once: a second call does
// nothing.
bool startUp(int32_t kind);
// One pass of the main loop: delay, events, clock, at most one tick, and at most one frame.
void runPass();
// The pass without its delay, for a loop whose timer already waits between passes (the browser).
void passAfterDelay();
// A pass of a watched game, given the recording's events for it instead of the window's. Returns
// false, with the rest of the pass not run, at an event that would leave the game: the watch
// ends just before it.
bool watchedPass(const SDL_Event* events, int32_t count);
[[noreturn]] void shutDown();
// Fills the rules' calls to the platform with this program's mixer.
void connectPlatform();
// When set (by the benchmark), called the moment the first frame has been pushed.
extern void (*afterFirstFrame)();
