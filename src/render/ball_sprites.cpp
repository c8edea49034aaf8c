#include "render/ball_sprites.h"

int32_t ballCell(int32_t value)
{
    if (value <= 0) return 1;
    if (value == 1) return 2;
    if (value == 2) return 3;
    if (value <= 6) return 4;
    if (value <= 10) return 5;
    if (value <= 15) return 6;
    if (value <= 20) return 7;
    if (value <= 30) return 8;
    return 9;
}
