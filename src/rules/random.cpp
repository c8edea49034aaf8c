#include "rules/random.h"
#include "rules/game_state.h"

int32_t gameRandom()
{
    // Unsigned arithmetic wraps modulo 2^32, as the generator intends.
    game.randomState = game.randomState * 1103515245u + 12345u;
    return static_cast<int32_t>(game.randomState / 65536 % 32768);
}
