// The generated music and effects: real sound, of the lengths and levels the game counts on.
#include "render/asset_files.h"
#include <gtest/gtest.h>
#include <sndfile.h>
#include <algorithm>
#include <cmath>

namespace {

struct SoundFile {
    double seconds;
    int channels;
    int rate;
    double peak;
};

SoundFile readSound(const char* path)
{
    SF_INFO info = {};
    SNDFILE* file = sf_open(path, SFM_READ, &info);
    if (!file) return {0, 0, 0, 0};
    // libsndfile reads whole frames only: a single-sample read of a stereo file reads nothing.
    double peak = 0;
    double frame[8] = {};
    if (info.channels > 0 && info.channels <= 8)
        while (sf_readf_double(file, frame, 1) == 1)
            for (int c = 0; c < info.channels; ++c) peak = std::max(peak, std::fabs(frame[c]));
    sf_close(file);
    return {static_cast<double>(info.frames) / info.samplerate, info.channels, info.samplerate,
            peak};
}

TEST(Sounds, InGameTracksLastAtLeastTheirRotationLength)
{
    for (int32_t track = 0; track < 4; ++track) {
        const SoundFile s = readSound(MUSIC_FILES[track]);
        EXPECT_GE(s.seconds * 1000.0, trackLengthMs[track]) << MUSIC_FILES[track];
        EXPECT_LE(s.seconds * 1000.0, trackLengthMs[track] + 5000.0) << MUSIC_FILES[track];
        EXPECT_EQ(s.rate, 44100) << MUSIC_FILES[track];
        EXPECT_EQ(s.channels, 2) << MUSIC_FILES[track];
        EXPECT_GT(s.peak, 0.5) << MUSIC_FILES[track];
    }
}

TEST(Sounds, TheMenuLoopAndTheEndTunesHaveTheirLengths)
{
    const SoundFile menu = readSound("Music/Orvane01.ogg");
    EXPECT_GE(menu.seconds, 20.0);
    EXPECT_LE(menu.seconds, 90.0);
    for (const char* tune : {"Music/M0110.ogg", "Music/M0116.ogg"}) {
        const SoundFile s = readSound(tune);
        EXPECT_GE(s.seconds, 3.0) << tune;
        EXPECT_LE(s.seconds, 15.0) << tune;
        EXPECT_GT(s.peak, 0.5) << tune;
    }
}

TEST(Sounds, EffectsAreShortAndAudible)
{
    const double longest[EFFECT_COUNT] = {0.2, 0.3, 2.0, 0.2}; // collision, bounce, clock, select
    for (int32_t effect = 0; effect < EFFECT_COUNT; ++effect) {
        const SoundFile s = readSound(EFFECT_FILES[effect]);
        EXPECT_GT(s.seconds, 0.01) << EFFECT_FILES[effect];
        EXPECT_LE(s.seconds, longest[effect]) << EFFECT_FILES[effect];
        EXPECT_GT(s.peak, 0.3) << EFFECT_FILES[effect];
        EXPECT_EQ(s.rate, 44100) << EFFECT_FILES[effect];
    }
}

} // namespace
