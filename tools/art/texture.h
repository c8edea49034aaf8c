// Deterministic textures: the felt of the table and the grain of its walnut frame. Every run
// draws the same pixels, because the noise comes from hashing the pixel position with a seed.
#pragma once
#include "canvas.h"

// A small generator of our own (xorshift), for scattering things where a hash is clumsy.
struct Random {
    uint32_t state;
};
uint32_t nextRandom(Random& random);
double randomUnit(Random& random); // 0 <= value < 1

// Smooth value noise of roughly unit frequency, in -1..1.
double valueNoise(uint32_t seed, double x, double y);
// Several octaves of value noise, each half as strong as the one before.
double fractalNoise(uint32_t seed, double x, double y, int32_t octaves);
// Independent noise per integer pixel, in -1..1.
double pixelNoise(uint32_t seed, int32_t x, int32_t y);

// Fills the rectangle with felt. The light is brightest at (lightX, lightY) and falls off over
// lightRadius; the texture depends on the absolute pixel position, so two pictures cut from the
// same cloth (seed) match where they meet.
void fillFelt(Canvas& canvas, int32_t x0, int32_t y0, int32_t w, int32_t h, uint32_t seed,
              double lightX, double lightY, double lightRadius);

// Fills the rectangle with walnut; the grain runs along x when alongX is true, else along y.
void fillWalnut(Canvas& canvas, int32_t x0, int32_t y0, int32_t w, int32_t h, uint32_t seed,
                bool alongX);
