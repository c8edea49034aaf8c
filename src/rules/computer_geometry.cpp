#include "rules/computer_geometry.h"
#include "physics/ball_tools.h"
#include "rules/game_state.h"
#include "rules/screen_layout.h"
#include <algorithm>
#include <cmath>

namespace {

bool inWindow(double x, double y)
{
    return x >= 0 && x < WINDOW_WIDTH && y >= 0 && y < WINDOW_HEIGHT;
}

} // namespace

int32_t clampTo(double v, int32_t low, int32_t high)
{
    const int32_t r = static_cast<int32_t>(std::lround(v));
    return r < low ? low : r > high ? high : r;
}

bool inPlacementArea(int32_t x, int32_t y)
{
    return x >= PLACEMENT_AREA.left && x <= PLACEMENT_AREA.right && y >= PLACEMENT_AREA.top &&
           y <= PLACEMENT_AREA.bottom;
}

bool spotBesidePocket(int32_t b, int32_t p, int32_t& x, int32_t& y)
{
    constexpr double AWAY[6][2] = {{14, 14}, {20, 20}, {14, 26}, {26, 14}, {28, 28}, {36, 22}};
    for (const auto& away : AWAY) {
        x = static_cast<int32_t>(CORNER_X[p] - sideX(p) * away[0]);
        y = static_cast<int32_t>(CORNER_Y[p] - sideY(p) * away[1]);
        if (isFreeSpot(x, y, b)) return true;
    }
    return false;
}

bool aimAtPocket(const Ball& ball, int32_t p, int32_t& x, int32_t& y)
{
    const double dx = POCKET_X[p] - ball.x, dy = POCKET_Y[p] - ball.y;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (!(d > 1)) return false;
    for (double s = 8; s >= 1; s -= 0.5) {
        const double px = ball.x + 10 * (s * dx / d - ball.vx);
        const double py = ball.y + 10 * (s * dy / d - ball.vy);
        if (!inWindow(px, py)) continue;
        x = static_cast<int32_t>(std::lround(px));
        y = static_cast<int32_t>(std::lround(py));
        return true;
    }
    return false;
}

void pocketsByDistance(const Ball& ball, int32_t order[4])
{
    double d[4];
    for (int32_t p = 0; p < 4; ++p) {
        order[p] = p;
        d[p] = std::hypot(POCKET_X[p] - ball.x, POCKET_Y[p] - ball.y);
    }
    // Pockets as far away as each other keep their own order.
    std::sort(order, order + 4,
              [&d](int32_t a, int32_t b) { return d[a] < d[b] || (d[a] == d[b] && a < b); });
}

// Balls that touch at rest count a contact every tick while the others roll.
bool touchingSpot(int32_t r, int32_t b, int32_t& x, int32_t& y)
{
    const Ball& anchor = game.balls[r];
    // Starting on the side that faces the middle of the table, away from r's pocket.
    const double facing = std::atan2(200 - anchor.y, 150 - anchor.x);
    for (int32_t k = 0; k < 16; ++k) {
        const double angle = facing + (k % 2 == 0 ? 1 : -1) * ((k + 1) / 2) * 0.3927;
        x = static_cast<int32_t>(std::lround(anchor.x + 14.6 * std::cos(angle)));
        y = static_cast<int32_t>(std::lround(anchor.y + 14.6 * std::sin(angle)));
        const double d = std::hypot(x - anchor.x, y - anchor.y);
        if (d >= 14.05 && d <= 14.95 && isFreeSpot(x, y, b)) return true;
    }
    return false;
}

int32_t nearestTo(int32_t p, int32_t except)
{
    int32_t best = -1;
    double bestD = 1e9;
    for (int32_t i = 0; i < BALL_COUNT; ++i) {
        const Ball& ball = game.balls[i];
        if (!ball.onTable || i == except) continue;
        const double d = std::hypot(POCKET_X[p] - ball.x, POCKET_Y[p] - ball.y);
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}
