// What the game's rules ask of the platform they run on: a sound, the music, a redraw. The
// platform fills `platform` at start-up; until then every call does nothing, so the rules run
// on their own, without a window or a mixer.
#pragma once
#include <cstdint>

enum Effect : int32_t { EffectCollision, EffectBounce, EffectClock, EffectSelect };

// Music in load order: in-game tracks 0 to 3, then these.
enum MusicTrack : int32_t { MusicMenu = 4, MusicEndPlayer1 = 5, MusicEndPlayer2 = 6 };
constexpr int32_t IN_GAME_TRACKS = 4;
// How long each in-game track runs before the rotation picks the next one, in milliseconds.
constexpr int32_t trackLengthMs[IN_GAME_TRACKS] = {46000, 80000, 59000, 62000};

// Mixer channel 1 carries only the looping clock while time runs.
constexpr int32_t CLOCK_CHANNEL = 1;
constexpr int32_t FIRST_FREE_CHANNEL = -1;
constexpr int32_t LOOP_FOREVER = -1;
constexpr int32_t LOUDEST = 128;
// An impact quieter than this is not played at all.
constexpr int32_t QUIETEST_AUDIBLE = 2;

// A loudness on the mixer's scale, truncated and held to 0 to LOUDEST.
int32_t mixerVolume(double loudness);

struct PlatformCalls {
    void (*setEffectVolume)(int32_t effect, int32_t volume);
    void (*playEffect)(int32_t effect, int32_t channel, int32_t loops);
    void (*haltChannel)(int32_t channel);
    void (*playMusic)(int32_t track, int32_t loops);
    void (*haltMusic)();
};
extern PlatformCalls platform;

// The mark of a change outside the current mode's update rectangles (a message, a button, a
// score, a mode change): the next frame pushes the whole window, and clears it. Only drawing
// depends on it, so it is not part of the game.
extern uint8_t fullRedraw;
