// Watching a recorded game in the game itself: the recording's events handed to the game at their
// moments, on a clock of the watch's own that runs at the chosen speed, with the person's keys as
// the watch's controls; and the hand-over that lets the person play on from where it stands, the
// recording going on from the watched one.
#pragma once
#include <cstdint>

// The watch's keys: the game takes none of them while a recording is watched.
constexpr char WATCH_PAUSE_KEY = 'p';     // pause or go on
constexpr char WATCH_RESTART_KEY = 'b';   // back to the start
constexpr char WATCH_NEXT_TURN_KEY = 'n'; // on to the next turn (or page, or screen)
constexpr char WATCH_PLAY_ON_KEY = 'h';   // play from here
// The digits 1, 2, 4 and 8 choose the speed.

// The recording at path, checked: "" when it can be watched, else why not. What is being
// watched is left as it is.
const char* recordingProblem(const char* path);
// The recording KESTROLA_WATCH names, read and checked before anything starts: "" when none is
// asked for or it can be watched, else why not.
const char* readRecordingFromSettings();
// Once the game has started, watching that recording from the game's start, if one was asked
// for; with KESTROLA_PLAY_ON, the game is handed to the person as soon as the recording ends.
void startWatchingFromSettings();
// Play from here: the person takes the game over as it stands, the recording going on.
void playOn();
// True while a recording is watched and the person has not taken the game over.
bool watchingRecording();
// One pass of the loop while watching: the person's keys, then the recording's passes that the
// watch's clock has come to.
void watchPass();

// Once the person plays on in a two-player match, the window's title says whose turn it is:
// called every pass of the game.
void noteWhoseTurn();

// Where the watch stands, as the page shows it beside the game.
struct WatchState {
    uint8_t watching; // a recording is being watched (0 once handed over)
    uint8_t paused;
    uint8_t ended; // the recording has run out
    int32_t speed; // 1, 2, 4 or 8
};
WatchState watchState();
