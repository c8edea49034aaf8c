#include "render/table_screen.h"
#include "physics/ball.h"
#include "physics/ball_view.h"
#include "render/assets.h"
#include "render/font.h"
#include "render/surfaces.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/match.h"
#include "rules/message_log.h"
#include "rules/screen_layout.h"
#include "rules/tool_catalogue.h"
#include "rules/tutorial_pages.h"
#include <cmath>

namespace {

constexpr int32_t ICON_SIZE = 22;

void drawDigit(int32_t digit, int32_t x) { blitToScreen(numbersImage, x, 1, 7 * digit, 0, 7, 8); }

void drawScores()
{
    for (int32_t p = 0; p < 2; ++p) {
        const int32_t points = game.match.points[p];
        drawDigit(points / 100 % 10, 56 + 203 * p);
        drawDigit(points / 10 % 10, 63 + 203 * p);
        drawDigit(points % 10, 70 + 203 * p);
    }
}

// The cell row of the button sheet for a button's state: Active, Available, Unavailable.
int32_t buttonCellY(int32_t k)
{
    const int32_t stateRow = game.buttonState[k] == Active      ? 0
                             : game.buttonState[k] == Available ? 1
                                                                : 2;
    return 90 * (k / 10) + BUTTON_SIZE * stateRow;
}

void drawButtonRow()
{
    const int32_t first = BUTTONS_PER_ROW * game.buttonRow;
    for (int32_t k = first; k < first + BUTTONS_PER_ROW; ++k) {
        const int32_t x = (k % BUTTONS_PER_ROW) * BUTTON_SIZE;
        blitToScreen(buttonsImage, x, BUTTON_ROW_Y, x, buttonCellY(k), BUTTON_SIZE, BUTTON_SIZE);
    }
}

void drawArrow(int32_t speedClass, int32_t sector, int32_t x, int32_t y)
{
    if (sector < 0 || sector > 15 || speedClass < 0 || speedClass > 9) return;
    blitToScreen(arrowsImage, x, y, static_cast<int32_t>(speedClass * 17.4),
                 static_cast<int32_t>(sector * 14.8), 17, 13);
}

void drawBalls()
{
    const bool arrows = game.gameMode == Paused || game.gameMode == ToolSelected ||
                        game.gameMode == Aiming || tutorialPage(game.gameMode).arrowsShown;
    for (const Ball& ball : game.balls) {
        const int32_t cell = ball.selected ? SELECTED_BALL_CELL : ballCell(ball.value);
        blitToScreen(ballsImage, ball.screenX - 7, ball.screenY - 7, BALL_CELL_SIZE * cell, 0,
                     BALL_CELL_SIZE, BALL_CELL_SIZE);
        if (arrows && ball.headingSector >= 0)
            drawArrow(ball.speedClass, ball.headingSector, ball.screenX - 5, ball.screenY - 5);
    }
}

void drawAimForSelection()
{
    if (!(game.gameMode == Aiming || tutorialPage(game.gameMode).aimFollowsMouse) ||
        game.selectedTool < 0)
        return;
    if (toolCatalogue[game.selectedTool].target == TargetBall && game.selectedBall >= 0)
        drawAim(game.balls[game.selectedBall].x, game.balls[game.selectedBall].y, game.aimX,
                game.aimY);
    else if (toolCatalogue[game.selectedTool].target == TargetPoint &&
             game.placedToolCount < PLACED_TOOL_SLOTS)
        drawAim(game.placedTools.x[game.placedToolCount], game.placedTools.y[game.placedToolCount],
                game.aimX, game.aimY);
}

} // namespace

void drawPlacedTools()
{
    for (int32_t s = 0; s < PLACED_TOOL_SLOTS; ++s) {
        const int32_t kind = game.placedTools.kind[s];
        if (kind < 0) continue;
        blitToScreen(buttonsImage, game.placedTools.screenX[s] - 11,
                     game.placedTools.screenY[s] - 11, (kind % 10) * BUTTON_SIZE + 4,
                     (kind / 10) * 90 + 4, ICON_SIZE, ICON_SIZE);
        if (kind != Fan) continue;
        // The fan's stream: an arrow 20 pixels out, pointing and coloured by the stream.
        const double dirX = game.placedTools.dirX[s], dirY = game.placedTools.dirY[s];
        const double length = std::sqrt(dirX * dirX + dirY * dirY);
        if (length > 0)
            drawArrow(speedClassOf(dirX, dirY), headingSectorOf(dirX, dirY),
                      pixelOf(dirX / length * 20 + game.placedTools.x[s]) - 8,
                      pixelOf(dirY / length * 20 + game.placedTools.y[s]) - 6);
    }
}

void drawAim(double x0, double y0, double x1, double y1)
{
    const double dx = x1 - x0, dy = y1 - y0;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 5.0)) return;
    const int32_t sector = headingSectorOf(dx, dy);
    const int32_t speedClass = speedClassOf(dx / 20, dy / 20);
    const int32_t outX = static_cast<int32_t>(dx / length * 20);
    const int32_t outY = static_cast<int32_t>(dy / length * 20);
    const int32_t aimedX = pixelOf(x1), aimedY = pixelOf(y1);
    if (game.selectedTool == Cue && game.selectedBall >= 0) {
        const Ball& ball = game.balls[game.selectedBall];
        drawArrow(speedClass, sector, ball.screenX + outX - 8, ball.screenY + outY - 6);
    } else if (game.selectedTool == Teleport) {
        // Four arrows closing in on the destination from every side.
        drawArrow(8, 8, aimedX - 18, aimedY - 6);
        drawArrow(8, 12, aimedX - 8, aimedY - 16);
        drawArrow(8, 0, aimedX + 2, aimedY - 6);
        drawArrow(8, 4, aimedX - 8, aimedY + 4);
    } else if (game.selectedTool == Jump) {
        drawArrow(5, sector, aimedX - outX - 8, aimedY - outY - 6);
        drawArrow(5, sector, aimedX - static_cast<int32_t>(dx / length * 5) - 8,
                  aimedY - static_cast<int32_t>(dy / length * 5) - 6);
    }
    const int32_t s = game.placedToolCount;
    if (game.placedTools.kind[s] == Fan)
        drawArrow(speedClass, sector, game.placedTools.screenX[s] + outX - 8,
                  game.placedTools.screenY[s] + outY - 6);
}

void drawTableScreen()
{
    blitToScreen(panelImage, 0, 0, 0, 0, 300, 40);
    blitToScreen(messageBackImage, 0, 40, 0, 0, 300, 60);
    drawText(game.messageLog.upper, 5, 55);
    drawText(game.messageLog.lower, 5, 65);
    drawScores();
    drawButtonRow();
    blitToScreen(fieldImage, TABLE_AREA.x, TABLE_AREA.y, 0, 0, TABLE_AREA.w, TABLE_AREA.h);
    drawPlacedTools();
    for (const Ball& ball : game.balls)
        if (ball.onTable)
            blendToScreen(shadeImage, ball.screenX - 1, ball.screenY - 4, 0, 0, 16, 16,
                          SHADOW_WEIGHT);
    blitToScreen(holesImage, TABLE_AREA.x, TABLE_AREA.y, 0, 0, TABLE_AREA.w, TABLE_AREA.h);
    drawBalls();
    blitToScreen(borderImage, TABLE_AREA.x, TABLE_AREA.y, 0, 0, TABLE_AREA.w, TABLE_AREA.h);
    drawAimForSelection();
}
