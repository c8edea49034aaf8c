#include "rules/menu_ball.h"
#include "physics/ball_view.h"
#include "rules/game_state.h"
#include "rules/match.h"
#include "rules/random.h"

namespace {

// A faster ball is drawn in a hotter colour.
int32_t cellForSpeed(double speed) { return ballCell(static_cast<int32_t>(speed * 4)); }

} // namespace

void rollMenuBall()
{
    game.menuBallX -= game.menuBallSpeed;
    game.menuBallY += game.menuBallVy;
    if (game.menuBallX < 140) game.menuBallVy += MENU_BALL_GRAVITY;
    if (game.menuBallX < -7 || game.menuBallY > 307) {
        game.menuBallX = 307;
        game.menuBallY = 263;
        game.menuBallSpeed = (gameRandom() % 7) + 3;
        game.menuBallVy = 0;
        game.menuBallCell = cellForSpeed(game.menuBallSpeed);
    }
}

void bounceMenuBall()
{
    game.menuBallX += game.menuBallSpeed;
    game.menuBallY += game.menuBallVy;
    if (game.menuBallY >= 293) {
        game.menuBallVy = -game.menuBallVy;
        game.menuBallY = 293;
    }
    game.menuBallVy += MENU_BALL_GRAVITY;
    if (game.menuBallX > 330) {
        game.menuBallX = -30;
        game.menuBallSpeed = (gameRandom() % 9) + 1;
        game.menuBallVy = 0;
        game.menuBallCell = cellForSpeed(game.menuBallSpeed);
        game.menuBallY = game.match.gameKind == TwoPlayers ? 210 : 180;
    }
}

void resetMenuBall()
{
    game.menuBallX = 307;
    game.menuBallY = 263;
    game.menuBallSpeed = 5;
    game.menuBallVy = 0;
}
