#include "physics/cushions.h"
#include "physics/ball.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/match.h"
#include "rules/message_log.h"
#include "rules/platform.h"
#include "rules/turn_cycle.h"
#include "rules/tutorial.h"
#include "rules/tutorial_pages.h"
#include <cmath>
#include <cstdio>

namespace {

constexpr int32_t MAX_POCKETED_VALUE = 49;

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

void pocketBall(Ball& ball)
{
    const int32_t p = game.match.currentPlayer;
    ball.onTable = 0;
    ball.y = 25.0;
    // Player 1's balls line up from the left of the Panel strip, player 2's from the right.
    ball.x =
        p == 0 ? 15 + 14 * game.match.ballsPocketed[0] : 285 - 14 * game.match.ballsPocketed[1];
    ball.screenX = static_cast<int32_t>(ball.x);
    ball.screenY = static_cast<int32_t>(ball.y);
    if (ball.value > MAX_POCKETED_VALUE) ball.value = MAX_POCKETED_VALUE;
    game.match.points[p] += ball.value;
    if (game.match.points[p] <= 0) game.match.points[p] = 0;
    ball.vx = ball.vy = 0;
    ball.pocketedBy = p;
    ++game.match.ballsPocketed[p];
    char line[MESSAGE_LINE_SIZE];
    if (ball.value > 0)
        std::snprintf(line, sizeof line, "Well done, player %d! You get %d points!", p + 1,
                      ball.value);
    else
        std::snprintf(line, sizeof line, "Ball hit nothing before entering a pocket, no score...");
    pushMessage(line);
    // The page is judged as it was when the ball fell, and is turned once: should the end of
    // the turn already have turned it, it is not turned a second time.
    const int32_t page = game.gameMode;
    endOfTurn();
    if (tutorialPage(page).pocketingTurns && game.gameMode == page) advanceTutorialPage();
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
            pocketBall(ball);
        }
        return;
    }
}
