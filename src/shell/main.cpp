// Kestrola: the game. Everything runs on this one thread until one of the ways out ends it.
#include "shell/game_recording.h"
#include "shell/main_loop.h"
#include <SDL/SDL.h>

int main(int, char**)
{
    openGameRecording();
    if (!startUp()) return 1;
    for (;;) runPass();
}
