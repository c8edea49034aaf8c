#include "shell/input.h"
#include "shell/main_loop.h"

void handleEvent(const SDL_Event& event)
{
    if (event.type == SDL_QUIT) shutDown();
    if (event.type == SDL_KEYUP && event.key.keysym.sym == SDLK_F10) shutDown();
}
