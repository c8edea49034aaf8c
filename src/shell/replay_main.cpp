// kestrola-replay SCRIPT: plays a script of clicks, keys and waits against the game.
#include "rules/game_state.h"
#include "shell/replay_driver.h"
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrola-replay SCRIPT   (a file, or - for standard input)\n");
        return 2;
    }
    return runReplay(argv[1]);
}
