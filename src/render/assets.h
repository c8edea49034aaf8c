// The artwork, loaded once at start-up and kept until the process ends.
#pragma once
#include "render/pictures.h" // loadImage
#include <SDL/SDL.h>
#include <cstdint>

extern SDL_Surface* shadeImage;
extern SDL_Surface* fieldImage;
extern SDL_Surface* holesImage;
extern SDL_Surface* borderImage;
extern SDL_Surface* panelImage;
extern SDL_Surface* messageBackImage;
extern SDL_Surface* fontImage;
extern SDL_Surface* buttonsImage;
extern SDL_Surface* numbersImage;
extern SDL_Surface* ballsImage;
extern SDL_Surface* arrowsImage;
extern SDL_Surface* startBackgroundImage;
extern SDL_Surface* optionsImage;
extern SDL_Surface* optionValuesImage;
extern SDL_Surface* endBackgroundImage;
extern SDL_Surface* bannersImage;

// Loads every image. False, with the log line written, when an
// image cannot be loaded: the game cannot go on without it.
bool loadAssets();
