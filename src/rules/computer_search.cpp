#include "rules/computer_search.h"
#include "physics/ball.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/game_tick.h"
#include "rules/message_log.h"
#include "rules/platform.h"
#include "rules/refusals.h"
#include "rules/screen_layout.h"
#include "rules/time_control.h"
#include "rules/tool_catalogue.h"
#include "rules/tool_use.h"
#include <algorithm>
#include <cstring>
#include <functional>

SearchCost searchCost;

namespace {

constexpr double REJECTED = -1e18;
constexpr int32_t BAND_MIDDLE = BUTTON_ROW_Y + BUTTON_SIZE / 2;

struct Search {
    bool underway;
    int32_t level;
    GameState root; // the game when the search began
    GameState copy; // the candidate being followed
    Candidate candidates[MAX_CANDIDATES];
    int32_t count;
    int32_t current;
    bool following; // the current candidate's inputs are sent and its ticks are running
    int32_t ticksFollowed;
    ComputerPlan plan; // the inputs of the current candidate
    double bestScore;
    ComputerPlan best;
};
Search search;
bool refused;

void quietSound(int32_t, int32_t) {}
void quietEffect(int32_t, int32_t, int32_t) {}
void quietChannel(int32_t) {}
void quietMusic() {}
constexpr PlatformCalls QUIET = {quietSound, quietEffect, quietChannel, quietSound, quietMusic};

void noteRefusal(const char* line)
{
    for (const char* refusal : REFUSALS)
        if (std::strcmp(line, refusal) == 0) refused = true;
}

void send(ComputerInput input, int32_t afterRunTicks = 0)
{
    ComputerPlan& plan = search.plan;
    if (plan.count >= PLAN_INPUTS) {
        refused = true;
        return;
    }
    plan.inputs[plan.count++] = {input, afterRunTicks};
    if (input.kind == InputLeftClick)
        leftClickInMatch(input.x, input.y);
    else if (input.kind == InputSpace)
        toggleTime();
}

void click(int32_t x, int32_t y) { send({InputLeftClick, x, y}); }

// The clicks of one tool use, checked as they go: false when the game did not take one.
bool useTool(const ComputerAction& a)
{
    if (a.tool / BUTTONS_PER_ROW != game.buttonRow) click(NEXT_ROW_LEFT + 14, BAND_MIDDLE);
    click(BUTTON_SIZE * (a.tool % BUTTONS_PER_ROW) + BUTTON_SIZE / 2, BAND_MIDDLE);
    if (refused || game.gameMode != ToolSelected || game.selectedTool != a.tool) return false;
    if (a.ball >= 0) {
        const Ball& ball = game.balls[a.ball];
        if (!ball.onTable) return false;
        click(static_cast<int32_t>(ball.x), static_cast<int32_t>(ball.y));
        // The Stop acts on the click itself.
        if (a.tool == Stop)
            return !refused && game.gameMode == Paused && ball.vx == 0 && ball.vy == 0;
        if (refused || game.gameMode != Aiming || game.selectedBall != a.ball) return false;
    }
    click(a.x, a.y);
    if (a.tool == Fan) {
        if (refused || game.gameMode != Aiming) return false;
        click(a.streamX, a.streamY);
    }
    return !refused && game.gameMode != Aiming && game.gameMode != ToolSelected;
}

// Whose turn it is, and which turn: the search follows a candidate until this changes.
bool sameTurn(const GameState& a, const GameState& b)
{
    return a.gameMode == Running && isMatchMode(b.gameMode) &&
           a.match.currentPlayer == b.match.currentPlayer &&
           a.match.turnNumber == b.match.turnNumber;
}

// The tool uses of the candidate, then time started: false when the game refused any of it.
bool startCandidate(const Candidate& c)
{
    search.plan.count = 0;
    refused = false;
    for (int32_t i = 0; i < c.count; ++i)
        if (!useTool(c.actions[i])) return false;
    // A use may have ended the turn already (every ball at rest); nothing more to send then.
    if (game.gameMode != Paused || game.match.turnNumber != search.root.match.turnNumber ||
        game.match.currentPlayer != search.root.match.currentPlayer)
        return c.count > 0;
    send({InputSpace, 0, 0});
    if (refused || game.gameMode != Running) return false;
    if (c.runTicks > 0) search.plan.inputs[search.plan.count++] = {{InputSpace, 0, 0}, c.runTicks};
    return true;
}

// What a ball still on the table is worth to the mover at the end of what was followed.
double heldWorth(const GameState& g, int32_t rank, int32_t value)
{
    // A Teleport only cashes a ball with a stroke after it.
    const int32_t cashable = g.usesLeft[Cue] + (g.usesLeft[Cue] > 0 ? g.usesLeft[Teleport] : 0);
    const double capped = value > 49 ? 49 : value;
    return (rank < cashable ? levelSettings(search.level).holdWeight : 0.1) * capped;
}

// What one ball left for later is worth: the turns still to come can raise and cash it, and the
// fewer they are, the less it is worth; after the last one, nothing.
double laterWorth(const GameState& g)
{
    if (g.match.gameKind != OnePlayer) return 4;
    const double w = levelSettings(search.level).laterWorth;
    const double byTurnsLeft = 15.0 * (g.match.turnLimit - g.match.turnNumber);
    return byTurnsLeft < w ? byTurnsLeft : w;
}

bool nearAPocket(const Ball& ball)
{
    const double dx = ball.x < 150 ? ball.x - LEFT_CUSHION : RIGHT_CUSHION - ball.x;
    const double dy = ball.y < 200 ? ball.y - TOP_CUSHION : BOTTOM_CUSHION - ball.y;
    return dx + dy < 40;
}

double score(const GameState& start, const GameState& end)
{
    const int32_t me = start.match.currentPlayer, other = 1 - me;
    double s = end.match.points[me] - start.match.points[me];
    s -= end.match.points[other] - start.match.points[other];
    const int32_t fallen = end.match.ballsPocketed[0] + end.match.ballsPocketed[1] -
                           start.match.ballsPocketed[0] - start.match.ballsPocketed[1];
    s -= laterWorth(start) * fallen;
    if (sameTurn(end, start)) {
        int32_t values[BALL_COUNT], n = 0;
        for (const Ball& ball : end.balls)
            if (ball.onTable) values[n++] = ball.value;
        std::sort(values, values + n, std::greater<int32_t>());
        for (int32_t i = 0; i < n; ++i) s += heldWorth(end, i, values[i]);
    } else if (end.match.gameKind == TwoPlayers) {
        // A ball left at rest by a pocket is the other player's easy stroke.
        for (const Ball& ball : end.balls)
            if (ball.onTable && nearAPocket(ball)) s -= 3;
    }
    return s;
}

// Runs the current candidate's ticks; true once it is followed to its end.
bool follow(int32_t& budget)
{
    const int32_t horizon = levelSettings(search.level).horizon;
    while (budget > 0 && search.ticksFollowed < horizon && sameTurn(game, search.root)) {
        game.currentTicks += static_cast<uint32_t>(game.options.tickInterval);
        runTick();
        --budget;
        ++search.ticksFollowed;
        ++searchCost.decisionTicks;
        ++searchCost.totalTicks;
    }
    return search.ticksFollowed >= horizon || !sameTurn(game, search.root);
}

void weigh(double s)
{

    if (s > search.bestScore) {
        search.bestScore = s;
        search.best = search.plan;
    }
    ++search.current;
    search.following = false;
}

} // namespace

