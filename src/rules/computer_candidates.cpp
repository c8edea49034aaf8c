#include "physics/ball.h"
#include "rules/computer_geometry.h"
#include "rules/computer_plan.h"
#include "rules/game_state.h"
#include "rules/screen_layout.h"
#include "rules/tool_catalogue.h"
#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

// clang-format off
constexpr LevelSettings LEVELS[3] = {
    // strokes top pockets stirs teleports run horizon hold later
    {6,  0, 0, 1, 0,  0, 4000, 0.6,  14},
    {6,  3, 2, 1, 0, 60,  120, 0.6,  14},
    {12, 6, 4, 1, 1, 24,  240, 0.75, 36},
};
// clang-format on

bool ballMoving(const Ball& ball) { return ball.vx != 0 || ball.vy != 0; }

// The balls on the table by value, highest first; their number.
int32_t ballsByValue(int32_t order[BALL_COUNT])
{
    int32_t n = 0;
    for (int32_t i = 0; i < BALL_COUNT; ++i)
        if (game.balls[i].onTable) order[n++] = i;
    // Equal values keep the balls' own order.
    std::sort(order, order + n, [](int32_t a, int32_t b) {
        const int32_t va = game.balls[a].value, vb = game.balls[b].value;
        return va > vb || (va == vb && a < b);
    });
    return n;
}

struct Proposals {
    Candidate* out;
    int32_t count;
    int32_t runTicks;
    // Adds a candidate of these uses when there is room and the charges allow them.
    void add(std::initializer_list<ComputerAction> actions)
    {
        if (count >= MAX_CANDIDATES || static_cast<int32_t>(actions.size()) > ACTIONS_PER_CANDIDATE)
            return;
        int32_t spent[TOOL_COUNT] = {};
        for (const ComputerAction& a : actions)
            if (++spent[a.tool] > game.usesLeft[a.tool]) return;
        Candidate& c = out[count++];
        c = {};
        for (const ComputerAction& a : actions) c.actions[c.count++] = a;
        c.runTicks = runTicks;
    }
};

int32_t sampleIn(Sampler& sampler, int32_t low, int32_t high)
{
    return low + static_cast<int32_t>(nextSample(sampler) % static_cast<uint32_t>(high - low + 1));
}

// A Cue stroke on a random ball towards a random point of the table.
ComputerAction randomStroke(Sampler& sampler, const int32_t onTable[], int32_t n)
{
    const int32_t b = onTable[sampleIn(sampler, 0, n - 1)];
    const Ball& ball = game.balls[b];
    int32_t x = 0, y = 0;
    for (int32_t tries = 0; tries < 8; ++tries) {
        x = sampleIn(sampler, 10, 290);
        y = sampleIn(sampler, 110, 290);
        if (std::hypot(x - ball.x, y - ball.y) > 20) break;
    }
    return {Cue, b, x, y};
}

ComputerAction randomPlace(Sampler& sampler, int32_t tool)
{
    return {tool, -1, sampleIn(sampler, PLACEMENT_AREA.left, PLACEMENT_AREA.right),
            sampleIn(sampler, PLACEMENT_AREA.top, PLACEMENT_AREA.bottom)};
}

// A ball set down touching one that rests near a pocket, so that both gain value while the
// rest roll; mid-turn the one by the pocket is stopped first.
void addTouchingPairs(Proposals& props, Sampler& sampler, const int32_t order[], int32_t n,
                      bool moving)
{
    if (n < 2) return;
    for (int32_t p = 0; p < 4; ++p) {
        const int32_t r = nearestTo(p, -1);
        // The least valuable ball is the one set down: the Teleport costs it 5.
        const int32_t b = order[n - 1] == r ? order[n - 2] : order[n - 1];
        int32_t x = 0, y = 0;
        if (r < 0 || !touchingSpot(r, b, x, y)) continue;
        const ComputerAction hop{Teleport, b, x, y};
        const Ball& anchor = game.balls[r];
        // Tilted together, the two roll side by side and touch all the way.
        for (int32_t t = 0; t < 4; ++t)
            props.add({hop,
                       {Tilt, -1, sideX(t) < 0 ? PLACEMENT_AREA.left : PLACEMENT_AREA.right,
                        sideY(t) < 0 ? PLACEMENT_AREA.top : PLACEMENT_AREA.bottom}});
        if (!moving) {
            for (int32_t k = 0; k < 2 && n >= 3; ++k) {
                ComputerAction stroke = randomStroke(sampler, order, n);
                if (stroke.ball == r || stroke.ball == b) continue;
                props.add({hop, stroke});
            }
        } else if (ballMoving(anchor)) {
            props.add({{Stop, r, 0, 0}, hop});
        } else {
            props.add({hop});
        }
    }
}

} // namespace

const LevelSettings& levelSettings(int32_t level)
{
    return LEVELS[level < 1 ? 0 : level > 3 ? 2 : level - 1];
}

uint32_t nextSample(Sampler& sampler)
{
    uint32_t x = sampler.state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return sampler.state = x;
}

Sampler samplerFor(uint32_t seed)
{
    // The table's facts that no clock touches: where the balls are, how they move, the tallies.
    uint32_t h = 2166136261u ^ seed;
    auto mix = [&h](const void* data, size_t size) {
        const unsigned char* bytes = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) h = (h ^ bytes[i]) * 16777619u;
    };
    for (const Ball& ball : game.balls) {
        mix(&ball.x, sizeof ball.x);
        mix(&ball.y, sizeof ball.y);
        mix(&ball.vx, sizeof ball.vx);
        mix(&ball.vy, sizeof ball.vy);
        mix(&ball.value, sizeof ball.value);
    }
    mix(&game.match, sizeof game.match);
    mix(game.usesLeft, sizeof game.usesLeft);
    Sampler sampler{h == 0 ? 1u : h};
    nextSample(sampler);
    return sampler;
}

