#include "render/menu_screens.h"
#include "physics/ball.h"
#include "physics/ball_view.h"
#include "render/assets.h"
#include "render/font.h"
#include "render/surfaces.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/match.h"
#include "rules/menu_ball.h"
#include "rules/message_log.h"
#include "rules/screen_layout.h"
#include <cstdio>

namespace {

constexpr int32_t HIGHLIGHT_BALL_CELL = 8;
constexpr int32_t OFF_MARK_X = 150;

void drawMenuBall()
{
    blitToScreen(ballsImage, static_cast<int32_t>(game.menuBallX) - 7,
                 static_cast<int32_t>(game.menuBallY) - 7, BALL_CELL_SIZE * game.menuBallCell, 0,
                 BALL_CELL_SIZE, BALL_CELL_SIZE);
}

void drawHighlight(int32_t selection)
{
    if (selection < 0 || selection >= MENU_ROWS) return;
    blendToScreen(shadeImage, HIGHLIGHT_SHADOW_X, HIGHLIGHT_SHADOW_Y + MENU_ROW_HEIGHT * selection,
                  0, 0, 16, 16, SHADOW_WEIGHT);
    blitToScreen(ballsImage, HIGHLIGHT_BALL_X, HIGHLIGHT_BALL_Y + MENU_ROW_HEIGHT * selection,
                 BALL_CELL_SIZE * HIGHLIGHT_BALL_CELL, 0, BALL_CELL_SIZE, BALL_CELL_SIZE);
}

void drawOffMark(ScreenPoint at)
{
    blitToScreen(optionValuesImage, at.x, at.y, OFF_MARK_X, 0, OFF_MARK_WIDTH, OFF_MARK_HEIGHT);
}

// A player's pocketed balls in index order, left to right.
void drawPocketedBalls(int32_t player, int32_t y)
{
    int32_t x = 9;
    for (const Ball& ball : game.balls) {
        if (ball.pocketedBy != player) continue;
        blitToScreen(ballsImage, x, y, BALL_CELL_SIZE * ballCell(ball.value), 0, BALL_CELL_SIZE,
                     BALL_CELL_SIZE);
        x += BALL_CELL_SIZE;
    }
}

void drawResultLine(int32_t player, int32_t baseline)
{
    char line[MESSAGE_LINE_SIZE];
    std::snprintf(line, sizeof line, "Player %d: %d balls, %d points", player + 1,
                  game.match.ballsPocketed[player], game.match.points[player]);
    drawText(line, 10, baseline);
}

} // namespace

void drawStartScreen()
{
    blitToScreen(startBackgroundImage, 0, 0, 0, 0, 300, 300);
    drawMenuBall();
    drawHighlight(game.menuSelection);
}

void drawOptionsScreen()
{
    blitToScreen(startBackgroundImage, 0, 0, 0, 0, 300, 300);
    blitToScreen(optionsImage, OPTIONS_PANEL_X, OPTIONS_PANEL_Y, 0, 0, OPTIONS_PANEL_WIDTH,
                 OPTIONS_PANEL_HEIGHT);
    drawMenuBall();
    drawHighlight(game.optionsSelection);
    blitToScreen(optionValuesImage, SPEED_VALUE_X, SPEED_VALUE_Y,
                 (game.options.speed - 10) / 10 * SPEED_VALUE_WIDTH, 0, SPEED_VALUE_WIDTH,
                 SPEED_VALUE_HEIGHT);
    // Each switch's off mark covers the panel's own "on" badge, which is drawn under it.
    if (!game.options.messages) drawOffMark(OFF_MARK_MESSAGES);
    if (!game.options.sound) drawOffMark(OFF_MARK_SOUND);
    if (!game.options.music) drawOffMark(OFF_MARK_MUSIC);
}

void drawEndScreen()
{
    blitToScreen(endBackgroundImage, 0, 0, 0, 0, 300, 300);
    const int32_t bannerY = game.match.gameKind == OnePlayer   ? 150
                            : game.match.winner == 0           ? 0
                            : game.match.winner == 1           ? 50
                            : game.match.winner == WINNER_DRAW ? 100
                                                               : -1;
    if (bannerY >= 0) blitToScreen(bannersImage, 0, 0, 0, bannerY, 300, 50);
    drawPocketedBalls(0, 87);
    drawResultLine(0, 75);
    if (game.match.gameKind == OnePlayer) {
        char line[MESSAGE_LINE_SIZE];
        std::snprintf(line, sizeof line, "Your grade: %c", gradeLetter(game.match.points[0]));
        drawText(line, 90, 150);
    } else {
        // Player 2's row sits on a copy of the band behind player 1's.
        blitToScreen(endBackgroundImage, 0, 145, 0, 78, 300, 30);
        drawPocketedBalls(1, 154);
        drawResultLine(1, 140);
    }
    drawMenuBall();
}
