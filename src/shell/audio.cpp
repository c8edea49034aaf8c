#include "shell/audio.h"
#include "render/asset_files.h"
#include "rules/progress_log.h"
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <cstdio>
#include <cstring>

uint8_t audioOpen = 0;
uint8_t recordCues = 0;
void (*cueRecorder)(const AudioCue& cue) = nullptr;

namespace {

// CD-quality stereo in 16-bit samples, in blocks of 2048.
constexpr int32_t MIXER_RATE = 44100;
constexpr uint16_t MIXER_FORMAT = AUDIO_S16LSB;
constexpr int32_t MIXER_CHANNELS = 2;
constexpr int32_t MIXER_BLOCK = 2048;
constexpr int32_t CLOCK_VOLUME = 30;
constexpr int32_t MUSIC_VOLUME = 20;
constexpr int32_t RELEASE_FADE_MS = 1000;

Mix_Music* music[MUSIC_COUNT] = {};
Mix_Chunk* effects[EFFECT_COUNT] = {};
// The volume each effect was last given; the library default until then.
int32_t effectVolume[EFFECT_COUNT] = {LOUDEST, LOUDEST, LOUDEST, LOUDEST};

void record(int32_t kind, int32_t effectOrTrack, int32_t channel, int32_t loops, int32_t volume)
{
    if (recordCues && cueRecorder) cueRecorder({kind, effectOrTrack, channel, loops, volume});
}

bool validEffect(int32_t effect) { return effect >= 0 && effect < EFFECT_COUNT; }
bool validTrack(int32_t track) { return track >= 0 && track < MUSIC_COUNT; }

} // namespace

void openAudio()
{
    if (Mix_OpenAudio(MIXER_RATE, MIXER_FORMAT, MIXER_CHANNELS, MIXER_BLOCK) < 0) {
        std::fprintf(progressLog, "Warning: Couldn't set 44100 Hz 16-bit audio\nReason: %s\n",
                     SDL_GetError());
        return;
    }
    audioOpen = 1;
    std::fprintf(progressLog, "audio mixer successfully initialized\n");
}

void loadSounds()
{
    for (int32_t track = 0; track < MUSIC_COUNT; ++track) loadMusic(track, MUSIC_FILES[track]);
    for (int32_t effect = 0; effect < EFFECT_COUNT; ++effect)
        loadEffect(effect, EFFECT_FILES[effect]);
    setEffectVolume(EffectClock, CLOCK_VOLUME);
    setMusicVolume(MUSIC_VOLUME);
}

void releaseAudio()
{
    fadeOutChannel(-1, RELEASE_FADE_MS);
    fadeOutMusic(RELEASE_FADE_MS);
    freeAudio();
}

void loadMusic(int32_t track, const char* path)
{
    if (audioOpen && validTrack(track)) music[track] = Mix_LoadMUS(path);
}

void loadEffect(int32_t effect, const char* path)
{
    if (!audioOpen || !validEffect(effect)) return;
    SDL_RWops* stream = SDL_RWFromFile(path, "rb");
    if (stream) effects[effect] = Mix_LoadWAV_RW(stream, 1);
}

void setEffectVolume(int32_t effect, int32_t volume)
{
    if (!validEffect(effect)) return;
    effectVolume[effect] = volume;
    if (effects[effect]) Mix_VolumeChunk(effects[effect], volume);
}

void setMusicVolume(int32_t volume)
{
    if (audioOpen) Mix_VolumeMusic(volume);
}

void playEffect(int32_t effect, int32_t channel, int32_t loops)
{
    if (!validEffect(effect)) return;
    record(CuePlayEffect, effect, channel, loops, effectVolume[effect]);
    if (effects[effect]) Mix_PlayChannelTimed(channel, effects[effect], loops, -1);
}

void haltChannel(int32_t channel)
{
    record(CueHaltChannel, -1, channel, 0, 0);
    if (audioOpen) Mix_HaltChannel(channel);
}

void fadeOutChannel(int32_t channel, int32_t ms)
{
    record(CueFadeOutChannel, -1, channel, 0, ms);
    if (audioOpen) Mix_FadeOutChannel(channel, ms);
}

void playMusic(int32_t track, int32_t loops)
{
    if (!validTrack(track)) return;
    record(CuePlayMusic, track, 0, loops, 0);
    if (music[track]) Mix_PlayMusic(music[track], loops);
}

void haltMusic()
{
    record(CueHaltMusic, -1, 0, 0, 0);
    if (audioOpen) Mix_HaltMusic();
}

void fadeOutMusic(int32_t ms)
{
    record(CueFadeOutMusic, -1, 0, 0, ms);
    if (audioOpen) Mix_FadeOutMusic(ms);
}

void freeAudio()
{
    for (Mix_Music*& track : music) {
        if (track) Mix_FreeMusic(track);
        track = nullptr;
    }
    constexpr int32_t freeOrder[EFFECT_COUNT] = {EffectCollision, EffectClock, EffectSelect,
                                                 EffectBounce};
    for (int32_t effect : freeOrder) {
        if (effects[effect]) Mix_FreeChunk(effects[effect]);
        effects[effect] = nullptr;
    }
}

const char* effectName(int32_t effect)
{
    constexpr const char* names[EFFECT_COUNT] = {"collision", "bounce", "clock", "select"};
    return validEffect(effect) ? names[effect] : "";
}

const char* musicFileName(int32_t track)
{
    if (!validTrack(track)) return "";
    const char* path = MUSIC_FILES[track];
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}
