// The browser's side of pictures. Its media library makes every surface a canvas: a lock reads
// the canvas back, its own blits ignore the key, and its conversion leaves the pixels unfilled.
// So the game decodes its BMP files itself into surfaces in the screen's format, keeps each
// picture's key beside it, never locks a picture, and locks only the screen, to push it.
#include "render/asset_files.h"
#include "render/pictures.h"
#include "render/surfaces.h"
#include <cstdio>
#include <cstring>

namespace {

// The largest picture file is 270 KB; anything past this is not one of ours.
constexpr int32_t MOST_FILE_BYTES = 1 << 20;
uint8_t fileBytes[MOST_FILE_BYTES] = {};

struct KeyedPicture {
    const SDL_Surface* image;
    uint32_t key;
};
// Room for every picture loaded more than once (the tests load each of them again).
constexpr int32_t MOST_PICTURES = 4 * IMAGE_COUNT;
KeyedPicture keyedPictures[MOST_PICTURES] = {};
int32_t keyedPictureCount = 0;

const KeyedPicture* keyedPicture(const SDL_Surface* image)
{
    for (int32_t i = 0; i < keyedPictureCount; ++i)
        if (keyedPictures[i].image == image) return &keyedPictures[i];
    return nullptr;
}

uint32_t littleEndian(const uint8_t* bytes, int32_t count)
{
    uint32_t value = 0;
    for (int32_t i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

int32_t readWholeFile(const char* path)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return -1;
    const size_t got = std::fread(fileBytes, 1, sizeof fileBytes, file);
    const bool whole = std::feof(file) != 0;
    std::fclose(file);
    return whole ? static_cast<int32_t>(got) : -1;
}

// The screen's value of the colour (r, g, b): the masks say where each byte goes.
uint32_t screenColour(uint8_t r, uint8_t g, uint8_t b)
{
    const SDL_PixelFormat* to = screen->format;
    const auto place = [](uint32_t mask, uint8_t value) {
        int32_t shift = 0;
        while (mask && !(mask & 1)) mask >>= 1, ++shift;
        return static_cast<uint32_t>(value) << shift;
    };
    return place(to->Rmask, r) | place(to->Gmask, g) | place(to->Bmask, b);
}

} // namespace

// Uncompressed 24- and 32-bit BMPs, rows bottom-up or top-down: what the art generator writes.
// Anything else, or a file shorter than its header says, is refused as not a picture.
SDL_Surface* loadImage(const char* path, uint8_t r, uint8_t g, uint8_t b)
{
    const int32_t size = readWholeFile(path);
    if (size < 54 || fileBytes[0] != 'B' || fileBytes[1] != 'M') return nullptr;
    if (keyedPictureCount == MOST_PICTURES) return nullptr;
    const int64_t pixelsAt = littleEndian(fileBytes + 10, 4);
    const int32_t width = static_cast<int32_t>(littleEndian(fileBytes + 18, 4));
    const int32_t signedHeight = static_cast<int32_t>(littleEndian(fileBytes + 22, 4));
    const int32_t bits = static_cast<int32_t>(littleEndian(fileBytes + 28, 2));
    const uint32_t compression = littleEndian(fileBytes + 30, 4);
    const int32_t height = signedHeight < 0 ? -signedHeight : signedHeight;
    if (littleEndian(fileBytes + 14, 4) < 40 || compression != 0 || (bits != 24 && bits != 32))
        return nullptr;
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096) return nullptr;
    const int64_t pitch = (static_cast<int64_t>(width) * bits + 31) / 32 * 4;
    if (pixelsAt + pitch * height > size) return nullptr;

    const SDL_PixelFormat* to = screen->format;
    SDL_Surface* image =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, to->Rmask, to->Gmask, to->Bmask, 0);
    if (!image || !image->pixels) return nullptr;
    const int32_t bytesPerPixel = bits / 8;
    for (int32_t y = 0; y < height; ++y) {
        const int32_t fileRow = signedHeight < 0 ? y : height - 1 - y;
        const uint8_t* from = fileBytes + pixelsAt + fileRow * pitch;
        auto* row = static_cast<uint32_t*>(image->pixels) + y * (image->pitch / 4);
        for (int32_t x = 0; x < width; ++x, from += bytesPerPixel)
            row[x] = screenColour(from[2], from[1], from[0]);
    }
    keyedPictures[keyedPictureCount++] = {image, screenColour(r, g, b)};
    return image;
}

bool copiesDirectly(const SDL_Surface* image)
{
    return keyedPicture(image) && screen->pixels && image->pixels;
}

uint32_t keyColour(const SDL_Surface* image)
{
    const KeyedPicture* known = keyedPicture(image);
    return known ? known->key : 0;
}

bool mustLock(const SDL_Surface* surface) { return surface == screen; }
