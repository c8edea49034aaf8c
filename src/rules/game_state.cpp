#include "rules/game_state.h"

namespace {

constexpr GameState STARTING_GAME = [] {
    GameState start = {};
    start.gameMode = StartMenu;
    start.options = {40, 25, 1, 1, 1};
    start.match = {TwoPlayers, 0, 10, 0, {0, 0}, {0, 0}, -1};
    for (Ball& ball : start.balls) ball.pocketedBy = ball.headingSector = -1;
    start.selectedTool = start.selectedBall = -1;
    for (int32_t slot = 0; slot < PLACED_TOOL_SLOTS; ++slot) {
        start.placedTools.kind[slot] = -1;
        start.placedTools.screenX[slot] = start.placedTools.screenY[slot] = -1;
        start.placedTools.x[slot] = start.placedTools.y[slot] = -1.0;
    }
    start.messageLog = {"Welcome to Kestrola!", "Have a nice game"};
    start.menuSelection = start.optionsSelection = -1;
    start.menuBallX = 307.0;
    start.menuBallY = 263.0;
    start.menuBallSpeed = 5.0;
    start.menuBallCell = 7;
    start.randomState = 1;
    return start;
}();

} // namespace

constinit GameState game = STARTING_GAME;

GameState startingGame() { return STARTING_GAME; }
