// The generated music and effects: real sound, of the lengths and levels the game counts on,
// starting when the event does and looping where the game loops them.
#include "render/asset_files.h"
#include "shell/audio.h"
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <tuple>
#include <vector>

namespace {

struct SoundFile {
    double seconds = 0;
    int channels = 0;
    int rate = 0;
    std::vector<double> samples; // interleaved
};

SoundFile readSound(const char* path)
{
    SoundFile sound;
    SF_INFO info = {};
    SNDFILE* file = sf_open(path, SFM_READ, &info);
    if (!file) return sound;
    sound.seconds = static_cast<double>(info.frames) / info.samplerate;
    sound.channels = info.channels;
    sound.rate = info.samplerate;
    sound.samples.resize(static_cast<size_t>(info.frames) * info.channels);
    // libsndfile reads whole frames only: counting in samples would read half a stereo file.
    const sf_count_t read = sf_readf_double(file, sound.samples.data(), info.frames);
    sound.samples.resize(static_cast<size_t>(read) * info.channels);
    sf_close(file);
    return sound;
}

double peakOf(const SoundFile& s)
{
    double peak = 0;
    for (double x : s.samples) peak = std::max(peak, std::fabs(x));
    return peak;
}

double rmsOf(const SoundFile& s)
{
    double sum = 0;
    for (double x : s.samples) sum += x * x;
    return s.samples.empty() ? 0 : std::sqrt(sum / s.samples.size());
}

double decibels(double level) { return 20.0 * std::log10(std::max(level, 1e-9)); }

// Seconds from the file's start to the first sample a tenth as loud as its peak.
double onsetSeconds(const SoundFile& s)
{
    const double threshold = 0.1 * peakOf(s);
    for (size_t i = 0; i < s.samples.size(); ++i)
        if (std::fabs(s.samples[i]) >= threshold)
            return static_cast<double>(i / s.channels) / s.rate;
    return s.seconds;
}

// The largest step, over the channels, from the file's last frame back to its first: what a
// loop plays at its seam.
double seamStep(const SoundFile& s)
{
    double step = 0;
    const size_t last = s.samples.size() - s.channels;
    for (int c = 0; c < s.channels; ++c)
        step = std::max(step, std::fabs(s.samples[last + c] - s.samples[c]));
    return step;
}

// Each tune's shortest and longest length in seconds: an in-game track runs at least as long as
// the rotation plays it, the menu loop long enough not to tire, the end tunes a few seconds.
TEST(Sounds, EveryTuneHasItsLengthAndIsLoudWithoutClippingAndAsLoudAsTheOthers)
{
    std::vector<double> levels;
    for (int32_t music = 0; music < MUSIC_COUNT; ++music) {
        const SoundFile s = readSound(MUSIC_FILES[music]);
        ASSERT_FALSE(s.samples.empty()) << MUSIC_FILES[music];
        const bool inGame = music < 4, menu = music == MusicMenu;
        const double shortest = inGame ? trackLengthMs[music] / 1000.0 : menu ? 20.0 : 4.0;
        const double longest = inGame ? shortest + 5.0 : menu ? 90.0 : 10.0;
        EXPECT_TRUE(s.seconds >= shortest && s.seconds <= longest) << MUSIC_FILES[music];
        EXPECT_EQ(std::tuple(s.rate, s.channels), std::tuple(44100, 2)) << MUSIC_FILES[music];
        const double peak = decibels(peakOf(s));
        EXPECT_TRUE(peak > -12.0 && peak < -1.0) << MUSIC_FILES[music] << ": peak " << peak;
        levels.push_back(decibels(rmsOf(s)));
    }
    const auto [quietest, loudest] = std::minmax_element(levels.begin(), levels.end());
    EXPECT_LE(*loudest - *quietest, 3.0);
    EXPECT_GT(*quietest, -30.0);
}

TEST(Sounds, EffectsAreShortAudibleAndStartWithTheirEvent)
{
    const double longest[EFFECT_COUNT] = {0.2, 0.3, 2.0, 0.2}; // collision, bounce, clock, select
    for (int32_t effect = 0; effect < EFFECT_COUNT; ++effect) {
        const SoundFile s = readSound(EFFECT_FILES[effect]);
        ASSERT_FALSE(s.samples.empty()) << EFFECT_FILES[effect];
        EXPECT_TRUE(s.seconds > 0.01 && s.seconds <= longest[effect]) << EFFECT_FILES[effect];
        EXPECT_TRUE(peakOf(s) > 0.3 && decibels(peakOf(s)) < -0.1) << EFFECT_FILES[effect];
        EXPECT_EQ(s.rate, 44100) << EFFECT_FILES[effect];
        EXPECT_LE(onsetSeconds(s), 0.002) << EFFECT_FILES[effect];
    }
}

TEST(Sounds, TheMenuLoopAndTheClockJoinTheirEndsToTheirStartsWithoutAClick)
{
    const SoundFile menu = readSound(MUSIC_FILES[MusicMenu]);
    ASSERT_FALSE(menu.samples.empty());
    EXPECT_LT(seamStep(menu), 0.05);
    SoundFile clock = readSound(EFFECT_FILES[EffectClock]);
    ASSERT_GT(clock.samples.size(), 882u);
    EXPECT_LT(seamStep(clock), 0.01);
    // Its last 10 ms are near silence, so the next tick starts from quiet as the first did.
    clock.samples.erase(clock.samples.begin(), clock.samples.end() - 441 * clock.channels);
    EXPECT_LT(decibels(rmsOf(clock)), -50.0);
}

} // namespace
