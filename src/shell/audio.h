// Every call into the mixer goes through here. The handles are loaded once at start-up; a
// missing one simply plays nothing. When cue recording is on (the scripted driver), each call is
// also noted, with its arguments exactly as the game passed them.
#pragma once
#include <cstdint>

enum Effect : int32_t { EffectCollision, EffectBounce, EffectClock, EffectSelect };

// Music handles in load order: in-game tracks 0 to 3, then these.
enum MusicTrack : int32_t { MusicMenu = 4, MusicEndPlayer1 = 5, MusicEndPlayer2 = 6 };

// Mixer channel 1 carries only the looping clock while time runs.
constexpr int32_t CLOCK_CHANNEL = 1;
constexpr int32_t FIRST_FREE_CHANNEL = -1;
constexpr int32_t LOOP_FOREVER = -1;

// The game has the audio device; when it hasn't, every call below still records its cue.
extern uint8_t audioOpen;

// A loudness on the mixer's scale, truncated and held to 0 to 128.
int32_t mixerVolume(double loudness);

void loadMusic(int32_t track, const char* path);
void loadEffect(int32_t effect, const char* path);
void setEffectVolume(int32_t effect, int32_t volume);
void setMusicVolume(int32_t volume);
void playEffect(int32_t effect, int32_t channel, int32_t loops);
void haltChannel(int32_t channel);
void fadeOutChannel(int32_t channel, int32_t ms);
void playMusic(int32_t track, int32_t loops);
void haltMusic();
void fadeOutMusic(int32_t ms);
// Frees the music (in-game tracks, menu, end tunes) and then the effects collision, clock,
// select and bounce.
void freeAudio();

enum CueKind : int32_t {
    CuePlayEffect,
    CueHaltChannel,
    CueFadeOutChannel,
    CuePlayMusic,
    CueHaltMusic,
    CueFadeOutMusic
};
struct AudioCue {
    int32_t kind;
    int32_t effectOrTrack;
    int32_t channel;
    int32_t loops;
    int32_t volume; // an effect's volume when it was played; a fade's milliseconds
};
extern uint8_t recordCues;
// Called with every cue when recording is on.
extern void (*cueRecorder)(const AudioCue& cue);

const char* effectName(int32_t effect);
const char* musicFileName(int32_t track); // "Orvane01.ogg"
