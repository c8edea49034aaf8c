#include "physics/cushions.h"
#include "physics/ball.h"
#include "physics/physics_reports.h"
#include "rules/game_state.h"
#include "rules/platform.h"
#include <cmath>

namespace {

// One cushion: which side of its line the ball has crossed, the stretch of the line that is
// cushion (it stops 2 pixels short of each corner), and how far past the line a pocket takes it.
struct Cushion {
    bool vertical; // the line is x = line (left and right) rather than y = line
    double line;
    double outward;            // +1 when crossing means a greater coordinate
    double spanStart, spanEnd; // the cushion proper, open bounds along the line
    double pocketLimit;
};

// Tried in this order; the first whose side test holds decides.
constexpr Cushion CUSHIONS[4] = {
    {true, RIGHT_CUSHION, +1, 134, 266, 275},
    {true, LEFT_CUSHION, -1, 134, 266, 25},
    {false, BOTTOM_CUSHION, +1, 34, 266, 275},
    {false, TOP_CUSHION, -1, 34, 266, 125},
};

void playBounce(double speedAcross)
{
    const int32_t volume = mixerVolume(std::fabs(speedAcross) * 40);
    if (volume >= QUIETEST_AUDIBLE) {
        platform.setEffectVolume(EffectBounce, volume);
        platform.playEffect(EffectBounce, FIRST_FREE_CHANNEL, 0);
    }
}

} // namespace

void railAndPocketCheck(int32_t i)
{
    Ball& ball = game.balls[i];
    for (const Cushion& cushion : CUSHIONS) {
        double& across = cushion.vertical ? ball.x : ball.y;
        double& speedAcross = cushion.vertical ? ball.vx : ball.vy;
        const double along = cushion.vertical ? ball.y : ball.x;
        if ((across - cushion.line) * cushion.outward <= 0) continue;
        if (along > cushion.spanStart && along < cushion.spanEnd) {
            across = cushion.line;
            const bool outward = speedAcross * cushion.outward > 0;
            if (game.options.sound && outward) playBounce(speedAcross);
            if (outward) speedAcross = -speedAcross;
            // Every contact counts, even one that was already moving away.
            if (!ball.noScore) ++ball.value;
        } else if ((across - cushion.pocketLimit) * cushion.outward > 0) {
            ballPocketed(i);
        }
        return;
    }
}
