// The effects are made of damped partials and a little noise, as the objects themselves sound:
// ivory rings high and briefly, a rubber cushion swallows the ring and leaves a thump. The noise
// comes from a fixed-seed generator, so every build writes the same files.
#include "effects.h"

#include "ogg_writer.h"
#include "render/asset_files.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <sndfile.h>
#include <string>
#include <vector>

namespace {

constexpr double RATE = SAMPLE_RATE;

struct Partial {
    double hertz;
    double amplitude;
    double decayMs; // time to fall to 1/e
};

struct Noise {
    uint32_t state;
};

// White noise in -1..1.
double nextNoise(Noise& noise)
{
    noise.state = noise.state * 1664525u + 1013904223u;
    return static_cast<double>(noise.state >> 8) / 8388608.0 - 1.0;
}

// Adds damped sine partials starting at `at` (seconds). Each starts at phase zero and rises
// over `attackMs`, so a strike never begins with a jump.
void addPartials(std::vector<double>& out, double at, const Partial* partials, int32_t count,
                 double attackMs)
{
    size_t first = static_cast<size_t>(std::llround(at * RATE));
    for (size_t i = first; i < out.size(); ++i) {
        double t = static_cast<double>(i - first) / RATE;
        double rise = 1.0 - std::exp(-t * 1000.0 / attackMs);
        for (int32_t p = 0; p < count; ++p)
            out[i] += rise * partials[p].amplitude * std::exp(-t * 1000.0 / partials[p].decayMs) *
                      std::sin(2.0 * M_PI * partials[p].hertz * t);
    }
}

// Adds a burst of noise at `at`, decaying over `decayMs`; `brightness` 1 keeps it white, lower
// values pass it through a one-pole low-pass, a negative one takes its difference (high-pass).
void addBurst(std::vector<double>& out, double at, double amplitude, double decayMs,
              double brightness, uint32_t seed)
{
    Noise noise{seed};
    size_t first = static_cast<size_t>(std::llround(at * RATE));
    double low = 0.0, previous = 0.0;
    for (size_t i = first; i < out.size(); ++i) {
        double t = static_cast<double>(i - first) / RATE;
        double envelope = std::exp(-t * 1000.0 / decayMs);
        if (envelope < 1e-6) break;
        double white = nextNoise(noise);
        double shaped = white;
        if (brightness < 0.0) {
            shaped = 0.5 * (white - previous);
            previous = white;
        } else if (brightness < 1.0) {
            low += brightness * (white - low);
            shaped = low / std::sqrt(brightness);
        }
        double rise = 1.0 - std::exp(-t * 1000.0 / 0.08);
        out[i] += amplitude * rise * envelope * shaped;
    }
}

// Brings the last `fadeMs` down to exactly zero along half a cosine.
void fadeOut(std::vector<double>& out, double fadeMs)
{
    size_t fade = std::min(out.size(), static_cast<size_t>(fadeMs * RATE / 1000.0));
    for (size_t i = 0; i < fade; ++i)
        out[out.size() - 1 - i] *= 0.5 - 0.5 * std::cos(M_PI * static_cast<double>(i) / fade);
}

// Removes any offset, then scales the loudest sample to `peak`. The offset is taken out along a
// raised cosine over the whole sound, which leaves both ends at exact silence.
void normalise(std::vector<double>& out, double peak)
{
    double sum = 0.0, windowSum = 0.0;
    std::vector<double> window(out.size());
    for (size_t i = 0; i < out.size(); ++i) {
        window[i] = 0.5 - 0.5 * std::cos(2.0 * M_PI * static_cast<double>(i) / (out.size() - 1));
        sum += out[i];
        windowSum += window[i];
    }
    double loudest = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] -= sum / windowSum * window[i];
        loudest = std::max(loudest, std::fabs(out[i]));
    }
    for (double& s : out) s *= peak / loudest;
}

std::vector<double> collision()
{
    // Two ivory balls: a hard, bright click whose ring is gone within a few milliseconds.
    // clang-format off
    constexpr Partial PARTIALS[] = {
        {2230.0, 0.35, 7.0}, {3150.0, 1.00, 5.0}, {4720.0, 0.70, 3.5},
        {6340.0, 0.45, 2.5}, {8150.0, 0.30, 1.8},
    };
    // clang-format on
    std::vector<double> out(static_cast<size_t>(0.045 * RATE));
    addPartials(out, 0.0, PARTIALS, 5, 0.12);
    addBurst(out, 0.0, 0.9, 0.7, -1.0, 1u);
    fadeOut(out, 8.0);
    normalise(out, 0.97);
    return out;
}

