#include "physics/ball_tools.h"
#include "physics/ball.h"
#include "physics/ball_view.h"
#include "rules/game_state.h"
#include "rules/message_log.h"
#include "rules/refusals.h"
#include <cmath>

namespace {

constexpr double PUT_DOWN_CLEARANCE = 14;
constexpr int32_t TELEPORT_COST = 5;

} // namespace

double distanceTo(const Ball& ball, double x, double y)
{
    const double dx = x - ball.x, dy = y - ball.y;
    return std::sqrt(dx * dx + dy * dy);
}

void strikeBall(int32_t b, double x, double y)
{
    Ball& ball = game.balls[b];
    // The stroke adds to the present motion; the tick's damping caps it.
    ball.vx += (x - ball.x) / 10;
    ball.vy += (y - ball.y) / 10;
    if (--ball.value < 0) ball.value = 0;
    updateBallArrows();
    pushMessage("Ball's speed/direction changed (value -1)");
}

void stopBall(int32_t b) { game.balls[b].vx = game.balls[b].vy = 0; }

bool teleportBall(int32_t b, double x, double y)
{
    if (!isFreeSpot(x, y, b)) {
        pushMessage(CANNOT_TELEPORT_THERE);
        return false;
    }
    Ball& ball = game.balls[b];
    ball.x = x;
    ball.y = y;
    ball.vx = ball.vy = 0;
    ball.value = ball.value < TELEPORT_COST ? 0 : ball.value - TELEPORT_COST;
    updateBallArrows();
    pushMessage("Ball teleported! (value -5)");
    return true;
}

bool jumpTarget(int32_t b, double x, double y, double& targetX, double& targetY)
{
    const Ball& ball = game.balls[b];
    const double speed = std::sqrt(ball.vx * ball.vx + ball.vy * ball.vy);
    if (!(speed > 0)) return false;
    const double d = distanceTo(ball, x, y);
    targetX = ball.x + ball.vx / speed * d;
    targetY = ball.y + ball.vy / speed * d;
    return true;
}

bool jumpBall(int32_t b, double x, double y)
{
    double targetX = 0, targetY = 0;
    if (!jumpTarget(b, x, y, targetX, targetY) || !isFreeSpot(targetX, targetY, b)) {
        pushMessage(CANNOT_JUMP_THERE);
        return false;
    }
    game.balls[b].x = targetX;
    game.balls[b].y = targetY;
    pushMessage("Ball jumps!");
    return true;
}

bool isFreeSpot(double px, double py, int32_t except)
{
    if (!(px > LEFT_CUSHION && px < RIGHT_CUSHION && py > TOP_CUSHION && py < BOTTOM_CUSHION))
        return false;
    for (int32_t k = 0; k < BALL_COUNT; ++k) {
        if (k == except || !game.balls[k].onTable) continue;
        if (distanceTo(game.balls[k], px, py) < PUT_DOWN_CLEARANCE) return false;
    }
    return true;
}
