// The one number that selects what input does, what is drawn and what moves, and the user's
// settings for the run.
#pragma once
#include <cstdint>

// The modes in use; handlers test the ranges below rather than single values.
enum GameModeValue : int32_t {
    StartMenu = 0,
    Paused = 10,
    ToolSelected = 11,
    Aiming = 12,
    Running = 13,
    OptionsMenu = 30,
    EndScreen = 40,
    TutorialFirstPage = 100,
    TutorialLastPage = 171,
};

// What each range of GameMode is: below 10 the start menu, 10 to 29 a match, 30 to 39 the
// options menu, 40 to 49 the end screen, 100 and above the tutorial. 50 to 99 is nothing.
inline bool isStartMenuMode(int32_t mode) { return mode < 10; }
inline bool isMatchMode(int32_t mode) { return mode >= 10 && mode < 30; }
inline bool isOptionsMode(int32_t mode) { return mode >= 30 && mode < 40; }
inline bool isEndScreenMode(int32_t mode) { return mode >= 40 && mode < 50; }
inline bool isTutorialMode(int32_t mode) { return mode >= TutorialFirstPage; }

struct OptionsRecord {
    int32_t speed;        // ticks per second: 10, 20, ... 60
    int32_t tickInterval; // 1000 / speed, in whole milliseconds
    uint8_t sound;
    uint8_t music;
    uint8_t messages; // the optional hints are pushed
};
