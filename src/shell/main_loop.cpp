#include "shell/main_loop.h"
#include "physics/simulation.h"
#include "render/assets.h"
#include "render/asset_files.h"
#include "render/frame.h"
#include "render/surfaces.h"
#include "rules/tutorial.h"
#include "shell/audio.h"
#include "shell/clock.h"
#include "shell/game_mode.h"
#include "shell/input.h"
#include "shell/menu_ball.h"
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <cstdlib>
#include <ctime>

FILE* progressLog = nullptr;
uint32_t currentTicks = 0;
int32_t nextTickTime = 0;
uint32_t ticksRun = 0;
int32_t nextTrackTime = 0;
int32_t currentTrack = 0;

namespace {

constexpr uint32_t INIT_VIDEO_AND_AUDIO = 0x30;
constexpr uint32_t INIT_VIDEO = 0x20;

bool tutorialSimulatedPage(int32_t mode)
{
    return mode == 130 || mode == 131 || mode == 136 || mode == 149 || mode == 158;
}

void rotateMusic()
{
    const bool inMatch = gameMode >= 10 && gameMode <= 29;
    if (!Options.music || static_cast<int32_t>(currentTicks) < nextTrackTime) return;
    if (!inMatch && gameMode < TutorialFirstPage) return;
    currentTrack = std::rand() % 4;
    nextTrackTime = static_cast<int32_t>(currentTicks) + trackLengthMs[currentTrack];
    playMusic(currentTrack, LOOP_FOREVER);
}

// bench/run times the start-up: only when it asks, the moment the first frame has been pushed
// goes to standard error as seconds of the wall clock.
void stampFirstFrame()
{
    if (!std::getenv("KESTROLA_FIRST_FRAME_STAMP")) return;
    timespec now = {};
    clock_gettime(CLOCK_REALTIME, &now);
    std::fprintf(stderr, "first frame %lld.%09ld\n", static_cast<long long>(now.tv_sec),
                 now.tv_nsec);
}

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

} // namespace

bool startUp()
{
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
    if (Mix_OpenAudio(44100, 0x8010, 2, 2048) < 0) {
        std::fprintf(progressLog, "Warning: Couldn't set 44100 Hz 16-bit audio\nReason: %s\n",
                     SDL_GetError());
    } else {
        audioOpen = 1;
        std::fprintf(progressLog, "audio mixer successfully initialized\n");
    }
    SDL_WM_SetCaption("Kestrola", "Kestrola");
    screen = SDL_SetVideoMode(WINDOW_WIDTH, WINDOW_HEIGHT, 32, 0);
    if (!screen) {
        std::fprintf(progressLog, "Unable to set %d x %d video: %s\n", WINDOW_WIDTH,
                     WINDOW_HEIGHT, SDL_GetError());
        std::exit(1);
    }
    std::fprintf(progressLog, "screen successfully initialized\n");
    std::fprintf(progressLog, "Program started\n");
    loadAssets();
    stampFirstFrame();
    SDL_ShowCursor(1);
    if (Options.music) playMusic(MusicMenu, LOOP_FOREVER);
    return true;
}

void runPass()
{
    sleepMs(1);
    SDL_Event event;
    while (SDL_PollEvent(&event)) handleEvent(event);
    currentTicks = readClock();
    if (static_cast<int32_t>(currentTicks) < nextTickTime) return;
    // Counted from this tick, not from the missed deadline: a slow machine runs slower rather
    // than catching up.
    nextTickTime = static_cast<int32_t>(currentTicks) + Options.tickInterval;
    runTick();
}

void runTick()
{
    ++ticksRun;
    if (gameMode == Running) gameTick();
    rotateMusic();
    if (gameMode == StartMenu || gameMode == OptionsMenu) {
        rollMenuBall();
    } else if (gameMode == EndScreen) {
        bounceMenuBall();
    } else if (gameMode >= TutorialFirstPage) {
        if (tutorialSimulatedPage(gameMode)) tutorialTick();
        if (static_cast<int32_t>(currentTicks) >= pageDeadline && pageAutoAdvances(gameMode))
            advanceTutorialPage();
    }
    drawFrame();
}

void releaseAudio()
{
    fadeOutChannel(-1, 1000);
    fadeOutMusic(1000);
    freeAudio();
}

void shutDown()
{
    releaseAudio();
    std::exit(1);
}
