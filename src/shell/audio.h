// Every call into the mixer goes through here. The handles are loaded once at start-up; a
// missing one simply plays nothing. When cue recording is on (the scripted driver), each call is
// also noted, with its arguments exactly as the game passed them.
#pragma once
#include "rules/platform.h"
#include <cstdint>

// The game has the audio device; when it hasn't, every call below still records its cue.
extern uint8_t audioOpen;

// Opens the mixer, noting in the log whether it could; without it the game plays silent.
void openAudio();
// The music and the effects, at their volumes.
void loadSounds();
// Fades everything out and frees it: the last thing before the process ends.
void releaseAudio();
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
