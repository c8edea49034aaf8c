#include "shell/clock.h"
#include <SDL/SDL.h>

uint8_t useVirtualClock = 0;
uint32_t virtualClockMs = 0;
uint32_t realClockShift = 0;

uint32_t readClock() { return useVirtualClock ? virtualClockMs : SDL_GetTicks() - realClockShift; }

void sleepMs(uint32_t ms)
{
    if (useVirtualClock)
        virtualClockMs += ms;
    else
        SDL_Delay(ms);
}
