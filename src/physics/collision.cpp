#include "physics/collision.h"
#include "physics/ball.h"
#include "rules/game_state.h"
#include "rules/platform.h"
#include <cmath>

bool overlapAndSeparate(int32_t i, int32_t j)
{
    Ball& a = game.balls[i];
    Ball& b = game.balls[j];
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (!(d <= CONTACT_DISTANCE)) return false;
    // Two balls on the very same spot have no line between them: part them along x.
    if (d == 0) {
        b.x = a.x + CONTACT_DISTANCE;
        return true;
    }
    const double f = 1 - CONTACT_DISTANCE / d;
    b.x += dx * f;
    b.y += dy * f;
    return true;
}

void collidePair(int32_t i, int32_t j)
{
    Ball& a = game.balls[i];
    Ball& b = game.balls[j];
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    double nx = 0, ny = 0;
    if (length > 0.00001) {
        nx = dx / length;
        ny = dy / length;
    }
    const double rx = b.vx - a.vx;
    const double ry = b.vy - a.vy;
    int32_t volume = 0;
    if (game.options.sound) volume = mixerVolume((rx * rx + ry * ry) / 72 * 200);
    // Equal masses: the components along the line of centres change places.
    const double u = nx * rx + ny * ry;
    a.vx += u * nx;
    a.vy += u * ny;
    b.vx -= u * nx;
    b.vy -= u * ny;
    if (!a.noScore) ++a.value;
    if (!b.noScore) ++b.value;
    if (game.options.sound && volume >= QUIETEST_AUDIBLE) {
        platform.setEffectVolume(EffectCollision, volume);
        platform.playEffect(EffectCollision, FIRST_FREE_CHANNEL, 0);
    }
}
