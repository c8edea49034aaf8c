#include "render/assets.h"
#include "render/asset_files.h"
#include "render/font.h"
#include "render/frame.h"
#include "render/pictures.h"
#include "render/surfaces.h"
#include "rules/game_state.h"
#include "rules/platform.h"
#include "rules/progress_log.h"
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
    &shadeImage,   &fieldImage,        &holesImage,         &borderImage,
    &panelImage,   &messageBackImage,  &fontImage,          &buttonsImage,
    &numbersImage, &ballsImage,        &arrowsImage,        &startBackgroundImage,
    &optionsImage, &optionValuesImage, &endBackgroundImage, &bannersImage,
};

} // namespace

bool loadAssets()
{
    std::fprintf(progressLog, "begin initializing images\n");
    for (int32_t i = 0; i < IMAGE_COUNT; ++i) {
        const ImageFile& file = IMAGE_FILES[i];
        *imageHandles[i] = loadImage(file.path, file.keyRed, file.keyGreen, file.keyBlue);
        if (!*imageHandles[i]) {
            std::fprintf(progressLog, "Failed to load image %s. Exiting program\n", file.path);
            return false;
        }
        noteLastingImage(*imageHandles[i]);
    }
    buildGlyphOffsets();
    return true;
}
