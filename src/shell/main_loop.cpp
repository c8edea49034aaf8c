#include "shell/main_loop.h"
#include "render/asset_files.h"
#include "render/assets.h"
#include "render/frame.h"
#include "render/surfaces.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/game_tick.h"
#include "rules/platform.h"
#include "rules/progress_log.h"
#include "shell/audio.h"
#include "shell/clock.h"
#include "shell/computer_seat.h"
#include "shell/game_recording.h"
#include "shell/input.h"
#include "shell/watching.h"
#include <SDL/SDL.h>
#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t INIT_VIDEO_AND_AUDIO = 0x30;
constexpr uint32_t INIT_VIDEO = 0x20;

// The window shows its 300 x 300 pixels one for one: asked to, the media library pushes them
// through its plain software path instead of through OpenGL, which on a machine without a
// graphics driver loads a software rasteriser of some 90 MiB with a thread per core. What
// reaches the window is the same; a setting of the player's own in the environment wins.
void preferPlainWindow()
{
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);
}

// The game as it stood before a motion was handled: a motion that changed nothing in it (the
// pointer moved while nothing aims and no menu is shown) is left out of the recording.
GameState gameBeforeMotion;
// Whether an event of the pass asked for the whole window again.
bool frameWanted = false;

// Handles one event of the pass and records it, once handled, if the game acted on it. Returns
// whether it leaves the game; that event is left for the caller to record or not.
bool handleAndRecord(const SDL_Event& event)
{
    const bool motion = event.type == SDL_MOUSEMOTION;
    if (motion) std::memcpy(&gameBeforeMotion, &game, sizeof game);
    const int32_t outcome = handleEvent(event);
    if (outcome & FrameWanted) frameWanted = true;
    if (outcome & LeaveGame) return true;
    if (!motion || std::memcmp(&gameBeforeMotion, &game, sizeof game) != 0) recordEvent(event);
    return false;
}

// The rest of a pass once its events are handled: the computer's move, the tick, the frame.
void finishPass()
{
    // The clock, read once: the computer's pacing and the tick go by the same reading.
    const uint32_t now = readClock();
    // The computer's move, in the same pass and the same way as a person's.
    SDL_Event moves[2];
    const int32_t moveCount = computerEvents(now, moves);
    for (int32_t i = 0; i < moveCount; ++i) handleAndRecord(moves[i]);
    const int32_t tickDue = game.nextTickTime;
    const bool ticked = tickWhenDue(now);
    // The one frame of the pass, after everything it handled and the tick.
    if (frameWanted || ticked) drawFrame();
    frameWanted = false;
    recordPass(now, tickDue, ticked);
}

} // namespace

void (*afterFirstFrame)() = nullptr;

void connectPlatform()
{
    platform = {setEffectVolume, playEffect, haltChannel, playMusic, haltMusic};
}

bool startUp(int32_t kind)
{
    // The game starts once in a process: a second call finds it started and opens nothing again.
    static bool started = false;
    if (started) return true;
    started = true;
    if (kind == ScriptedGame) {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        useVirtualClock = 1;
        virtualClockMs = 0;
    } else {
        openGameRecording();
    }
    connectPlatform();
    progressLog = std::fopen("logFile.txt", "w");
    if (!progressLog) return false;
    preferPlainWindow();
    // Each line reaches the file as it is written, so the log tells how far a run got even
    // when the process is killed.
    std::setvbuf(progressLog, nullptr, _IOLBF, BUFSIZ);
    // A machine without any sound device still plays, silently: only the lack of video is
    // fatal. The mixer below then reports the missing audio.
    if (SDL_Init(INIT_VIDEO_AND_AUDIO) < 0 && SDL_Init(INIT_VIDEO) < 0) {
        std::fprintf(progressLog, "Unable to init SDL: %s\n", SDL_GetError());
        std::exit(1);
    }
    std::atexit(SDL_Quit);
    openAudio();
    SDL_WM_SetCaption("Kestrola", "Kestrola");
    screen = SDL_SetVideoMode(WINDOW_WIDTH, WINDOW_HEIGHT, 32, 0);
    if (!screen) {
        std::fprintf(progressLog, "Unable to set %d x %d video: %s\n", WINDOW_WIDTH, WINDOW_HEIGHT,
                     SDL_GetError());
        std::exit(1);
    }
    std::fprintf(progressLog, "screen successfully initialized\n");
    std::fprintf(progressLog, "Program started\n");
    chooseComputerFromSettings();
    if (!loadAssets()) shutDown();
    fullRedraw = 1;
    drawFrame();
    if (afterFirstFrame) afterFirstFrame();
    loadSounds();
    SDL_ShowCursor(1);
    if (game.options.music) playMusic(MusicMenu, LOOP_FOREVER);
    return true;
}

void runPass()
{
    // A watched game runs on a clock of its own, which the watch moves on.
    if (watchingRecording())
        SDL_Delay(1);
    else
        sleepMs(1);
    passAfterDelay();
}

void passAfterDelay()
{
    if (watchingRecording()) {
        watchPass();
        return;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        // While the computer plays, a person's input is dropped before it is recorded, so that
        // the recording holds only what the game acted on.
        if (heldBackForComputer(event)) continue;
        if (handleAndRecord(event)) {
            recordEvent(event);
            shutDown();
        }
    }
    finishPass();
    noteWhoseTurn();
}

bool watchedPass(const SDL_Event* events, int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
        if (handleAndRecord(events[i])) {
            frameWanted = false;
            return false;
        }
    finishPass();
    return true;
}

void shutDown()
{
    closeGameRecording();
    releaseAudio();
    std::exit(1);
}
