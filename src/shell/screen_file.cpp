#include "shell/screen_file.h"
#include "render/surfaces.h"

bool saveScreen(const char* path) { return SDL_SaveBMP(screen, path) == 0; }
