// Ogg Vorbis encoding of a rendered piece.
#pragma once
#include <cstdint>
#include <vector>

constexpr int32_t SAMPLE_RATE = 44100;

// Stereo audio as two planes of floats in -1..1.
struct StereoBuffer {
    std::vector<float> left, right;
};

// The desktop's tunes, and the browser's: smaller, since the page downloads them.
constexpr float DESKTOP_QUALITY = 0.4f;
constexpr float BROWSER_QUALITY = 0.2f;

// Writes `audio` as 44100 Hz stereo Ogg Vorbis at `quality` (libvorbis' scale, -0.1 to 1).
// `serial` names the logical stream; fixing it keeps the file the same from build to build.
// Returns false on failure.
bool writeOgg(const char* path, const StereoBuffer& audio, int32_t serial, float quality);
