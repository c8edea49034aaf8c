#include "rules/random.h"

uint32_t randomState = 1;

int32_t gameRandom()
{
    // Unsigned arithmetic wraps modulo 2^32, as the generator intends.
    randomState = randomState * 1103515245u + 12345u;
    return static_cast<int32_t>(randomState / 65536 % 32768);
}
