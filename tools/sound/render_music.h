// Playing the scores through FluidSynth, offline, and writing them as Ogg files.
#pragma once
#include "score.h"
#include <span>

// Renders every piece with the General MIDI soundfont and writes it to outDir/MUSIC_FILES[i] at
// the Vorbis `quality`. Prints one line per piece; returns false (after saying why) on any
// failure.
bool renderMusic(std::span<const Piece* const> pieces, const char* outDir, float quality);
