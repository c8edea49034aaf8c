// In-game tracks 0 and 1: a relaxed lounge swing in F, and a bouncy joke in C.
// The game plays an in-game track looping and cuts to the next one after trackLengthMs, so each
// lasts its rotation length and a little more, and its last bar leads back to its first.
#include "render/asset_files.h"
#include "score.h"

namespace {

// ---- Track 0: lounge swing, F major, 122 bpm, 24 bars -----------------------------------------

// clang-format off
constexpr Voice LOUNGE_VOICES[] = {
    // name       channel program   vol pan rev  vel  gate  chords
    {"bass",     0,  32 /* acoustic bass */,    112, 60, 30,  92, 0.85,  0},
    {"piano",    1,   4 /* electric piano */,    86, 80, 50,  70, 0.70, 64},
    {"vibes",    2,  11 /* vibraphone */,       100, 46, 60,  88, 0.90,  0},
    {"trumpet",  3,  59 /* muted trumpet */,     92, 88, 55,  88, 0.92,  0},
    {"drums", DRUM_CHANNEL, 40 /* brush kit */,  92, 64, 35,  80, 1.00,  0},
};

constexpr const char* LOUNGE_BRUSHES =
    "ride x...x.x.x...x.x.; pedal ....x.......x...; kick o.......o.......; snare ....o.......o..o";

const Section LOUNGE_SECTIONS[] = {
    {"intro", 4, {
        /* bass  */ "f2:4 a2 d3 a2 | g2 bb2 c3 e2 | f2 a2 d3 c3 | g2 d2 c2 e2",
        /* piano */ "Fmaj7:4 r:8 Fmaj7:8' Dm7:4 r:8 Dm7:8' | Gm7:4 r:8 Gm7:8' C9:4 r:8 C9:8' |"
                    "Fmaj7:4 r:8 Fmaj7:8' Dm9:4 r:8 Dm9:8' | Gm7:4 r:8 Gm7:8' C7:4 r:4",
        /* vibes */ "r:1 | r:1 | r:2 c5:8 d5 f5 a5 | g5:4 e5 c5 r",
        /* trumpet */ nullptr,
        /* drums */ "ride x...x.x.x...x.x.; pedal ....x.......x..."}},
    {"theme", 8, {
        "f2:4 g2 a2 c3 | d3 c3 a2 f#2 | g2 a2 bb2 d3 | c3 bb2 g2 e2 |"
        "a2 e2 d2 f#2 | g2 d2 c2 e2 | f2 a2 d2 a2 | g2 bb2 c3 a2",
        "Fmaj7:4. Fmaj7:8' r:4 Fmaj9:4' | D7:4. D7:8' r:4 D7b9:4' |"
        "Gm7:4. Gm7:8' r:4 Gm9:4' | C7:4. C7:8' r:4 C13:4' |"
        "Am7:4 r:8 Am7:8' D7:4 r:8 D7b9:8' | Gm7:4 r:8 Gm7:8' C9:4 r:8 C7:8' |"
        "F6:4 r:8 F6:8' Dm7:4 r:8 Dm9:8' | Gm7:4 r:8 Gm7:8' C9:4 r:8 C7:8'",
        "c5:8 d5 f5:4 a5:4. g5:8 | f#5:4 d5:8 c5 a4:2 | bb4:8 c5 d5 f5 a5:4 g5:8 f5 |"
        "e5:4. c5:8 g4:2 | a4:8 c5 e5 g5 f#5:4 a5:4 | g5:8 f5 d5 bb4 e5:4 c5:4 |"
        "d5:4. c5:8 a4:4 f5:4 | g5:8 a5 g5 f5 e5:4 r:4",
        nullptr,
        LOUNGE_BRUSHES}},
    {"bridge", 4, {
        "bb2:4 c3 d3 f3 | bb2 db3 f2 bb2 | a2 b2 c3 e3 | d3 c3 a2 ab2",
        "Bbmaj7:2. r:8 Bbmaj7:8' | Bbm6:2. r:8 Bbm6:8' | Am7:2. r:8 Am7:8' | D7:2 D7b9:2",
        nullptr,
        "d5:4. f5:8 a5:2 | g5:4. f5:8 db5:2 | c5:4 e5:8 g5 c6:4 b5:8 a5 | f#5:2 e5:8 d5 c5 a4",
        "ride X...x.x.X...x.x.; pedal ....x.......x...; kick o.......o.......;"
        "snare ....x.......x...; crash once x"}},
    {"variation", 4, {
        "g2:4 a2 bb2 b2 | c3 bb2 g2 e2 | f2 a2 d2 f#2 | g2 d2 c2 bb2",
        "Gm7:4. Gm7:8' r:4 Gm9:4' | C7:4. C7:8' r:4 C13:4' |"
        "Fmaj7:4 r:8 Fmaj7:8' D7:4 r:8 D7b9:8' | Gm7:4 r:8 Gm7:8' C9:4 r:8 C7:8'",
        "bb4:8 c5 d5 f5 a5:4 g5:8 f5 | e5:4. c5:8 g4:2 | a4:8 c5 e5 a5 f#5:4 d5:4 |"
        "g5:8 f5 d5 bb4 e5:4 g5:4",
        "!mp f4:2 g4:2 | e4:2 bb4:2 | a4:2 c5:2 | bb4:1",
        LOUNGE_BRUSHES}},
    {"outro", 4, {
        "a2:4 e2 d2 f#2 | g2 d2 c2 e2 | f2 a2 d3 f#2 | g2 bb2 c3 e2",
        "Am7:4 r:8 Am7:8' D7:4 r:8 D7:8' | Gm7:4 r:8 Gm7:8' C9:4 r:8 C9:8' |"
        "Fmaj7:4 r:8 Fmaj7:8' D7b9:4 r:8 D7b9:8' | Gm7:4 r:8 Gm7:8' C7:4 r:4",
        "g5:4. e5:8 f#5:4 a5:4 | f5:4. d5:8 e5:4 bb4:4 | a4:8 c5 e5 c5 f#5 a5 c6 a5 |"
        "g5:4 f5:8 d5 e5:4 r:4",
        nullptr,
        "ride x...x.x.x...x.x.; pedal ....x.......x...; kick o.......o.......;"
        "snare ....o.......o...|....o.......o...|....o.......o...|....o...o.o.x.xo"}},
};
// clang-format on

// ---- Track 1: the joke, C major, 142 bpm, 48 bars ---------------------------------------------

// clang-format off
constexpr Voice JOKE_VOICES[] = {
    // name         channel program       vol pan rev  vel  gate  chords
    {"pizzicato",  0,  45 /* pizzicato strings */, 100, 50, 45,  90, 0.90, 67},
    {"marimba",    1,  12 /* marimba */,           108, 80, 40,  92, 0.90, 67},
    {"bassoon",    2,  70 /* bassoon */,           100, 38, 35,  90, 0.85,  0},
    {"tuba",       3,  58 /* tuba */,              108, 64, 25,  94, 0.70,  0},
    {"xylophone",  4,  13 /* xylophone */,          95, 92, 45,  88, 0.90,  0},
    {"drums", DRUM_CHANNEL, 0 /* standard kit */,   85, 64, 30,  80, 1.00,  0},
};

// The tune: staccato leaps with a rest where a joke needs its pause.
constexpr const char* JOKE_THEME =
    "e5:8' g5' r c6' r:4 g5:8' e5' | f5:8' d5' r b4' r:4 g4:4' | a4:8' b4' d5' f5' a5:4' g5:4' |"
    "e5:4' c5:4' r:2 | e5:8' g5' r c6' r:4 g5:8' e5' | f5:8' a5' r c6' r:4 a5:8' f5' |"
    "d5:8' f5' b5' d6' c#6:16 d6 b5:8' g5:4' | c6:4' g5:8' e5' c5:4' r:4";

// The oom-pah of the theme: the tuba on the beat, the chords between.
constexpr const char* JOKE_OOM =
    "c2:4' r g2' r | g2' r d2' r | g2' r b1' r | c2' r g2' r |"
    "c2' r e2' r | f2' r c2' r | g2' r d2' r | c2' g2' c2' r";
constexpr const char* JOKE_PAH =
    "r:4 C:4' r:4 C:4' | r:4 G7:4' r:4 G7:4' | r:4 G7:4' r:4 G7:4' | r:4 C:4' r:4 C:4' |"
    "r:4 C:4' r:4 C:4' | r:4 F:4' r:4 F:4' | r:4 G7:4' r:4 G7:4' | r:4 C:4' r:2";

// The bassoon's grumbling answer to the theme.
constexpr const char* JOKE_GRUMBLE =
    "r:2 c3:8' d3' e3' c3' | b2:4' r:4 r:2 | r:2 g2:8' a2' b2' d3' | c3:4' r:4 >g2:4' r:4 |"
    "r:2 c3:8' d3' e3' c3' | a2:4' r:4 r:2 | r:2 f3:8' e3' d3' b2' | c3:4' g2:4' c3:4' r:4";

constexpr const char* JOKE_BEAT = "kick x.......x.......; snare ....o.......o...; hat :8 .x.x.x.x";

const Section JOKE_SECTIONS[] = {
    {"intro", 4, {
        /* pizzicato */ nullptr,
        /* marimba   */ "r:4 C:4' r:4 C:4' | r:4 G7:4' r:4 G7:4' | r:4 C:4' r:4 C:4' |"
                        "r:4 G7:4' r:2",
        /* bassoon   */ nullptr,
        /* tuba      */ "c2:4' r g2' r | g2' r d2' r | c2' r g2' r | g2:4' r:4 g2:8' a2' b2' r:8",
        /* xylophone */ nullptr,
        /* drums     */ "kick x.......x.......; claves ....x.......x..."}},
    {"theme", 8, {JOKE_THEME, JOKE_PAH, nullptr, JOKE_OOM, nullptr, JOKE_BEAT}},
    {"variation", 8, {
        JOKE_PAH,
        // The marimba plays the tune again with trills, runs and a thud where the pause was.
        "e5:16 f5 e5 d5 c5:8' g5' r c6' c6:16 b5 a5 g5 | f5:8' d5' r b4' r:4 g4:4' |"
        "a4:16 b4 c5 d5 e5 f5 g5 a5 b5:4' g5:4' | c6:8' r:8 r:4 >c4:8' r:8 r:4 |"
        "e5:8' g5' r c6' r:4 g5:8' e5' | f5:16 g5 a5 bb5 c6:8' r a5:8' f5' r:8 c5:8' |"
        "d5:8' f5' b5' d6' c#6:16 d6 b5:8' g5:4' | c6:4' g5:8' e5' c5:4' r:4",
        JOKE_GRUMBLE, JOKE_OOM, nullptr, JOKE_BEAT}},
    {"tiptoe", 8, {
        // A minor, on tiptoe: everything plucked and short, the xylophone sneaking about.
        "!p r:4 Am:4' r:4 Am:4' | r:4 E7:4' r:4 E7:4' | r:4 Am:4' r:4 Am:4' |"
        "r:4 E7:4' r:4 E7:4' | r:4 Dm:4' r:4 Dm:4' | r:4 Am:4' r:4 Am:4' |"
        "r:4 B7:4' r:4 B7:4' | r:4 E7:4' r:2",
        nullptr,
        nullptr,
        "!mp a2:4' e2' a2' e2' | e2' b1' e2' g#2' | a2' e2' a2' c3' | e2' b1' g#2' e2' |"
        "d2' a2' d2' f2' | a2' e2' c2' e2' | b1' f#2' b1' d#2' | e2' r r:2",
        "e5:8' r e5' r c5:8' d5' e5:4' | d#5:8' r e5' r b4:4' r:4 |"
        "a4:8' c5' e5' a5' g#5:8' a5' r:4 | b5:8' g#5' e5' d5' b4:4' r:4 |"
        "f5:8' r f5' r d5:8' e5' f5:4' | e5:8' r e5' r c5:8' b4' a4:4' |"
        "d#5:8' f#5' a5' b5' a5:8' f#5' d#5:4' | e5:4' r:4 >e4:8' r:8 r:4",
        "kick o.......o.......; woodhi ..x...x...x...x.|..x...x...x...x.|..x...x...x...x.|"
        "..x...x...x...x.|..x...x...x...x.|..x...x...x...x.|..x...x...x...x.|..x.X..........."}},
    {"answers", 8, {
        // Back in C: the bassoon asks, the marimba answers.
        "r:4 F:4' r:4 F:4' | r:4 C:4' r:4 C:4' | r:4 G7:4' r:4 G7:4' | r:4 C:4' r:4 C:4' |"
        "r:4 F:4' r:4 F:4' | r:4 C:4' r:4 C:4' | r:4 D7:4' r:4 D7:4' | r:4 G7:4' r:4 G7:4'",
        "r:1 | e5:16 d5 c5 g4 c5:8' e5' g5:4' r:4 | r:1 | e5:16 f5 e5 d5 c5:8' g4' c5:4' r:4 |"
        "r:1 | c6:16 b5 a5 g5 e5:8' g5' c6:4' r:4 | r:1 | b5:16 a5 g5 f5 d5:8' f5' g5:4' r:4",
        "c3:8' f3' a3' c4' a3:4' r:4 | r:1 | b2:8' d3' f3' g3' f3:4' r:4 | r:1 |"
        "c3:8' f3' a3' c4' d4:4' r:4 | r:1 | f#3:8' a3' c4' d4' c4:4' r:4 | r:1",
        "f2:4' r c2' r | c2' r g2' r | g2' r d2' r | c2' r g2' r |"
        "f2' r c2' r | c2' r g2' r | d2' r a2' r | g2' r b1' r",
        nullptr,
        "kick x.......x.......; hat :8 .x.x.x.x; tamb ....x.......x..."}},
    {"reprise", 8, {
        JOKE_THEME, JOKE_PAH, JOKE_GRUMBLE, JOKE_OOM, JOKE_THEME,
        "kick x.......x.......; snare ....x.......x...; hat :8 .x.x.x.x; crash once X"}},
    {"tag", 4, {
        "c6:8' g5' e5' c5' g4:8' e4' c4:4' | r:4 b3:8' d4' f4' g4' b4:4' | c5:4' e5' g5' r |"
        ">c6:4' r:4 r:2",
        "r:4 C:4' r:4 C:4' | r:4 G7:4' r:4 G7:4' | r:4 C:4' r:4 C:4' | >C:4' r:4 r:2",
        nullptr,
        "c2:4' r g2' r | g2' r d2' r | c2' r g2' r | >c2:4' r:4 r:2",
        "r:1 | r:1 | r:1 | >c7:4' r:4 r:2",
        "kick x.......x.......|x.......x.......|x.......x.......|X...............;"
        "snare ....x.......x...|....x.......x...|....x...x.x.xxxx|................"}},
};
// clang-format on

} // namespace

// clang-format off
const Piece PIECE_LOUNGE = {
    0, "lounge swing, F major, 122 bpm, brushes", 122.0, 4, 0.64, LOUNGE_VOICES, LOUNGE_SECTIONS,
    "intro theme bridge variation outro", true, 4.0,
    trackLengthMs[0] / 1000.0 + 0.5, trackLengthMs[0] / 1000.0 + 2.0,
};
// clang-format on

// clang-format off
const Piece PIECE_JOKE = {
    1, "bouncy joke, C major, 142 bpm, pizzicato and marimba", 142.0, 4, 0.5, JOKE_VOICES,
    JOKE_SECTIONS, "intro theme variation tiptoe answers reprise tag", true, 3.0,
    trackLengthMs[1] / 1000.0 + 0.5, trackLengthMs[1] / 1000.0 + 2.0,
};
// clang-format on
