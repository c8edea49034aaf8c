#include "rules/platform.h"

namespace {

void noVolume(int32_t, int32_t) {}
void noEffect(int32_t, int32_t, int32_t) {}
void noHalt(int32_t) {}
void noMusic(int32_t, int32_t) {}
void noMusicHalt() {}

} // namespace

uint8_t fullRedraw = 0;
PlatformCalls platform = {noVolume, noEffect, noHalt, noMusic, noMusicHalt};

int32_t mixerVolume(double loudness)
{
    if (loudness > LOUDEST) return LOUDEST;
    return loudness >= 0 ? static_cast<int32_t>(loudness) : 0;
}
