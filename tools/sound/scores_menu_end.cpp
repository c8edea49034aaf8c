// The menu loop and the two end-of-game fanfares.
#include "score.h"

namespace {

// ---- Menu: a welcoming lounge tune in G major, 108 bpm, 24 bars, looped endlessly -------------

// clang-format off
constexpr Voice MENU_VOICES[] = {
    // name      channel program          vol pan rev  vel  gate  chords
    {"guitar",  0,  26 /* jazz guitar */,     104, 56, 60,  88, 0.92,  0},
    {"piano",   1,   5 /* electric piano 2 */, 84, 78, 55,  70, 0.85, 64},
    {"strings", 2,  49 /* slow strings */,     70, 40, 75,  64, 1.00, 67},
    {"bass",    3,  35 /* fretless bass */,   108, 62, 30,  88, 0.90,  0},
    {"drums", DRUM_CHANNEL, 40 /* brush kit */, 80, 64, 40,  70, 1.00,  0},
};

constexpr const char* MENU_BRUSHES =
    "shaker oxoxoxoxoxoxoxox; kick x.......x.......; snare ....o.......o...";

// The last section opens like the first and closes on the turnaround that leads back to it.
const Section MENU_SECTIONS[] = {
    {"welcome", 8, {
        /* guitar  */ "b4:4. d5:8 f#5:4 e5:4 | d5:2 b4:4 g4:4 | c5:4. e5:8 g5:4 f#5:4 | e5:2 d5:4 r:4 |"
                      "b4:4. d5:8 g5:4 f#5:4 | e5:2 d5:4 b4:4 | c5:4 e5:4 g5:4 b5:4 | a5:2 f#5:4 r:4",
        /* piano   */ "Gmaj7:2 r:8 Gmaj7:8 Gmaj7:4 | Em7:2 r:8 Em7:8 Em9:4 | Am7:2 r:8 Am7:8 Am9:4 |"
                      "D9:2 r:8 D9:8 D7:4 | Gmaj7:2 r:8 Gmaj7:8 Gmaj9:4 | Em7:2 r:8 Em7:8 Em9:4 |"
                      "Cmaj7:2 r:8 Cmaj7:8 Cmaj9:4 | D7sus4:2 D7:2",
        /* strings */ nullptr,
        /* bass    */ "g2:2 d2:4 g2:4 | e2:2 b1:4 e2:4 | a2:2 e2:4 a2:4 | d2:2 a2:4 f#2:4 |"
                      "g2:2 d2:4 g2:4 | e2:2 b1:4 e2:4 | c2:2 g2:4 c2:4 | d2:2 a2:4 d2:4",
        /* drums   */ MENU_BRUSHES}},
    {"middle", 8, {
        "g5:4. e5:8 c5:4 b4:4 | d5:4 f#5:4 g#5:4 e5:4 | c5:4. e5:8 a5:2 | f#5:4 e5:8 d5:8 c5:2 |"
        "d5:4. f#5:8 a5:4 b5:4 | g#5:2 d5:4 e5:4 | c5:4 e5:4 a5:4 g5:4 | g5:4 a5:4 f#5:2",
        "Cmaj7:2 r:8 Cmaj7:8 Cmaj9:4 | Bm7:2 E7:2 | Am7:2 r:8 Am7:8 Am9:4 | D7:2 r:8 D7:8 D9:4 |"
        "Bm7:2 r:8 Bm7:8 Bm7:4 | E7:2 r:8 E7:8 E7b9:4 | Am7:2 r:8 Am7:8 Am9:4 | D7sus4:2 D7:2",
        "Cmaj7:1 | Bm7:2 E7:2 | Am7:1 | D7:1 | Bm7:1 | E7:1 | Am7:1 | D7sus4:2 D7:2",
        "c2:2 g2:4 c2:4 | b1:2 e2:2 | a1:2 e2:4 a2:4 | d2:2 a2:4 d2:4 |"
        "b1:2 f#2:4 b2:4 | e2:2 b1:4 g#2:4 | a2:2 e2:4 a2:4 | d2:2 a2:4 c3:4",
        "shaker oxoxoxoxoxoxoxox; kick x.......x.......; snare ....o.......o...;"
        "ride x...x.x.x...x.x."}},
    {"return", 8, {
        "b4:4. d5:8 f#5:4 e5:4 | d5:2 b4:4 g4:4 | c5:4. e5:8 g5:4 f#5:4 | e5:2 d5:4 r:4 |"
        "d5:4. f#5:8 b5:4 a5:4 | g#5:4 e5:4 d5:4 b4:4 | c5:4 e5:4 g5:4 e5:4 | d5:2 c5:4 r:4",
        "Gmaj7:2 r:8 Gmaj7:8 Gmaj7:4 | Em7:2 r:8 Em7:8 Em9:4 | Am7:2 r:8 Am7:8 Am9:4 |"
        "D9:2 r:8 D9:8 D7:4 | Bm7:2 r:8 Bm7:8 Bm7:4 | E7:2 r:8 E7:8 E7b9:4 |"
        "Am7:2 r:8 Am7:8 Am9:4 | D7sus4:2 D7:2",
        "!p Gmaj7:1 | Em7:1 | Am7:1 | D7:1 | Bm7:1 | E7:1 | Am7:1 | D7sus4:2 D7:2",
        "g2:2 d2:4 g2:4 | e2:2 b1:4 e2:4 | a2:2 e2:4 a2:4 | d2:2 a2:4 f#2:4 |"
        "b1:2 f#2:4 b2:4 | e2:2 b1:4 g#2:4 | a2:2 e2:4 a2:4 | d2:2 a2:4 f#2:4",
        MENU_BRUSHES}},
};

// ---- End tune for player 1 and every one-player game: trumpets in C, 120 bpm ------------------

constexpr Voice FANFARE_ONE_VOICES[] = {
    // name       channel program         vol pan rev  vel  gate  chords
    {"trumpet",  0,  56 /* trumpet */,       112, 56, 55, 100, 0.90,  0},
    {"horns",    1,  60 /* french horns */,  100, 78, 60,  92, 0.95,  0},
    {"trombone", 2,  57 /* trombone */,      100, 44, 50,  94, 0.90,  0},
    {"strings",  3,  48 /* strings */,        88, 64, 65,  84, 1.00, 67},
    {"timpani",  4,  47 /* timpani */,       100, 64, 50,  96, 0.90,  0},
    {"drums", DRUM_CHANNEL, 48 /* orchestra kit */, 90, 64, 55, 90, 1.00, 0},
};

const Section FANFARE_ONE_SECTIONS[] = {
    {"call", 2, {
        /* trumpet  */ "g4:8t g4 g4 c5:4 e5:4 g5:4 | a5:8t a5 a5 f5:4 g5:8t g5 g5 b5:4",
        /* horns    */ "e4:8t e4 e4 g4:4 c5:4 e5:4 | f5:8t f5 f5 c5:4 d5:8t d5 d5 g5:4",
        /* trombone */ "c3:2 e3:4 g3:4 | f3:2 g3:2",
        /* strings  */ "C:1 | F:2 G:2",
        /* timpani  */ "c3:4 r:4 g2:4 r:4 | r:2 g2:4 g2:4",
        /* drums    */ "crash once X; kick once X"}},
    {"close", 1, {
        "c6:4. b5:8 a5:4 b5:4",
        "e5:4. d5:8 f5:4 f5:4",
        "a3:4. g3:8 f3:4 g3:4",
        "Am:2 F:4 G7:4",
        "r:2. !mp [g2:32]8",
        "snare ............oxxX"},
     1.0, 0.8},
    {"hold", 1, {
        ">c6:1", ">e5+g5:1", ">c3:1", ">C:1", ">c3:4 !p [c3:32]24",
        "crash once X; kick once X"},
     0.9, 0.75},
};

// ---- End tune for player 2: a lilting brass choir in B flat, 3/4 at 132 bpm -------------------

constexpr Voice FANFARE_TWO_VOICES[] = {
    // name       channel program         vol pan rev  vel  gate  chords
    {"brass",    0,  61 /* brass section */, 106, 58, 55,  96, 0.90,  0},
    {"horns",    1,  60 /* french horns */,   96, 80, 60,  88, 0.95,  0},
    {"glocken",  2,   9 /* glockenspiel */,   82, 40, 65,  80, 0.90,  0},
    {"strings",  3,  48 /* strings */,        88, 64, 65,  82, 1.00, 65},
    {"trombone", 4,  57 /* trombone */,       96, 50, 50,  90, 0.85,  0},
    {"timpani",  5,  47 /* timpani */,        96, 64, 50,  92, 0.90,  0},
    {"drums", DRUM_CHANNEL, 48 /* orchestra kit */, 88, 64, 55, 86, 1.00, 0},
};

const Section FANFARE_TWO_SECTIONS[] = {
    {"rise", 3, {
        /* brass    */ "f4:8 bb4:8 d5:4 f5:4 | g5:4. f5:8 eb5:4 | c5:8 eb5:8 g5:4 a5:4",
        /* horns    */ "d4:8 f4:8 bb4:4 d5:4 | eb5:4. d5:8 bb4:4 | g4:8 c5:8 eb5:4 f5:4",
        /* glocken  */ "f5:8 bb5:8 d6:4 f6:4 | g6:4. f6:8 eb6:4 | c6:8 eb6:8 g6:4 a6:4",
        /* strings  */ "Bb:2. | Eb:2. | Cm7:2 F7:4",
        /* trombone */ "bb2:4' f2' bb2' | eb3' bb2' g2' | c3' g2' f2'",
        /* timpani  */ "bb2:4 r:4 f2:4 | bb2:4 r:2 | r:2 f2:4",
        /* drums    */ "triangle x.......x...|x...........|x...x...x..."}},
    {"turn", 1, {
        "bb5:4 g5:4 a5:4", "eb5:4 bb4:4 c5:4", "bb6:4 g6:4 a6:4", "Eb:2 F7:4",
        "eb3:4 g2:4 f2:4", "r:4 f2:8 f2 !mp [f2:32]8", "snare ........oxxX"},
     1.0, 0.85},
    {"home", 1, {
        ">bb5:2.", ">d5+f5:2.", ">bb6:2.", ">Bb:2.", ">bb2:2.", ">bb2:4 !p [bb2:32]16",
        "crash once X; kick once X"},
     0.8, 0.55},
};
// clang-format on

} // namespace

// clang-format off
const Piece PIECE_MENU = {
    4, "welcoming lounge, G major, 108 bpm, jazz guitar and electric piano", 108.0, 4, 0.55,
    MENU_VOICES, MENU_SECTIONS, "welcome middle return", true, 4.0, 30.0, 60.0,
};
// clang-format on

// clang-format off
const Piece PIECE_FANFARE_ONE = {
    5, "bright trumpet fanfare, C major, 120 bpm", 120.0, 4, 0.5, FANFARE_ONE_VOICES,
    FANFARE_ONE_SECTIONS, "call close hold", false, 2.5, 4.0, 10.0,
};
// clang-format on

// clang-format off
const Piece PIECE_FANFARE_TWO = {
    6, "lilting brass fanfare, B flat major, 3/4 at 132 bpm", 132.0, 3, 0.5, FANFARE_TWO_VOICES,
    FANFARE_TWO_SECTIONS, "rise turn home", false, 4.0, 4.0, 10.0,
};
// clang-format on
