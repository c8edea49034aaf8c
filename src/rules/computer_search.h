// The computer's thinking: each candidate is played on a copy of the game through the very
// operations a person's input calls, followed for a while with the real tick, and scored; the
// best becomes the plan. It runs in slices, and every slice leaves the game as it found it.
#pragma once
#include "rules/computer_plan.h"
#include <cstdint>

// Starts weighing the candidates of the game as it stands now.
void beginSearch(int32_t level, uint32_t seed);
// Thinks for at most tickBudget simulated ticks; true once every candidate is weighed.
bool continueSearch(int32_t tickBudget);
bool searchUnderway();
void abandonSearch();
// The inputs of the best candidate, once the search is done; none when no candidate was valid.
const ComputerPlan& chosenPlan();

// What the thinking has cost so far, for the benchmark: the simulated ticks of the current
// decision and of all of them.
struct SearchCost {
    int64_t decisionTicks;
    int64_t totalTicks;
    int32_t decisions;
};
extern SearchCost searchCost;
