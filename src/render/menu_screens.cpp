#include "render/menu_screens.h"
#include "render/assets.h"
#include "render/ball_sprites.h"
#include "render/surfaces.h"
#include "shell/game_mode.h"
#include "shell/menu_ball.h"

namespace {

constexpr int32_t HIGHLIGHT_BALL_CELL = 8;
constexpr int32_t OFF_MARK_X = 150;

void drawMenuBall()
{
    blitToScreen(ballsImage, static_cast<int32_t>(menuBallX) - 7,
                 static_cast<int32_t>(menuBallY) - 7, BALL_CELL_SIZE * menuBallCell, 0,
                 BALL_CELL_SIZE, BALL_CELL_SIZE);
}

void drawHighlight(int32_t selection)
{
    if (selection < 0 || selection > 4) return;
    blendToScreen(shadeImage, 101, 138 + 17 * selection, 0, 0, 16, 16, SHADOW_WEIGHT);
    blitToScreen(ballsImage, 95, 135 + 17 * selection, BALL_CELL_SIZE * HIGHLIGHT_BALL_CELL, 0,
                 BALL_CELL_SIZE, BALL_CELL_SIZE);
}

void drawOffMark(int32_t x, int32_t y) { blitToScreen(optionValuesImage, x, y, OFF_MARK_X, 0, 32, 16); }

} // namespace

void drawStartScreen()
{
    blitToScreen(startBackgroundImage, 0, 0, 0, 0, 300, 300);
    drawMenuBall();
    drawHighlight(menuSelection);
}

void drawOptionsScreen()
{
    blitToScreen(startBackgroundImage, 0, 0, 0, 0, 300, 300);
    blitToScreen(optionsImage, 115, 125, 0, 0, 110, 100);
    drawMenuBall();
    drawHighlight(optionsSelection);
    blitToScreen(optionValuesImage, 157, 136, (Options.speed - 10) / 10 * 25, 0, 25, 16);
    if (!Options.messages) drawOffMark(161, 153);
    if (!Options.sound) drawOffMark(185, 170);
    if (!Options.music) drawOffMark(173, 187);
}

void drawEndScreen()
{
    blitToScreen(endBackgroundImage, 0, 0, 0, 0, 300, 300);
    drawMenuBall();
}
