// The least any game in this window can cost: the same 300 x 300 software window, the same loop
// that sleeps a millisecond and empties the event queue, and one flip of the whole window every
// 16 ms. Nothing is drawn. bench/run measures it beside the game, start-up included.
#include "shell/first_frame_stamp.h"
#include <SDL/SDL.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>

int main(int, char**)
{
    // The same plain software path to the window that the game asks the library for.
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);
    if (SDL_Init(SDL_INIT_VIDEO) < 0) return 1;
    SDL_WM_SetCaption("Kestrola baseline", "Kestrola baseline");
    SDL_Surface* window = SDL_SetVideoMode(300, 300, 32, 0);
    if (!window) return 1;
    Uint32 nextFlip = 0;
    bool flipped = false;
    for (;;) {
        SDL_Delay(1);
        SDL_Event event;
        while (SDL_PollEvent(&event))
            if (event.type == SDL_QUIT) {
                SDL_Quit();
                return 0;
            }
        const Uint32 now = SDL_GetTicks();
        if (now < nextFlip) continue;
        nextFlip = now + 16;
        SDL_Flip(window);
        if (!flipped && std::getenv("KESTROLA_FIRST_FRAME_STAMP")) {
            stampFirstFrame();
        }
        flipped = true;
    }
}