std::vector<double> bounce()
{
    // The rubber cushion: a low body that sinks in pitch as the rubber gives, and a dull knock.
    std::vector<double> out(static_cast<size_t>(0.12 * RATE));
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / RATE;
        double hertz = 85.0 + 80.0 * std::exp(-t / 0.018);
        phase += 2.0 * M_PI * hertz / RATE;
        double rise = 1.0 - std::exp(-t / 0.0015);
        out[i] += rise * std::exp(-t / 0.032) * std::sin(phase);
        out[i] += 0.25 * rise * std::exp(-t / 0.010) * std::sin(2.3 * phase);
    }
    addBurst(out, 0.0, 0.45, 6.0, 0.12, 2u);
    fadeOut(out, 25.0);
    normalise(out, 0.97);
    return out;
}

std::vector<double> clock()
{
    // One second of clockwork, looped while time runs: the tick on the second and a lower
    // tock on the half. Both have died away long before the wrap, so the loop is seamless.
    // clang-format off
    constexpr Partial TICK[] = {{1650.0, 0.5, 6.0}, {2800.0, 1.0, 3.5}, {4150.0, 0.6, 2.5}};
    constexpr Partial TOCK[] = {{1200.0, 0.5, 7.0}, {2100.0, 0.9, 4.0}, {3050.0, 0.5, 3.0}};
    // clang-format on
    std::vector<double> out(static_cast<size_t>(RATE));
    std::vector<double> tick(static_cast<size_t>(0.06 * RATE));
    std::vector<double> tock(tick.size());
    addPartials(tick, 0.0, TICK, 3, 0.1);
    addBurst(tick, 0.0, 0.5, 0.5, -1.0, 3u);
    addPartials(tock, 0.0, TOCK, 3, 0.1);
    addBurst(tock, 0.0, 0.4, 0.6, 0.5, 4u);
    fadeOut(tick, 20.0);
    fadeOut(tock, 20.0);
    size_t half = out.size() / 2;
    for (size_t i = 0; i < tick.size(); ++i) {
        out[i] += tick[i];
        out[half + i] += 0.8 * tock[i];
    }
    // No mean removal here: the silence between the strokes must stay exactly zero.
    double loudest = 0.0;
    for (double s : out) loudest = std::max(loudest, std::fabs(s));
    for (double& s : out) s *= 0.89 / loudest;
    return out;
}

std::vector<double> select()
{
    // The interface blip: a clean, round G with a touch of its octave, gone in 60 ms. The game
    // plays it at full volume over quiet music, hence well below full scale.
    std::vector<double> out(static_cast<size_t>(0.06 * RATE));
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / RATE;
        double rise = t < 0.002 ? 0.5 - 0.5 * std::cos(M_PI * t / 0.002) : 1.0;
        double tone = std::sin(2.0 * M_PI * 1568.0 * t) + 0.15 * std::sin(2.0 * M_PI * 3136.0 * t);
        out[i] = rise * std::exp(-t / 0.018) * tone;
    }
    fadeOut(out, 20.0);
    normalise(out, 0.6);
    return out;
}

bool writeWav(const std::string& path, const std::vector<double>& samples)
{
    SF_INFO info = {};
    info.samplerate = SAMPLE_RATE;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "kestrola-sound: %s: %s\n", path.c_str(), sf_strerror(nullptr));
        return false;
    }
    // Rounded here rather than by the library, so the bytes depend on nothing but this code.
    std::vector<short> pcm(samples.size());
    for (size_t i = 0; i < samples.size(); ++i)
        pcm[i] = static_cast<short>(std::lround(std::clamp(samples[i], -1.0, 1.0) * 32767.0));
    bool ok = sf_write_short(file, pcm.data(), static_cast<sf_count_t>(pcm.size())) ==
              static_cast<sf_count_t>(pcm.size());
    ok = sf_close(file) == 0 && ok;
    if (!ok) std::fprintf(stderr, "kestrola-sound: could not write %s\n", path.c_str());
    return ok;
}

} // namespace

bool writeEffects(const char* outDir)
{
    // In EFFECT_FILES order: collision, bounce, clock, select.
    const std::vector<double> effects[EFFECT_COUNT] = {collision(), bounce(), clock(), select()};
    for (int32_t i = 0; i < EFFECT_COUNT; ++i) {
        if (!writeWav(std::string(outDir) + "/" + EFFECT_FILES[i], effects[i])) return false;
        double peak = 0.0;
        for (double s : effects[i]) peak = std::max(peak, std::fabs(s));
        std::printf("%-20s %7.3f s  peak %5.1f dBFS\n", EFFECT_FILES[i],
                    static_cast<double>(effects[i].size()) / RATE, 20.0 * std::log10(peak));
    }
    return true;
}