void beginSearch(int32_t level, uint32_t seed)
{
    search.underway = true;
    search.level = level;
    search.root = game;
    Sampler sampler = samplerFor(seed);
    search.count = proposeCandidates(level, sampler, search.candidates);
    search.current = 0;
    search.following = false;
    search.bestScore = REJECTED;
    search.best.count = 0;
    searchCost.decisionTicks = 0;
    ++searchCost.decisions;
}

bool continueSearch(int32_t tickBudget)
{
    if (!search.underway) return true;
    const GameState live = game;
    const PlatformCalls livePlatform = platform;
    void (*const liveRecorder)(const char*) = messageRecorder;
    const uint8_t liveRedraw = fullRedraw;
    platform = QUIET;
    messageRecorder = noteRefusal;
    // However small the budget, each pass moves the thinking on.
    int32_t budget = tickBudget > 0 ? tickBudget : 1;
    while (search.current < search.count && budget > 0) {
        if (!search.following) {
            game = search.root;
            search.ticksFollowed = 0;
            if (!startCandidate(search.candidates[search.current])) {
                weigh(REJECTED);
                continue;
            }
            search.following = true;
        } else {
            game = search.copy;
        }
        const bool done = follow(budget);
        search.copy = game;
        if (done) weigh(score(search.root, game));
    }
    game = live;
    platform = livePlatform;
    messageRecorder = liveRecorder;
    fullRedraw = liveRedraw;
    if (search.current < search.count) return false;
    search.underway = false;
    return true;
}

bool searchUnderway() { return search.underway; }

void abandonSearch() { search.underway = false; }

const ComputerPlan& chosenPlan() { return search.best; }
