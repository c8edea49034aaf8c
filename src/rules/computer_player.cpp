#include "rules/computer_player.h"
#include "rules/computer_search.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/screen_layout.h"
#include "rules/tool_catalogue.h"
#include <cstdlib>

ComputerSeats computerSeats = {{0, 0}, {2, 2}, 1};

namespace {

// The inputs of the plan being carried out, handed out one a pass.
struct Pacing {
    ComputerPlan plan;
    int32_t next;
    bool sentAny;
    uint32_t lastSent;  // the pass clock of the last input
    uint32_t startTick; // game.ticksRun when its last space started time
};
Pacing pacing;

bool parseNumber(const char*& text, int32_t low, int32_t high, int32_t& out)
{
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (end == text || n < low || n > high) return false;
    out = static_cast<int32_t>(n);
    text = end;
    return true;
}

// "1", "2" or "1,2" for the seats; "L" or "L,M" for the levels.
bool parsePair(const char* text, int32_t low, int32_t high, int32_t out[2], int32_t& count)
{
    count = 0;
    if (!parseNumber(text, low, high, out[count++])) return false;
    if (*text == ',') {
        ++text;
        if (!parseNumber(text, low, high, out[count++])) return false;
    }
    return *text == '\0';
}

bool empty(const char* text) { return text == nullptr || *text == '\0'; }

void forgetPlan()
{
    pacing.plan.count = 0;
    pacing.next = 0;
    pacing.sentAny = false;
    abandonSearch();
}

} // namespace

bool chooseComputerSeats(const char* seats, const char* levels, const char* seed)
{
    constexpr ComputerSeats PEOPLE = {{0, 0}, {2, 2}, 1};
    ComputerSeats chosen = PEOPLE;
    computerSeats = PEOPLE;
    forgetPlan();
    int32_t numbers[2] = {0, 0}, count = 0;
    if (!empty(seats)) {
        if (!parsePair(seats, 1, 2, numbers, count)) return false;
        for (int32_t i = 0; i < count; ++i) chosen.plays[numbers[i] - 1] = 1;
    }
    if (!empty(levels)) {
        if (!parsePair(levels, 1, 3, numbers, count)) return false;
        chosen.level[0] = numbers[0];
        chosen.level[1] = count == 2 ? numbers[1] : numbers[0];
    }
    if (!empty(seed)) {
        char* end = nullptr;
        const unsigned long long n = std::strtoull(seed, &end, 10);
        if (*end != '\0' || *seed == '-' || n > 0xffffffffull) return false;
        chosen.seed = static_cast<uint32_t>(n);
    }
    computerSeats = chosen;
    return true;
}

bool computerHasTheGame()
{
    if (!isMatchMode(game.gameMode)) return false;
    const int32_t seat = game.match.gameKind == OnePlayer ? 0 : game.match.currentPlayer;
    return seat >= 0 && seat < 2 && computerSeats.plays[seat];
}

ComputerInput computerPass(uint32_t now, int32_t tickBudget)
{
    constexpr ComputerInput NOTHING = {InputNone, 0, 0};
    if (!computerHasTheGame()) {
        forgetPlan();
        return NOTHING;
    }
    const bool rested = !pacing.sentAny || now - pacing.lastSent >= COMPUTER_STEP_MS;
    while (pacing.next < pacing.plan.count) {
        const PlannedInput& step = pacing.plan.inputs[pacing.next];
        if (step.afterRunTicks > 0) {
            // The pause: dropped when the turn ran out before it was due.
            if (game.gameMode != Running) {
                ++pacing.next;
                continue;
            }
            if (game.ticksRun - pacing.startTick < static_cast<uint32_t>(step.afterRunTicks))
                return NOTHING;
        }
        if (!rested) return NOTHING;
        ++pacing.next;
        if (step.input.kind == InputSpace && game.gameMode != Running)
            pacing.startTick = game.ticksRun;
        pacing.sentAny = true;
        pacing.lastSent = now;
        return step.input;
    }
    // Time runs to the end of the turn, or the last input has not yet taken effect.
    if (game.gameMode != Paused && game.gameMode != ToolSelected) return NOTHING;
    const int32_t seat = game.match.gameKind == OnePlayer ? 0 : game.match.currentPlayer;
    if (!searchUnderway()) beginSearch(computerSeats.level[seat], computerSeats.seed);
    if (!continueSearch(tickBudget)) return NOTHING;
    pacing.plan = chosenPlan();
    pacing.next = 0;
    if (pacing.plan.count == 0) {
        // Nothing it weighed was possible: the turn is given up, as a person would.
        const int32_t band = BUTTON_ROW_Y + BUTTON_SIZE / 2;
        if (game.buttonRow == 0)
            pacing.plan.inputs[pacing.plan.count++] = {{InputLeftClick, NEXT_ROW_LEFT + 14, band},
                                                       0};
        const int32_t x = BUTTON_SIZE * (EndTurn % BUTTONS_PER_ROW) + BUTTON_SIZE / 2;
        pacing.plan.inputs[pacing.plan.count++] = {{InputLeftClick, x, band}, 0};
    }
    return NOTHING;
}
