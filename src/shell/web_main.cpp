// Kestrola in the browser. The page owns the thread, so the loop cannot sleep: a timer calls one
// pass every millisecond, which is the desktop loop's 1 ms delay, and the pass then reads the
// clock and runs a tick when one is due, exactly as on the desktop.
#include "rules/game_state.h"
#include "rules/match.h"
#include "shell/main_loop.h"
#include "shell/watching.h"
#include <cstdio>
#include <emscripten.h>

// What the page asks of the game beside its events: whether a recording can be watched, before
// it starts a game to watch it, and where the watch stands, for its controls.
extern "C" {

EMSCRIPTEN_KEEPALIVE const char* kestrolaRecordingProblem(const char* path)
{
    return recordingProblem(path);
}

EMSCRIPTEN_KEEPALIVE const char* kestrolaWatchState()
{
    static char text[200];
    const WatchState watch = watchState();
    std::snprintf(text, sizeof text,
                  "{\"watching\":%d,\"paused\":%d,\"speed\":%d,\"ended\":%d,\"turn\":%d,"
                  "\"turnLimit\":%d,\"player\":%d,\"twoPlayers\":%d,\"mode\":%d}",
                  watch.watching, watch.paused, watch.speed, watch.ended, game.match.turnNumber,
                  game.match.turnLimit, game.match.currentPlayer,
                  game.match.gameKind == TwoPlayers ? 1 : 0, game.gameMode);
    return text;
}
}

int main(int, char**)
{
    // The page asks for the recording (KESTROLA_RECORD) and offers it for download; it has
    // checked a recording to watch (KESTROLA_WATCH) before it started this game.
    if (*readRecordingFromSettings()) return 1;
    if (!startUp(PlayerGame)) return 1;
    startWatchingFromSettings();
    constexpr int PASSES_PER_SECOND = 1000; // a timer, not the display's frame rate
    emscripten_set_main_loop(passAfterDelay, PASSES_PER_SECOND, 1);
}
