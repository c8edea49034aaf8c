#include "rules/script_edits.h"
#include "physics/ball_view.h"
#include "rules/game_state.h"
#include <cstring>

// clang-format off
const BallFieldName BALL_FIELD_NAMES[BALL_FIELD_COUNT] = {
    {"x", RealField},          {"y", RealField},      {"vx", RealField},
    {"vy", RealField},         {"value", WholeField}, {"pocketedBy", WholeField},
    {"onTable", FlagField},    {"noScore", FlagField}, {"selected", FlagField},
};
// clang-format on

void editBall(int32_t b, int32_t field, double value)
{
    Ball& ball = game.balls[b];
    switch (field) {
    case FieldX: ball.x = value; break;
    case FieldY: ball.y = value; break;
    case FieldVx: ball.vx = value; break;
    case FieldVy: ball.vy = value; break;
    case FieldValue: ball.value = static_cast<int32_t>(value); break;
    case FieldPocketedBy: ball.pocketedBy = static_cast<int32_t>(value); break;
    case FieldOnTable: ball.onTable = static_cast<uint8_t>(value); break;
    case FieldNoScore: ball.noScore = static_cast<uint8_t>(value); break;
    case FieldSelected: ball.selected = static_cast<uint8_t>(value); break;
    default: break;
    }
    updateBallScreenPositions();
}

void editGameMode(int32_t mode) { game.gameMode = mode; }
void editCurrentPlayer(int32_t player) { game.match.currentPlayer = player; }
void editPoints(int32_t player, int32_t points) { game.match.points[player] = points; }
void editBallsPocketed(int32_t player, int32_t count) { game.match.ballsPocketed[player] = count; }
void editButtonState(int32_t button, int32_t state) { game.buttonState[button] = state; }

bool editOption(const char* name, uint8_t on)
{
    uint8_t* option = !std::strcmp(name, "sound")      ? &game.options.sound
                      : !std::strcmp(name, "music")    ? &game.options.music
                      : !std::strcmp(name, "messages") ? &game.options.messages
                                                       : nullptr;
    if (option) *option = on;
    return option != nullptr;
}
