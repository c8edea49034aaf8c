// The four sound effects, synthesised from sines and noise.
#pragma once

// Writes every file of EFFECT_FILES under outDir as 16-bit mono 44100 Hz WAV. Prints one line
// per effect; returns false (after saying why) on failure.
bool writeEffects(const char* outDir);
