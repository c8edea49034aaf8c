// What the computer player weighs and what it then sends: a candidate turn step (tool uses while
// paused, then time runs for a while), and the inputs that carry the chosen one out.
#pragma once
#include "rules/computer_player.h"
#include <cstdint>

// One tool use: the tool, the ball it is aimed at (-1 for a tool put on the table), and the
// pixel of its last click: the aim of a ball tool, the place of a table tool; the Fan's stream
// is aimed by one more click.
struct ComputerAction {
    int32_t tool;
    int32_t ball;
    int32_t x, y;
    int32_t streamX = 0, streamY = 0;
};

// Tool uses while paused, then time runs for runTicks ticks before the next pause (0: until
// every ball is at rest and the turn is over).
constexpr int32_t ACTIONS_PER_CANDIDATE = 4;
struct Candidate {
    ComputerAction actions[ACTIONS_PER_CANDIDATE];
    int32_t count;
    int32_t runTicks;
};

// An input of the chosen candidate. A pause waits until time has run afterRunTicks ticks since
// the input that started it; every other input has 0 there.
struct PlannedInput {
    ComputerInput input;
    int32_t afterRunTicks;
};
constexpr int32_t PLAN_INPUTS = 24;
struct ComputerPlan {
    PlannedInput inputs[PLAN_INPUTS];
    int32_t count;
};

// How hard each level looks.
struct LevelSettings {
    int32_t strokeSamples; // random Cue strokes weighed at the start of a turn
    int32_t topBalls;      // the most valuable balls weighed for a stroke into a pocket
    int32_t pockets;       // the nearest pockets weighed for each of them
    uint8_t stirs;         // Chaos, Boost and the Hammer are weighed
    uint8_t teleports;     // a ball set beside a pocket and struck in is weighed
    int32_t runTicks;      // ticks between pauses; 0: never pauses
    int32_t horizon;       // ticks each candidate is followed for; the rest is estimated
    double holdWeight;     // what a ball it can still cash in is worth, as a share of its value
    double laterWorth;     // what a ball left on the table is worth to the turns to come
};
const LevelSettings& levelSettings(int32_t level);

// The small generator of the computer's own choices, never the game's.
struct Sampler {
    uint32_t state;
};
uint32_t nextSample(Sampler& sampler);
// Seeded from the seed and what the table holds, never from a clock.
Sampler samplerFor(uint32_t seed);

constexpr int32_t MAX_CANDIDATES = 160;
// The candidates worth weighing from the game as it stands (a match, the computer to move,
// paused); their number.
int32_t proposeCandidates(int32_t level, Sampler& sampler, Candidate* out);
