// Kestrola: the game. Everything runs on this one thread until one of the ways out ends it.
#include "shell/main_loop.h"
#include <SDL/SDL.h>

int main(int, char**)
{
    if (!startUp()) return 1;
    for (;;) runPass();
}
