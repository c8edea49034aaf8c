// What every window event does, by its type and the current GameMode.
#pragma once
#include <SDL/SDL.h>

void handleEvent(const SDL_Event& event);
