#include "rules/match.h"

char gradeLetter(int32_t points)
{
    // 700 itself is an A; every other bound belongs to the letter below it.
    if (points >= 700) return 'A';
    if (points > 400) return 'B';
    if (points > 250) return 'C';
    if (points > 120) return 'D';
    if (points > 50) return 'E';
    return 'F';
}
