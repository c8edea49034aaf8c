// The game as it ships, telling the moment its first frame reached the window: bench/run times
// the start-up with it.
#include "shell/first_frame_stamp.h"
#include "shell/main_loop.h"

int main(int, char**)
{
    afterFirstFrame = stampFirstFrame;
    if (!startUp(PlayerGame)) return 1;
    for (;;) runPass();
}
