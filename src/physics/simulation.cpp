#include "physics/simulation.h"
#include "physics/ball.h"
#include "physics/ball_view.h"
#include "physics/collision.h"
#include "physics/cushions.h"
#include "physics/field_effects.h"
#include "physics/physics_reports.h"
#include "rules/game_state.h"
#include "rules/tool_catalogue.h"
#include <cmath>

namespace {

// The region where the cloth slows a ball. It reaches below the bottom cushion line, so a ball
// in a bottom corner zone still slows down, while one beyond the other lines does not.
bool inDampingRegion(const Ball& ball)
{
    return ball.x > LEFT_CUSHION && ball.x < RIGHT_CUSHION && ball.y > TOP_CUSHION && ball.y < 282;
}

// A fast component loses half a percent; a slow one creeps to a stop by a fixed step.
double applyFriction(double c)
{
    if (c == 0) return c;
    if (c > 0.5 || c < -0.5) return c * 0.995;
    return c > 0 ? c - 0.008 : c + 0.008;
}

void snapCreeping(double& c)
{
    if (c > -0.02 && c < 0.02) c = 0;
}

// Moves ball i and lets it meet cushions, pockets and the balls above it. Balls below i have
// already taken their step in this tick; each pair is tested once, as (i, j) with i < j.
void stepBall(int32_t i)
{
    Ball& ball = game.balls[i];
    if (!ball.onTable) return;
    moveBall(i);
    railAndPocketCheck(i);
    if (ball.onTable)
        for (int32_t j = i + 1; j < BALL_COUNT; ++j)
            if (game.balls[j].onTable && overlapAndSeparate(i, j)) collidePair(i, j);
    // The mark of a Fan or Magnet lasts through the ball's own contacts of this tick only.
    ball.noScore = 0;
}

} // namespace

void tickBalls(bool withFriction)
{
    for (int32_t slot = 0; slot < PLACED_TOOL_SLOTS; ++slot) applyToolEffect(slot);
    for (int32_t i = 0; i < BALL_COUNT; ++i) {
        stepBall(i);
        if (withFriction) dampBall(i);
    }
}

void gameTick()
{
    tickBalls(true);
    updateBallScreenPositions();
}

void moveBall(int32_t i)
{
    game.balls[i].x += game.balls[i].vx;
    game.balls[i].y += game.balls[i].vy;
}

void dampBall(int32_t i)
{
    Ball& ball = game.balls[i];
    if (inDampingRegion(ball)) {
        ball.vx = applyFriction(ball.vx);
        ball.vy = applyFriction(ball.vy);
    }
    // A ball already at rest is left alone: only the one that stops now may end the turn.
    if (ball.vx == 0 && ball.vy == 0) return;
    snapCreeping(ball.vx);
    snapCreeping(ball.vy);
    const double speed = std::sqrt(ball.vx * ball.vx + ball.vy * ball.vy);
    if (speed > MAX_BALL_SPEED) {
        ball.vx = ball.vx / speed * MAX_BALL_SPEED;
        ball.vy = ball.vy / speed * MAX_BALL_SPEED;
    }
    if (ball.vx == 0 && ball.vy == 0) {
        if (game.toolEffectRunning)
            game.ballStoppedDuringEffect = 1;
        else
            ballCameToRest();
    }
}

bool allBallsStopped()
{
    updateBallArrows();
    for (const Ball& ball : game.balls)
        if (ball.vx != 0 || ball.vy != 0) return false;
    return true;
}
