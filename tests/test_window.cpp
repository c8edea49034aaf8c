#include "test_window.h"
#include "render/surfaces.h"
#include "shell/main_loop.h"
#include <cstdio>
#include <cstdlib>

void openTestWindow()
{
    if (screen) return;
    if (!startUp(ScriptedGame)) std::abort();
}

SDL_Surface* makeSolidImage(int32_t w, int32_t h, uint32_t pixel)
{
    const SDL_PixelFormat* f = screen->format;
    SDL_Surface* image =
        SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, f->Rmask, f->Gmask, f->Bmask, 0);
    SDL_FillRect(image, nullptr, pixel);
    return image;
}

uint32_t pixelAt(SDL_Surface* surface, int32_t x, int32_t y)
{
    return static_cast<uint32_t*>(surface->pixels)[y * (surface->pitch / 4) + x];
}

void setPixel(SDL_Surface* surface, int32_t x, int32_t y, uint32_t pixel)
{
    static_cast<uint32_t*>(surface->pixels)[y * (surface->pitch / 4) + x] = pixel;
}
