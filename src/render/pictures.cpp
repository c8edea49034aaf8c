#include "render/pictures.h"
#include "render/surfaces.h"

namespace {

// The game's pictures are at most 660 wide and 300 tall; a header that claims more than this
// is damaged.
constexpr int64_t MOST_PIXELS = 4096 * 4096;

uint32_t littleEndian(const uint8_t* bytes, int32_t count)
{
    uint32_t value = 0;
    for (int32_t i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

// A damaged header can claim a picture of thousands of millions of pixels, and the library takes
// that much memory before it finds the file too short. Such a file is refused like one that is
// not a picture at all. Anything this does not recognise is left for the library to judge.
bool plausibleBitmap(SDL_RWops* stream)
{
    const int fileSize = SDL_RWseek(stream, 0, RW_SEEK_END);
    SDL_RWseek(stream, 0, RW_SEEK_SET);
    uint8_t header[34] = {};
    const int got = SDL_RWread(stream, header, sizeof header, 1);
    SDL_RWseek(stream, 0, RW_SEEK_SET);
    if (got != 1 || fileSize < 0 || header[0] != 'B' || header[1] != 'M') return true;
    const int64_t pixelsAt = littleEndian(header + 10, 4);
    const bool oldHeader = littleEndian(header + 14, 4) == 12;
    int64_t width = 0, height = 0, bits = 0, compression = 0;
    if (oldHeader) {
        width = littleEndian(header + 18, 2);
        height = littleEndian(header + 20, 2);
        bits = littleEndian(header + 24, 2);
    } else {
        width = static_cast<int32_t>(littleEndian(header + 18, 4));
        height = static_cast<int32_t>(littleEndian(header + 22, 4));
        bits = littleEndian(header + 28, 2);
        compression = littleEndian(header + 30, 4);
    }
    width = width < 0 ? -width : width;
    height = height < 0 ? -height : height;
    if (width * height > MOST_PIXELS) return false;
    // Uncompressed rows (plain, or with channel masks) must all be in the file.
    const int64_t pitch = (width * bits + 31) / 32 * 4;
    if ((compression == 0 || compression == 3) && pixelsAt + pitch * height > fileSize)
        return false;
    return true;
}

} // namespace

SDL_Surface* loadImage(const char* path, uint8_t r, uint8_t g, uint8_t b)
{
    SDL_RWops* stream = SDL_RWFromFile(path, "rb");
    if (!stream) return nullptr;
    if (!plausibleBitmap(stream)) {
        SDL_RWclose(stream);
        return nullptr;
    }
    SDL_Surface* loaded = SDL_LoadBMP_RW(stream, 1);
    if (!loaded) return nullptr;
    SDL_SetColorKey(loaded, SDL_SRCCOLORKEY, SDL_MapRGB(loaded->format, r, g, b));
    // The copy in the screen's own format keeps the key, so a frame's blits need no conversion.
    SDL_Surface* converted = SDL_ConvertSurface(loaded, screen->format, SDL_SRCCOLORKEY);
    SDL_FreeSurface(loaded);
    return converted;
}

// The library's own keyed copy has a per-call set-up that, for the few pixels of a glyph or a
// ball, costs more than the copy itself.
bool copiesDirectly(const SDL_Surface* image)
{
    const SDL_PixelFormat* from = image->format;
    const SDL_PixelFormat* to = screen->format;
    return (image->flags & (SDL_SRCCOLORKEY | SDL_SRCALPHA | SDL_RLEACCEL)) == SDL_SRCCOLORKEY &&
           from->BytesPerPixel == 4 && to->BytesPerPixel == 4 && from->Rmask == to->Rmask &&
           from->Gmask == to->Gmask && from->Bmask == to->Bmask && from->Amask == 0 &&
           to->Amask == 0 && !SDL_MUSTLOCK(image) && screen->pixels && image->pixels;
}

uint32_t keyColour(const SDL_Surface* image) { return image->format->colorkey; }

bool mustLock(const SDL_Surface* surface) { return SDL_MUSTLOCK(surface); }
