#include "rules/turn_cycle.h"
#include "physics/ball.h"
#include "render/ball_sprites.h"
#include "render/frame.h"
#include "rules/match.h"
#include "rules/tool_catalogue.h"
#include "shell/game_mode.h"
#include "shell/main_loop.h"
#include <cstdio>

void prepareField()
{
    std::fprintf(progressLog, "preparing field\n");
    for (int32_t i = 0; i < BALL_COUNT; ++i) {
        Ball& ball = balls[i];
        ball.vx = ball.vy = 0;
        ball.value = 0;
        ball.pocketedBy = -1;
        ball.onTable = 1;
        ball.selected = 0;
        // The rack: four columns by five rows, ball 0 top left, ball 19 bottom right.
        ball.x = (i % 4) * 40 + 90;
        ball.y = (i / 4) * 20 + 160;
    }
    for (int32_t p = 0; p < 2; ++p) Match.points[p] = Match.ballsPocketed[p] = 0;
    for (int32_t k = 0; k < TOOL_COUNT; ++k) {
        usesLeft[k] = chargesPerTurn[k];
        buttonState[k] = usesLeft[k] < 1 ? Unavailable : Available;
    }
    // Time cannot be started while every ball is at rest.
    buttonState[TimeToggle] = buttonState[TimeToggleRow2] = Unavailable;
    for (int32_t slot = 0; slot < PLACED_TOOL_SLOTS; ++slot) clearPlacedTool(slot);
    placedToolCount = 0;
    Match.winner = -1;
    Match.turnNumber = 1;
    Match.currentPlayer = 0;
    selectedTool = -1;
    selectedBall = -1;
    buttonRow = 0;
    menuSelection = -1;
    optionsSelection = -1;
    updateBallScreenPositions();
    updateBallArrows();
}

void endOfTurn()
{
    fullRedraw = 1;
    drawFrame();
}

bool allBallsPocketed() { return Match.ballsPocketed[0] + Match.ballsPocketed[1] == 20; }
