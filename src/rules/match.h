// The match being played: who is to move, the turn count and each player's tally.
#pragma once
#include <cstdint>

constexpr int32_t WINNER_DRAW = 10;

enum GameKind : int32_t { OnePlayer = 1, TwoPlayers = 2 };

struct MatchRecord {
    int32_t gameKind; // a GameKind: the score attack or the two-player match
    int32_t turnNumber;
    int32_t turnLimit; // one-player games last this many turns
    int32_t currentPlayer;
    int32_t points[2];
    int32_t ballsPocketed[2];
    int32_t winner; // 0 or 1, WINNER_DRAW, or -1 while undecided
};

// The one-player grade, A to F, for the points of a finished game.
char gradeLetter(int32_t points);
