// The game's clock: the tick that moves everything, run at the speed the options set.
#pragma once
#include <cstdint>

// The pass has read the clock at now: runs one tick when one is due. True when it ran. The
// next is due Options.tickInterval after this one, not after the missed deadline: a slow
// machine runs slower rather than catching up.
bool tickWhenDue(uint32_t now);
// One tick: the match or the tutorial moves, the music rotates, the menu ball rolls.
void runTick();
