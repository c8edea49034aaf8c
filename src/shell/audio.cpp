#include "shell/audio.h"
#include "render/asset_files.h"
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <cstring>

uint8_t audioOpen = 0;
uint8_t recordCues = 0;
void (*cueRecorder)(const AudioCue& cue) = nullptr;

namespace {

Mix_Music* music[MUSIC_COUNT] = {};
Mix_Chunk* effects[EFFECT_COUNT] = {};
// The volume each effect was last given; the library default until then.
int32_t effectVolume[EFFECT_COUNT] = {MIX_MAX_VOLUME, MIX_MAX_VOLUME, MIX_MAX_VOLUME,
                                      MIX_MAX_VOLUME};

void record(int32_t kind, int32_t effectOrTrack, int32_t channel, int32_t loops, int32_t volume)
{
    if (recordCues && cueRecorder) cueRecorder({kind, effectOrTrack, channel, loops, volume});
}

bool validEffect(int32_t effect) { return effect >= 0 && effect < EFFECT_COUNT; }
bool validTrack(int32_t track) { return track >= 0 && track < MUSIC_COUNT; }

} // namespace

int32_t mixerVolume(double loudness)
{
    if (loudness > MIX_MAX_VOLUME) return MIX_MAX_VOLUME;
    return loudness >= 0 ? static_cast<int32_t>(loudness) : 0;
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
