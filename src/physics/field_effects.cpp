#include "physics/field_effects.h"
#include "physics/ball.h"
#include "physics/physics_reports.h"
#include "physics/simulation.h"
#include "rules/game_state.h"
#include "rules/message_log.h"
#include "rules/random.h"
#include "rules/tool_catalogue.h"
#include <cmath>

namespace {

constexpr double FAN_RANGE = 100;
constexpr double MAGNET_REACH = 60;    // the pull ends here, and the mark ends before it
constexpr double FAN_HALF_ANGLE = 0.5; // radians
// cos(0.5), and a margin far wider than any rounding of acos near it.
constexpr double FAN_EDGE_COSINE = 0.8775825618903728;
constexpr double FAN_EDGE_MARGIN = 1e-9;
constexpr double TABLE_CENTRE_X = 150;
constexpr double TABLE_CENTRE_Y = 200;

// The Fan blows into a cone around its stream. A ball on the axis whose cosine comes out a hair
// above 1 is inside; one a hair below -1 lies straight behind the Fan and is not. A Fan with no
// stream marks every ball in range without pushing it.
void blow(int32_t b, int32_t slot, double dx, double dy, double d)
{
    if (!(d < FAN_RANGE)) return;
    Ball& ball = game.balls[b];
    const double dirX = game.placedTools.dirX[slot], dirY = game.placedTools.dirY[slot];
    const double distance = d < 1 ? 1 : d;
    const double stream = std::sqrt(dirX * dirX + dirY * dirY);
    if (stream > 0) {
        // The angle itself is only needed near the edge of the cone: well inside or well
        // outside, comparing the two sides of the cosine's fraction tells, and gives the same
        // answer.
        const double along = dx * dirX + dy * dirY;
        const double reach = stream * distance;
        if (along < (FAN_EDGE_COSINE - 2 * FAN_EDGE_MARGIN) * reach) return;
        if (!(along > (FAN_EDGE_COSINE + 2 * FAN_EDGE_MARGIN) * reach)) {
            double cosine = along / reach;
            if (cosine > 1) cosine = 1;
            if (!(std::acos(cosine) < FAN_HALF_ANGLE)) return;
        }
    }
    ball.vx += dirX / distance / 2;
    ball.vy += dirY / distance / 2;
    dampBall(b);
    ball.noScore = 1;
}

void tilt(int32_t b, double tx, double ty)
{
    game.balls[b].vx += (tx - TABLE_CENTRE_X) / 50;
    game.balls[b].vy += (ty - TABLE_CENTRE_Y) / 50;
    dampBall(b);
}

// A bar lying along one axis. The face test and the end test both use the offsets taken before
// either moves the ball, so a ball near the middle of the bar can bounce off both.
void reflect(Ball& ball, bool alongX, double tx, double ty, double dx, double dy)
{
    const double across = alongX ? dy : dx; // offset across the bar
    const double along = alongX ? dx : dy;  // offset along the bar
    double& speedAcross = alongX ? ball.vy : ball.vx;
    double& speedAlong = alongX ? ball.vx : ball.vy;
    double& positionAcross = alongX ? ball.y : ball.x;
    double& positionAlong = alongX ? ball.x : ball.y;
    const double barAcross = alongX ? ty : tx;
    const double barAlong = alongX ? tx : ty;
    if (across > -10 && across < 10 && along > -11 && along < 11) {
        speedAcross = -speedAcross;
        pushMessage("Bounce!");
        positionAcross = across < 0 ? barAcross - 10 : barAcross + 10;
    }
    if (along > -18 && along < 18 && across > -4 && across < 4) {
        speedAlong = -speedAlong;
        pushMessage("Bounce!");
        positionAlong = along < 0 ? barAlong - 18 : barAlong + 18;
    }
}

void attract(Ball& ball, double dx, double dy, double d)
{
    if (d > 25 && d < MAGNET_REACH) {
        ball.vx -= 0.1 * dx / d;
        ball.vy -= 0.1 * dy / d;
    }
    if (d < 50) ball.noScore = 1;
}

void hammer(int32_t b, double dx, double dy, double d)
{
    if (d > 5) {
        game.balls[b].vx += 100 * dx / d / d;
        game.balls[b].vy += 100 * dy / d / d;
    }
    dampBall(b);
}

void boost(int32_t b)
{
    game.balls[b].vx *= 10;
    game.balls[b].vy *= 10;
    dampBall(b);
}

// Each component becomes a whole number from -3 to 2; x is drawn before y.
void scramble(int32_t b)
{
    game.balls[b].vx = (gameRandom() % 6) - 3;
    game.balls[b].vy = (gameRandom() % 6) - 3;
    dampBall(b);
}

} // namespace

void applyToolEffect(int32_t slot)
{
    const int32_t kind = game.placedTools.kind[slot];
    if (kind < 0) return;
    const double tx = game.placedTools.x[slot], ty = game.placedTools.y[slot];
    game.toolEffectRunning = 1;
    for (int32_t b = 0; b < BALL_COUNT; ++b) {
        Ball& ball = game.balls[b];
        if (!ball.onTable) continue;
        const double dx = ball.x - tx, dy = ball.y - ty;
        // Only the Fan, the Magnet and the Hammer act by distance, and a ball at or beyond the
        // reach of a Fan or a Magnet is untouched: the square alone tells that, so the root is
        // only taken where it can matter.
        const double squared = dx * dx + dy * dy;
        if (kind == Fan && squared >= FAN_RANGE * FAN_RANGE) continue;
        if (kind == Magnet && squared >= MAGNET_REACH * MAGNET_REACH) continue;
        const bool byDistance = kind == Fan || kind == Magnet || kind == Hammer;
        const double d = byDistance ? std::sqrt(squared) : 0;
        switch (kind) {
        case Fan: blow(b, slot, dx, dy, d); break;
        case Tilt: tilt(b, tx, ty); break;
        case ReflectHorizontal: reflect(ball, true, tx, ty, dx, dy); break;
        case ReflectVertical: reflect(ball, false, tx, ty, dx, dy); break;
        case Magnet: attract(ball, dx, dy, d); break;
        case Hammer: hammer(b, dx, dy, d); break;
        case Boost: boost(b); break;
        case Chaos: scramble(b); break;
        default: break;
        }
    }
    if (kind == Hammer) pushMessage("BANG!");
    if (kind == Boost) pushMessage("All balls accelerated!");
    if (kind == Chaos) pushMessage("Balls' movement randomized!");
    game.toolEffectRunning = 0;
    // A ball the effect brought to rest is told of now, with the effect whole: should the turn
    // end, it ends after the tool has acted on every ball.
    if (game.ballStoppedDuringEffect) {
        game.ballStoppedDuringEffect = 0;
        ballCameToRest();
    }
}
