// The music of Kestrola is written here as scores: a tempo, a band of General MIDI players and
// a list of sections, each giving every player one phrase in the small notation below.
//
// Pitched phrases, tokens separated by spaces:
//   c4 d#4 bb3      a note (c4 is middle C, MIDI key 60); '#' sharp, 'b' flat
//   c4+e4+g4        notes struck together
//   Fmaj7 Bb7 C#m7b5  a chord symbol (upper-case root), voiced close around the player's
//                   chordCentre; qualities: see CHORD_QUALITIES in notation.cpp
//   r               a rest
//   :4 :8. :8t      a duration after any of the above: 1 whole, 2 half, 4 quarter, 8 eighth,
//                   16 sixteenth, 32; '.' dotted, 't' triplet. It carries on to the next tokens.
//   >               before a note: accented;  ' after it: staccato;  ~ after it: tied into the
//                   next note if that has the same pitches
//   !pp !p !mp !mf !f !ff   dynamics, until the next mark
//   |               bar line: checked to fall on a bar boundary, so a miscounted bar is caught
//   [ ... ]3        the enclosed tokens three times
// Drum phrases (channel 9) are rows separated by ';', one instrument each, on a sixteenth grid:
//   "kick x...x...; hat :8 oxoxoxox; crash once X"
//   'x' hit, 'X' accent, 'o' soft, '.' nothing; spaces and '|' only help the eye. ":8" makes
//   the steps eighths. A row repeats until the section ends, unless marked "once".
// A phrase shorter than its section repeats to fill it; a longer one is an error.
#pragma once
#include <cstdint>
#include <span>

constexpr int32_t MAX_VOICES = 8;
constexpr int32_t DRUM_CHANNEL = 9;

// One player, on its own MIDI channel.
struct Voice {
    const char* name;
    int32_t channel;     // 0-15; DRUM_CHANNEL plays a drum kit
    int32_t program;     // General MIDI program 0-127; on the drum channel the kit (0, 32, 40, 48)
    int32_t volume;      // controller 7
    int32_t pan;         // controller 10, 64 is the centre
    int32_t reverb;      // controller 91
    int32_t velocity;    // an unaccented note at !mf
    double gate;         // the part of each written length that sounds
    int32_t chordCentre; // MIDI key around which chord symbols are voiced
};

struct Section {
    const char* name;
    int32_t bars;
    const char* phrases[MAX_VOICES]; // in the order of the piece's voices; nullptr rests
    // The tempo at the first and the last beat of the section, as a part of the piece's tempo;
    // in between it changes smoothly (a ritardando below 1).
    double tempoStart = 1.0;
    double tempoEnd = 1.0;
};

struct Piece {
    int32_t musicIndex; // into MUSIC_FILES
    const char* character;
    double bpm;
    int32_t beatsPerBar;
    // Where the second eighth of each beat falls: 0.5 straight, 2/3 a full triplet swing.
    double swing;
    std::span<const Voice> voices;
    std::span<const Section> sections;
    const char* form; // section names in playing order
    // A looping piece lasts exactly its bars, with the ringing tail laid over its start so the
    // wrap is seamless; any other piece rings out and ends in silence.
    bool loops;
    double tailSeconds;
    double minSeconds, maxSeconds; // the length the game needs; anything else is a score error
};

// The in-game tracks 0 to 3, the menu loop and the two end tunes, in MUSIC_FILES order.
extern const Piece PIECE_LOUNGE;
extern const Piece PIECE_JOKE;
extern const Piece PIECE_BOSSA;
extern const Piece PIECE_WALTZ;
extern const Piece PIECE_MENU;
extern const Piece PIECE_FANFARE_ONE;
extern const Piece PIECE_FANFARE_TWO;
