#include "bench_window.h"
#include "physics/ball.h"
#include "physics/ball_view.h"
#include "render/assets.h"
#include "render/surfaces.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/progress_log.h"
#include "rules/tool_catalogue.h"
#include "rules/turn_cycle.h"
#include "shell/main_loop.h"
#include <cstdio>

bool openBenchWindow()
{
    if (screen) return true;
    return startUp(ScriptedGame);
}

namespace {

// The tools that stay on the Table after their placement, taken in turn.
constexpr int32_t LASTING_KINDS[] = {Fan, ReflectHorizontal, ReflectVertical, Magnet};

} // namespace

void scatteredMatch(int32_t toolsPlaced)
{
    openBenchWindow();
    game.options.sound = 0; // the mixer is not open here; cues cost nothing either way
    prepareField();
    // Five columns by four rows, 45 and 35 pixels apart, all rolling down and to the right at
    // nearly the same speed: for twenty ticks no ball meets another or a cushion, so none comes
    // to rest (which would end in a redraw of the whole window) and all twenty keep moving.
    for (int32_t i = 0; i < BALL_COUNT; ++i) {
        Ball& ball = game.balls[i];
        ball.x = 50 + 45 * (i % 5);
        ball.y = 150 + 35 * (i / 5);
        ball.vx = 1.2 + 0.05 * (i % 5);
        ball.vy = 0.4 + 0.05 * (i / 5);
    }
    // Spread over the cloth inside the border, 6 columns by 5 rows of places.
    for (int32_t slot = 0; slot < toolsPlaced && slot < PLACED_TOOL_SLOTS; ++slot) {
        game.placedTools.kind[slot] = LASTING_KINDS[slot % 4];
        game.placedTools.x[slot] = 50 + 40 * (slot % 6);
        game.placedTools.y[slot] = 140 + 30 * (slot / 6 % 5);
        game.placedTools.screenX[slot] = static_cast<int32_t>(game.placedTools.x[slot]);
        game.placedTools.screenY[slot] = static_cast<int32_t>(game.placedTools.y[slot]);
        game.placedTools.dirX[slot] = 2;
        game.placedTools.dirY[slot] = 1;
        game.placedToolCount = slot + 1;
    }
    updateBallScreenPositions();
    updateBallArrows();
    game.gameMode = Running;
}
