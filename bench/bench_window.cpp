#include "bench_window.h"
#include "render/assets.h"
#include "render/surfaces.h"
#include "shell/main_loop.h"
#include <cstdio>
#include <cstdlib>

bool openBenchWindow()
{
    if (screen) return true;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO) < 0) return false;
    screen = SDL_SetVideoMode(WINDOW_WIDTH, WINDOW_HEIGHT, 32, 0);
    if (!screen) return false;
    progressLog = std::tmpfile();
    loadAssets();
    return true;
}
