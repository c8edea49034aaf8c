#include "render/menu_ball.h"
#include "render/ball_sprites.h"
#include "rules/match.h"
#include "rules/random.h"

double menuBallX = 307.0;
double menuBallY = 263.0;
double menuBallSpeed = 5.0;
double menuBallVy = 0.0;
int32_t menuBallCell = 7;

namespace {

// A faster ball is drawn in a hotter colour.
int32_t cellForSpeed(double speed) { return ballCell(static_cast<int32_t>(speed * 4)); }

} // namespace

void rollMenuBall()
{
    menuBallX -= menuBallSpeed;
    menuBallY += menuBallVy;
    if (menuBallX < 140) menuBallVy += MENU_BALL_GRAVITY;
    if (menuBallX < -7 || menuBallY > 307) {
        menuBallX = 307;
        menuBallY = 263;
        menuBallSpeed = (gameRandom() % 7) + 3;
        menuBallVy = 0;
        menuBallCell = cellForSpeed(menuBallSpeed);
    }
}

void bounceMenuBall()
{
    menuBallX += menuBallSpeed;
    menuBallY += menuBallVy;
    if (menuBallY >= 293) {
        menuBallVy = -menuBallVy;
        menuBallY = 293;
    }
    menuBallVy += MENU_BALL_GRAVITY;
    if (menuBallX > 330) {
        menuBallX = -30;
        menuBallSpeed = (gameRandom() % 9) + 1;
        menuBallVy = 0;
        menuBallCell = cellForSpeed(menuBallSpeed);
        menuBallY = Match.gameKind == TwoPlayers ? 210 : 180;
    }
}

void resetMenuBall()
{
    menuBallX = 307;
    menuBallY = 263;
    menuBallSpeed = 5;
    menuBallVy = 0;
}
