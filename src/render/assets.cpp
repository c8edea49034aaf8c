#include "render/assets.h"
#include "render/asset_files.h"
#include "render/font.h"
#include "render/frame.h"
#include "render/surfaces.h"
#include "shell/audio.h"
#include "shell/main_loop.h"
#include <cstdio>

SDL_Surface* shadeImage = nullptr;
SDL_Surface* fieldImage = nullptr;
SDL_Surface* holesImage = nullptr;
SDL_Surface* borderImage = nullptr;
SDL_Surface* panelImage = nullptr;
SDL_Surface* messageBackImage = nullptr;
SDL_Surface* fontImage = nullptr;
SDL_Surface* buttonsImage = nullptr;
SDL_Surface* numbersImage = nullptr;
SDL_Surface* ballsImage = nullptr;
SDL_Surface* arrowsImage = nullptr;
SDL_Surface* startBackgroundImage = nullptr;
SDL_Surface* optionsImage = nullptr;
SDL_Surface* optionValuesImage = nullptr;
SDL_Surface* endBackgroundImage = nullptr;
SDL_Surface* bannersImage = nullptr;

namespace {

// The handle each entry of IMAGE_FILES is loaded into, in the same order.
SDL_Surface** const imageHandles[IMAGE_COUNT] = {
    &shadeImage,   &fieldImage,     &holesImage,  &borderImage,          &panelImage,
    &messageBackImage, &fontImage,  &buttonsImage, &numbersImage,        &ballsImage,
    &arrowsImage,  &startBackgroundImage, &optionsImage, &optionValuesImage,
    &endBackgroundImage, &bannersImage,
};

constexpr int32_t CLOCK_VOLUME = 30;
constexpr int32_t MUSIC_VOLUME = 20;

} // namespace

SDL_Surface* loadImage(const char* path, uint8_t r, uint8_t g, uint8_t b)
{
    SDL_RWops* stream = SDL_RWFromFile(path, "rb");
    if (!stream) return nullptr;
    SDL_Surface* loaded = SDL_LoadBMP_RW(stream, 1);
    if (!loaded) return nullptr;
    SDL_SetColorKey(loaded, SDL_SRCCOLORKEY, SDL_MapRGB(loaded->format, r, g, b));
    // The copy in the screen's own format keeps the key, so a frame's blits need no conversion.
    SDL_Surface* converted = SDL_ConvertSurface(loaded, screen->format, SDL_SRCCOLORKEY);
    SDL_FreeSurface(loaded);
    return converted;
}

void loadAssets()
{
    std::fprintf(progressLog, "begin initializing images\n");
    for (int32_t i = 0; i < IMAGE_COUNT; ++i) {
        const ImageFile& file = IMAGE_FILES[i];
        *imageHandles[i] = loadImage(file.path, file.keyRed, file.keyGreen, file.keyBlue);
        if (!*imageHandles[i]) {
            std::fprintf(progressLog, "Failed to load image %s. Exiting program\n", file.path);
            shutDown();
        }
    }
    for (int32_t track = 0; track < MUSIC_COUNT; ++track) loadMusic(track, MUSIC_FILES[track]);
    for (int32_t effect = 0; effect < EFFECT_COUNT; ++effect)
        loadEffect(effect, EFFECT_FILES[effect]);
    setEffectVolume(EffectClock, CLOCK_VOLUME);
    setMusicVolume(MUSIC_VOLUME);
    buildGlyphOffsets();
    fullRedraw = 1;
    drawFrame();
}
