// What the scripted driver's `set` lines change: one field of the game each, outside play, with
// nothing else following from it. Play itself never edits the game this way.
#pragma once
#include <cstdint>

// The ball fields a script may set, by the names its lines use.
enum BallField : int32_t {
    FieldX,
    FieldY,
    FieldVx,
    FieldVy,
    FieldValue,
    FieldPocketedBy,
    FieldOnTable,
    FieldNoScore,
    FieldSelected,
    BALL_FIELD_COUNT
};
// How a field's value is written: a decimal, a whole number, or 0 or 1.
enum FieldKind : int32_t { RealField, WholeField, FlagField };
struct BallFieldName {
    const char* name;
    int32_t kind; // a FieldKind
};
extern const BallFieldName BALL_FIELD_NAMES[BALL_FIELD_COUNT];

// Sets one field of ball b; the drawing positions of the balls on the table follow.
void editBall(int32_t b, int32_t field, double value);
void editGameMode(int32_t mode);
void editCurrentPlayer(int32_t player);
void editPoints(int32_t player, int32_t points);
void editBallsPocketed(int32_t player, int32_t count);
void editButtonState(int32_t button, int32_t state);
// The switches of the options: "sound", "music" or "messages". False for any other name.
bool editOption(const char* name, uint8_t on);
