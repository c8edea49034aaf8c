// In-game tracks 2 and 3: a cool bossa in D minor, and a jazz waltz in E flat.
// Like the other in-game tracks they outlast their rotation length a little and loop cleanly.
#include "render/asset_files.h"
#include "score.h"

namespace {

// ---- Track 2: bossa, D minor, 120 bpm, 30 bars ------------------------------------------------

// clang-format off
constexpr Voice BOSSA_VOICES[] = {
    // name       channel program        vol pan rev  vel  gate  chords
    {"guitar",   0,  24 /* nylon guitar */,  104, 44, 45,  80, 0.80, 60},
    {"bass",     1,  32 /* acoustic bass */, 112, 62, 25,  90, 0.80,  0},
    {"flute",    2,  73 /* flute */,          98, 76, 60,  88, 0.95,  0},
    {"sax",      3,  66 /* tenor sax */,      96, 54, 55,  86, 0.95,  0},
    {"strings",  4,  49 /* slow strings */,   72, 64, 70,  66, 1.00, 62},
    {"drums", DRUM_CHANNEL, 0 /* standard */, 85, 64, 30,  76, 1.00,  0},
};

// The guitar's two-bar bossa figure, struck on 1, 2-and, 4 and then 2, 3-and.
constexpr const char* BOSSA_GUITAR_A =
    "Dm9:4. Dm9 Dm9:4 | r:4 Dm9:4. Dm9 | Gm9:4. Gm9 Gm9:4 | r:4 Gm9:4. Gm9 |"
    "Em7b5:4. Em7b5 Em7b5:4 | r:4 A7b9:4. A7b9 | Dm9:4. Dm9 Dm9:4 | r:4 A7b9:4. A7b9";
constexpr const char* BOSSA_BASS_A =
    "d2:4. a2:8 a2:2 | d2:4. a2:8 a2:2 | g2:4. d2:8 d2:2 | g2:4. d2:8 d2:2 |"
    "e2:4. bb2:8 bb2:2 | a2:4. e2:8 e2:2 | d2:4. a2:8 a2:2 | a2:4. e2:8 e2:2";

constexpr const char* BOSSA_GROOVE =
    "rim x.....x.....x...|....x.....x.....; shaker XoxoXoxoXoxoXoxo; kick x.....x.x.....x.;"
    "hat :8 o.o.o.o.";

const Section BOSSA_SECTIONS[] = {
    {"intro", 4, {
        /* guitar  */ "Dm9:4. Dm9 Dm9:4 | r:4 Gm9:4. Gm9 | Em7b5:4. Em7b5 Em7b5:4 | r:4 A7b9:4. A7b9",
        /* bass    */ "d2:4. a2:8 a2:2 | g2:4. d2:8 d2:2 | e2:4. bb2:8 bb2:2 | a2:4. e2:8 e2:2",
        /* flute   */ "r:1 | r:1 | r:1 | r:2. e5:8 d5:8",
        /* sax     */ nullptr,
        /* strings */ nullptr,
        /* drums   */ "rim x.....x.....x...|....x.....x.....; shaker XoxoXoxoXoxoXoxo;"
                      "kick x.....x.x.....x."}},
    {"theme", 8, {
        BOSSA_GUITAR_A, BOSSA_BASS_A,
        "a4:4. e5:8 f5:4 e5:4 | d5:2. r:4 | bb4:4. f5:8 a5:4 g5:4 | d5:2. r:8 d5:8 |"
        "e5:4. g5:8 bb5:4 a5:4 | g5:4 f5:8 e5:8 c#5:2 | d5:4. e5:8 f5:4 a5:4 | g5:4 bb5:4 a5:4 r:4",
        nullptr, nullptr, BOSSA_GROOVE}},
    {"bridge", 8, {
        // Into the relative major for a while, the strings opening up underneath.
        "Bbmaj7:4. Bbmaj7 Bbmaj7:4 | r:4 Bbmaj7:4. Bbmaj7 | Am7:4. Am7 Am7:4 | r:4 D7:4. D7 |"
        "Gm7:4. Gm7 Gm7:4 | r:4 C9:4. C9 | Fmaj7:4. Fmaj7 Fmaj7:4 | r:4 Em7b5:4. A7b9",
        "bb1:4. f2:8 f2:2 | bb1:4. f2:8 f2:2 | a1:4. e2:8 e2:2 | d2:4. a2:8 a2:2 |"
        "g1:4. d2:8 d2:2 | c2:4. g2:8 g2:2 | f2:4. c2:8 c2:2 | e2:4. bb1:8 a1:2",
        "d5:4 f5:4 a5:2~ | a5:2 g5:4 f5:4 | e5:4. g5:8 c6:2 | a5:4 f#5:4 c6:4 a5:4 |"
        "bb5:4. a5:8 g5:4 f5:4 | e5:2 g5:4 bb5:4 | a5:4. g5:8 f5:4 e5:4 | d5:4 bb4:4 c#5:4 e5:4",
        nullptr,
        "Bbmaj7:1 | Bbmaj7:1 | Am7:1 | D7:1 | Gm7:1 | C7:1 | Fmaj7:1 | Em7b5:2 A7:2",
        "rim x.....x.....x...|....x.....x.....; shaker XoxoXoxoXoxoXoxo; kick x.....x.x.....x.;"
        "ride :8 x.x.x.x."}},
    {"variation", 8, {
        // The tenor sax takes the tune an octave down, the flute answers between its phrases.
        BOSSA_GUITAR_A, BOSSA_BASS_A,
        "r:1 | f5:1 | r:1 | d5:1 | r:1 | c#5:1 | r:1 | e5:2 r:2",
        "a3:4. e4:8 f4:4 e4:4 | d4:4. c4:8 d4:4 f4:4 | bb3:4. f4:8 a4:4 g4:4 |"
        "d4:4 bb3:8 c4:8 d4:4 f4:4 | e4:4. g4:8 bb4:4 a4:4 | g4:4 f4:8 e4:8 c#4:2 |"
        "d4:4. e4:8 f4:4 a4:4 | g4:8 a4 bb4 a4 g4:4 e4:4",
        "!p Dm9:1 | Dm9:1 | Gm9:1 | Gm9:1 | Em7b5:1 | A7b9:1 | Dm9:1 | A7b9:1",
        "rim x.....x.....x...|....x.....x.....; shaker XoxoXoxoXoxoXoxo; kick x.....x.x.....x.;"
        "hat :8 o.o.o.o.; crash once x"}},
    {"tag", 2, {
        "Dm9:4. Dm9 Dm9:4 | r:4 A7b9:4. A7b9",
        "d2:4. a2:8 a2:2 | a2:4. e2:8 e2:2",
        "r:2 a5:4 f5:4 | e5:2 r:2",
        nullptr, nullptr, BOSSA_GROOVE}},
};
// clang-format on

// ---- Track 3: jazz waltz, E flat major, 3/4 at 136 bpm, 48 bars -------------------------------

// clang-format off
constexpr Voice WALTZ_VOICES[] = {
    // name       channel program         vol pan rev  vel  gate  chords
    {"clarinet", 0,  71 /* clarinet */,      100, 54, 55,  86, 0.95,  0},
    {"comping",  1,   0 /* grand piano */,    88, 78, 45,  68, 0.80, 63},
    {"solo",     2,   0 /* grand piano */,   100, 70, 45,  84, 0.90,  0},
    {"bass",     3,  32 /* acoustic bass */, 112, 60, 25,  90, 0.85,  0},
    {"celesta",  4,   8 /* celesta */,        92, 40, 65,  82, 0.90,  0},
    {"drums", DRUM_CHANNEL, 32 /* jazz kit */, 85, 64, 35,  74, 1.00,  0},
};

// The piano leaves the downbeat to the bass and answers on two and three.
constexpr const char* WALTZ_COMP_A =
    "r:4 Ebmaj7:4' Ebmaj7:4' | r:4 Eb6:4' Eb6:4' | r:4 Cm7:4' Cm7:4' | r:4 Cm9:4' Cm9:4' |"
    "r:4 Fm7:4' Fm7:4' | r:4 Bb7:4' Bb7:4' | r:4 Ebmaj7:4' Ebmaj7:4' | r:4 Bb13:4' Bb13:4' |"
    "r:4 Abmaj7:4' Abmaj7:4' | r:4 Db9:4' Db9:4' | r:4 Gm7:4' Gm7:4' | r:4 C7:4' C7b9:4' |"
    "r:4 Fm7:4' Fm7:4' | r:4 Bb7:4' Bb7:4' | r:4 Ebmaj7:4' Ebmaj7:4' | r:4 Bb7:4' Bb7:4'";
constexpr const char* WALTZ_BASS_A =
    "eb2:2 bb2:4 | eb2:2 g2:4 | c2:2 g2:4 | c2:2 bb1:4 | f2:2 c2:4 | bb1:2 f2:4 |"
    "eb2:2 bb2:4 | bb1:2 d2:4 | ab1:2 eb2:4 | db2:2 ab1:4 | g1:2 d2:4 | c2:2 e2:4 |"
    "f2:2 c2:4 | bb1:2 f2:4 | eb2:2 bb1:4 | bb1:2 d2:4";
constexpr const char* WALTZ_COMP_TURN =
    "r:4 Ebmaj7:4' Ebmaj7:4' | r:4 Cm7:4' Cm7:4' | r:4 Fm7:4' Fm7:4' | r:4 Bb7:4' Bb7:4'";
constexpr const char* WALTZ_BASS_TURN = "eb2:2 bb2:4 | c2:2 g2:4 | f2:2 c2:4 | bb1:2 f2:4";

constexpr const char* WALTZ_RIDE = "ride x...x.x.x...; pedal ....x...x...; kick o...........";

const Section WALTZ_SECTIONS[] = {
    {"intro", 4, {
        /* clarinet */ nullptr,
        /* comping  */ WALTZ_COMP_TURN,
        /* solo     */ nullptr,
        /* bass     */ WALTZ_BASS_TURN,
        /* celesta  */ "bb5:4 g5 eb5 | d5:2. | c5:4 eb5 ab5 | g5:4 f5 d5",
        /* drums    */ WALTZ_RIDE}},
    {"theme", 16, {
        "bb4:2 g4:4 | d5:2. | c5:4 eb5:4 g5:4 | bb4:2. | ab4:4 c5:4 f5:4 | d5:4. c5:8 ab4:4 |"
        "g4:2. | f4:4 g4:4 ab4:4 | c5:2 eb5:4 | f5:4. eb5:8 cb5:4 | bb4:2. | e5:4 g5:4 bb5:4 |"
        "ab5:4. g5:8 f5:4 | d5:4 f5:4 ab5:4 | g5:2. | f5:4 d5:4 bb4:4",
        WALTZ_COMP_A, nullptr, WALTZ_BASS_A, nullptr, WALTZ_RIDE}},
    {"bridge", 8, {
        "eb5:4 g5:4 c6:4 | bb5:2 ab5:4 | g5:4. f5:8 d5:4 | e5:2 g5:4 |"
        "f5:4 ab5:4 c6:4 | eb6:2 c6:4 | bb5:4 ab5:4 eb5:4 | d5:2 r:4",
        "Abmaj7:4 r:4 Abmaj7:4' | r:4 Abmaj9:4' Abmaj9:4' | Gm7:4 r:4 Gm7:4' | r:4 C7:4' C7b9:4' |"
        "Fm7:4 r:4 Fm7:4' | r:4 Fm9:4' Fm9:4' | Bb7sus4:4 r:4 Bb7sus4:4' | r:4 Bb7:4' Bb7b9:4'",
        nullptr,
        // Walking in three through the bridge.
        "ab1:4 c2 eb2 | ab2 g2 eb2 | g1 bb1 d2 | c2 e2 g2 | f2 ab2 c3 | f2 eb2 c2 |"
        "bb1 eb2 f2 | bb1 d2 f2",
        "r:2. | c6:4 eb6 g6 | r:2. | bb5:4 e6 g6 | r:2. | ab5:4 c6 f6 | r:2. | f5:4 ab5 d6",
        "ride X...x.x.x...; pedal ....x...x...; kick o.......o...; snare ........o..."}},
    {"variation", 16, {
        // The piano takes a chorus of its own; the clarinet holds the guide tones underneath.
        "!p g4:2. | d4:2. | eb4:2. | bb3:2. | eb4:2. | d4:2. | d4:2. | ab4:2. |"
        "g4:2. | f4:2. | f4:2. | e4:2. | eb4:2. | d4:2. | d4:2. | ab4:2.",
        WALTZ_COMP_A,
        "bb4:8 c5 d5 eb5 g5:4 | f5:8 d5 bb4:2 | c5:8 d5 eb5 g5 bb5:4 | a5:8 g5 eb5:2 |"
        "ab4:8 bb4 c5 eb5 f5:4 | ab5:8 f5 d5 bb4 c5:4 | bb4:2 g4:8 bb4:8 | d5:4 c5:8 bb4 ab4:4 |"
        "c5:8 eb5 g5 bb5 c6:4 | cb6:8 ab5 f5 db5 eb5:4 | d5:8 f5 bb5:2 | bb5:8 g5 e5 c5 d5:4 |"
        "eb5:8 f5 ab5 c6 eb6:4 | d6:8 c6 ab5 f5 d5:4 | eb5:2. | r:4 bb4:8 c5 d5 f5",
        WALTZ_BASS_A, nullptr,
        "ride x...x.x.x...; pedal ....x...x...; kick o...........;"
        "snare ..........o.|........o..o"}},
    {"tag", 4, {
        "bb4:4 g4 eb4 | g4:2. | ab4:4 c5 f5 | d5:2 r:4",
        WALTZ_COMP_TURN, nullptr, WALTZ_BASS_TURN,
        "r:2. | r:2 bb5:4 | r:2. | r:2 d6:4",
        WALTZ_RIDE}},
};
// clang-format on

} // namespace

// clang-format off
const Piece PIECE_BOSSA = {
    2, "cool bossa, D minor, 120 bpm, nylon guitar, flute, tenor sax", 120.0, 4, 0.5, BOSSA_VOICES,
    BOSSA_SECTIONS, "intro theme bridge variation tag", true, 4.0,
    trackLengthMs[2] / 1000.0 + 0.5, trackLengthMs[2] / 1000.0 + 2.0,
};
// clang-format on

// clang-format off
const Piece PIECE_WALTZ = {
    3, "jazz waltz, E flat major, 3/4 at 136 bpm, clarinet and piano", 136.0, 3, 0.6,
    WALTZ_VOICES, WALTZ_SECTIONS, "intro theme bridge variation tag", true, 4.0,
    trackLengthMs[3] / 1000.0 + 0.5, trackLengthMs[3] / 1000.0 + 2.0,
};
// clang-format on
