// How a picture is read from its file and how its pixels are reached: the one part of drawing
// that differs between the desktop's media library and the browser's. The desktop keeps the key
// colour in the surface and locks where the library says so; in the browser every surface is a
// canvas that a lock would read back, so the game keeps the pictures' pixels and keys itself and
// pushes only the screen (pictures_web.cpp).
#pragma once
#include <SDL/SDL.h>
#include <cstdint>

// Reads a BMP, keys the colour (r, g, b) and converts it to the screen's format. Returns null
// when the file cannot be read as a BMP.
SDL_Surface* loadImage(const char* path, uint8_t r, uint8_t g, uint8_t b);
// The picture is keyed, in the screen's own format, with its pixels in memory: the game's keyed
// copy can move it without the library.
bool copiesDirectly(const SDL_Surface* image);
// The colour a keyed copy leaves transparent.
uint32_t keyColour(const SDL_Surface* image);
// The surface must be locked before its pixels are read or written.
bool mustLock(const SDL_Surface* surface);