int32_t proposeCandidates(int32_t level, Sampler& sampler, Candidate* out)
{
    const LevelSettings& s = levelSettings(level);
    // The pause cannot come sooner than a step after the start: at a high speed, more ticks.
    const int32_t stepTicks =
        static_cast<int32_t>(COMPUTER_STEP_MS) / game.options.tickInterval + 1;
    Proposals props{out, 0, s.runTicks > 0 && s.runTicks < stepTicks ? stepTicks : s.runTicks};
    int32_t order[BALL_COUNT];
    const int32_t n = ballsByValue(order);
    if (n == 0) return 0;
    bool moving = false;
    for (const Ball& ball : game.balls) moving = moving || (ball.onTable && ballMoving(ball));

    if (moving) props.add({}); // let it roll on
    for (int32_t k = 0; k < s.strokeSamples && !moving; ++k)
        props.add({randomStroke(sampler, order, n)});
    if (s.stirs) {
        const ComputerAction chaos{Chaos, -1, 150, 200}, boost{Boost, -1, 150, 200};
        props.add({chaos});
        props.add({chaos, boost});
        if (moving) props.add({boost});
        for (int32_t k = 0; k < 3; ++k) {
            const ComputerAction hammer = randomPlace(sampler, Hammer);
            props.add({hammer});
            props.add({hammer, boost});
        }
        // A Fan in a corner, blowing across the table, keeps the balls going.
        for (int32_t p = 0; p < 4; ++p) {
            const ComputerAction fan{Fan, -1, BESIDE_X[p], BESIDE_Y[p], 150, 200};
            props.add({fan});
            if (!moving) props.add({chaos, boost, fan});
        }
        if (!moving)
            for (int32_t k = 0; k < 3; ++k) {
                const ComputerAction stroke = randomStroke(sampler, order, n);
                props.add({stroke, boost});
                props.add({stroke, chaos, boost});
            }
    }
    // Cashing in: the most valuable balls struck into a pocket, one at a time or together.
    ComputerAction firstChoice[BALL_COUNT];
    int32_t firstChoices = 0;
    for (int32_t k = 0; k < s.topBalls && k < n; ++k) {
        const Ball& ball = game.balls[order[k]];
        if (ball.value <= 0) break;
        int32_t pockets[4];
        pocketsByDistance(ball, pockets);
        for (int32_t j = 0; j < s.pockets; ++j) {
            int32_t x = 0, y = 0;
            if (!aimAtPocket(ball, pockets[j], x, y)) continue;
            const ComputerAction stroke{Cue, order[k], x, y};
            if (j == 0) firstChoice[firstChoices++] = stroke;
            props.add({stroke});
        }
        if (!s.teleports) continue;
        for (int32_t j = 0; j < 2; ++j) {
            int32_t x = 0, y = 0, ax = 0, ay = 0;
            if (!spotBesidePocket(order[k], pockets[j], x, y)) continue;
            // Struck from rest at the spot beside the pocket, straight into its mouth.
            Ball atSpot = ball;
            atSpot.x = x;
            atSpot.y = y;
            atSpot.vx = atSpot.vy = 0;
            if (!aimAtPocket(atSpot, pockets[j], ax, ay)) continue;
            props.add({{Teleport, order[k], x, y}, {Cue, order[k], ax, ay}});
        }
        // A blow from just behind a ball near its pocket.
        const double dx = POCKET_X[pockets[0]] - ball.x, dy = POCKET_Y[pockets[0]] - ball.y;
        const double d = std::sqrt(dx * dx + dy * dy);
        if (d < 80 && d > 1) {
            const int32_t hx = static_cast<int32_t>(std::lround(ball.x - 10 * dx / d));
            const int32_t hy = static_cast<int32_t>(std::lround(ball.y - 10 * dy / d));
            if (inPlacementArea(hx, hy)) props.add({{Hammer, -1, hx, hy}});
        }
    }
    if (s.teleports) addTouchingPairs(props, sampler, order, n, moving);
    if (s.teleports)
        for (int32_t p = 0; p < 4; ++p) {
            // A Fan blowing into a pocket draws in whatever rolls into its stream; the Tilt
            // sends everything towards one corner.
            for (const double reach : {45.0, 70.0}) {
                const int32_t fx = clampTo(CORNER_X[p] - sideX(p) * reach, PLACEMENT_AREA.left,
                                           PLACEMENT_AREA.right);
                const int32_t fy = clampTo(CORNER_Y[p] - sideY(p) * reach * 0.8, PLACEMENT_AREA.top,
                                           PLACEMENT_AREA.bottom);
                props.add({{Fan, -1, fx, fy, static_cast<int32_t>(POCKET_X[p]),
                            static_cast<int32_t>(POCKET_Y[p])}});
            }
            props.add({{Tilt, -1, sideX(p) < 0 ? PLACEMENT_AREA.left : PLACEMENT_AREA.right,
                        sideY(p) < 0 ? PLACEMENT_AREA.top : PLACEMENT_AREA.bottom}});
        }
    if (firstChoices >= 2) props.add({firstChoice[0], firstChoice[1]});
    if (firstChoices >= 3) props.add({firstChoice[0], firstChoice[1], firstChoice[2]});
    if (firstChoices >= 4)
        props.add({firstChoice[0], firstChoice[1], firstChoice[2], firstChoice[3]});
    if (firstChoices >= 3) props.add({firstChoice[0], firstChoice[2]});
    if (firstChoices >= 3) props.add({firstChoice[1], firstChoice[2]});
    return props.count;
}
