#include "physics/ball_view.h"
#include "physics/ball.h"
#include "rules/game_state.h"
#include <cmath>

int32_t pixelOf(double position)
{
    constexpr double FAR_AWAY = 1000000;
    if (position > FAR_AWAY) return static_cast<int32_t>(FAR_AWAY);
    if (position < -FAR_AWAY || position != position) return static_cast<int32_t>(-FAR_AWAY);
    return static_cast<int32_t>(position);
}

int32_t headingSectorOf(double vx, double vy)
{
    if (vx == 0 && vy == 0) return -1;
    if (vy == 0) return vx > 0 ? 8 : 0;
    if (vx == 0) return vy > 0 ? 12 : 4;
    // The tangents of 11.25, 33.75, 56.25 and 78.75 degrees split the half turn into sectors.
    const double t = vy / vx;
    int32_t base;
    if (t >= 0 && t < 0.1989123674)
        base = 0;
    else if (t >= 0.1989123674 && t < 0.6681786379)
        base = 1;
    else if (t >= 0.6681786379 && t < 1.4966057627)
        base = 2;
    else if (t >= 1.4966057627 && t < 5.0273394921)
        base = 3;
    else if (t >= 5.0273394921 || t < -5.0273394921)
        base = 4;
    else if (t < -1.4966057627)
        base = 5;
    else if (t < -0.6681786379)
        base = 6;
    else if (t < -0.1989123674)
        base = 7;
    else
        base = 8;
    if (vy > 0) base += 8;
    return base % 16;
}

int32_t speedClassOf(double vx, double vy)
{
    constexpr double thresholds[] = {0.5, 0.8, 1.0, 1.2, 1.4, 1.6, 1.8, 2.1, 2.5};
    const double speed = std::sqrt(vx * vx + vy * vy);
    int32_t speedClass = 0;
    for (double threshold : thresholds)
        if (threshold <= speed) ++speedClass;
    return speedClass;
}

void updateBallScreenPositions()
{
    for (Ball& ball : game.balls)
        if (ball.onTable) {
            ball.screenX = pixelOf(ball.x);
            ball.screenY = pixelOf(ball.y);
        }
}

void updateBallArrows()
{
    for (Ball& ball : game.balls) {
        ball.headingSector = headingSectorOf(ball.vx, ball.vy);
        ball.speedClass = speedClassOf(ball.vx, ball.vy);
    }
}

int32_t ballCell(int32_t value)
{
    if (value <= 0) return 1;
    if (value == 1) return 2;
    if (value == 2) return 3;
    if (value <= 6) return 4;
    if (value <= 10) return 5;
    if (value <= 15) return 6;
    if (value <= 20) return 7;
    if (value <= 30) return 8;
    return 9;
}
