// The files the game loads at start-up, by path relative to the working directory, in load order.
// The art and sound generators write exactly these files; the game finds them by nothing else.
#pragma once
#include "rules/platform.h" // the in-game tracks and their lengths
#include <cstdint>

struct ImageFile {
    const char* path;
    uint8_t keyRed, keyGreen, keyBlue; // the colour blits leave transparent
    int32_t width, height;
};

constexpr int32_t IMAGE_COUNT = 16;
constexpr int32_t MUSIC_COUNT = 7;
constexpr int32_t EFFECT_COUNT = 4;

// clang-format off
constexpr ImageFile IMAGE_FILES[IMAGE_COUNT] = {
    {"Images/shade.bmp",           0, 0,   0,  16,  16},
    {"Images/field.bmp",           0, 0, 255, 300, 200},
    {"Images/holes.bmp",           0, 0, 255, 300, 200},
    {"Images/border.bmp",          0, 0, 255, 300, 200},
    {"Images/panel.bmp",           0, 0, 255, 300,  40},
    {"Images/messageBack.bmp",     0, 0, 255, 300,  60},
    {"Images/font10pt.bmp",        0, 0,   0, 660,  10},
    {"Images/buttons.bmp",         0, 0, 255, 300, 180},
    {"Images/numbers.bmp",         0, 0, 255,  70,   8},
    {"Images/balls.bmp",           0, 0, 255, 140,  14},
    {"Images/arrows.bmp",          0, 0, 255, 173, 235},
    {"Images/startBackgr.bmp",     0, 0, 255, 300, 300},
    {"Images/options.bmp",         0, 0, 255, 110, 100},
    {"Images/stOptionsValues.bmp", 0, 0, 255, 182,  16},
    {"Images/endBackgr.bmp",       0, 0, 255, 300, 300},
    {"Images/victoryH1.bmp",       0, 0, 255, 300, 200},
};

// In-game tracks 0 to 3, the menu loop, then the end tunes for player 1 (and every one-player
// game) and for player 2.
constexpr const char* MUSIC_FILES[MUSIC_COUNT] = {
    "Music/Orvane10.ogg", "Music/Tesk_joke.ogg", "Music/M0104.ogg", "Music/M0108.ogg",
    "Music/Orvane01.ogg", "Music/M0110.ogg",     "Music/M0116.ogg",
};

constexpr const char* EFFECT_FILES[EFFECT_COUNT] = {
    "Sfx/collision.wav", "Sfx/bounce.wav", "Sfx/clock.wav", "Sfx/select.wav",
};
// clang-format on
