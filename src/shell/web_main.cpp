// Kestrola in the browser. The page owns the thread, so the loop cannot sleep: a timer calls one
// pass every millisecond, which is the desktop loop's 1 ms delay, and the pass then reads the
// clock and runs a tick when one is due, exactly as on the desktop.
#include "shell/main_loop.h"
#include <emscripten.h>

int main(int, char**)
{
    // The page asks for the recording (KESTROLA_RECORD) and offers it for download.
    if (!startUp(PlayerGame)) return 1;
    constexpr int PASSES_PER_SECOND = 1000; // a timer, not the display's frame rate
    emscripten_set_main_loop(passAfterDelay, PASSES_PER_SECOND, 1);
}
