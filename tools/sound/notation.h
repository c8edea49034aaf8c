// Reading the phrase notation of score.h into timed notes.
#pragma once
#include "score.h"
#include <cstdint>
#include <vector>

struct NoteEvent {
    double beat;   // from the start of the piece, before swing and tempo changes
    double length; // in beats, already shortened by the articulation
    int32_t channel;
    int32_t key;
    int32_t velocity;
};

// Appends the notes of `text`, played by `voice` from `startBeat`, repeated to fill
// `sectionBeats`. On a malformed or miscounted phrase prints where (`where` names the piece and
// section) and returns false.
bool readPhrase(const char* text, const Voice& voice, int32_t beatsPerBar, double startBeat,
                double sectionBeats, const char* where, std::vector<NoteEvent>& out);
