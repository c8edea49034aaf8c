// The millisecond clock and the loop's delay. The scripted driver swaps in a virtual clock so a
// script runs the same whatever the machine does.
#pragma once
#include <cstdint>

extern uint8_t useVirtualClock;
extern uint32_t virtualClockMs;
// The real clock reads this much less than the media library's count: a game played on from a
// recording goes on from the recording's clock.
extern uint32_t realClockShift;

uint32_t readClock();
void sleepMs(uint32_t ms);
