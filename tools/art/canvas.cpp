#include "canvas.h"
#include <SDL/SDL.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

Canvas makeCanvas(int32_t width, int32_t height)
{
    Canvas canvas = {width, height, nullptr, nullptr};
    canvas.surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    canvas.cr = cairo_create(canvas.surface);
    return canvas;
}

void freeCanvas(Canvas& canvas)
{
    cairo_destroy(canvas.cr);
    cairo_surface_destroy(canvas.surface);
    canvas.cr = nullptr;
    canvas.surface = nullptr;
}

uint32_t* pixelsBegin(Canvas& canvas)
{
    cairo_surface_flush(canvas.surface);
    // ARGB32 rows are 4-byte aligned, so the stride is a whole number of pixels.
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(canvas.surface));
}

void pixelsEnd(Canvas& canvas) { cairo_surface_mark_dirty(canvas.surface); }

static int32_t stridePixels(const Canvas& canvas)
{
    return cairo_image_surface_get_stride(canvas.surface) / 4;
}

uint32_t packOpaque(Rgb colour)
{
    auto clampByte = [](int32_t v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
    return 0xff000000u | clampByte(colour.r) << 16 | clampByte(colour.g) << 8 | clampByte(colour.b);
}

Rgb unpackColour(uint32_t pixel)
{
    return {static_cast<int32_t>(pixel >> 16 & 0xff), static_cast<int32_t>(pixel >> 8 & 0xff),
            static_cast<int32_t>(pixel & 0xff)};
}

// Moves an opaque colour off the key by one step, so it can never vanish by accident.
static Rgb avoidKey(Rgb colour, const ImageFile& file)
{
    if (colour.r != file.keyRed || colour.g != file.keyGreen || colour.b != file.keyBlue)
        return colour;
    if (file.keyBlue == 255) return {colour.r, colour.g, 254};
    return {colour.r + 1, colour.g + 1, colour.b + 1};
}

void putPixel(Picture& picture, int32_t x, int32_t y, Rgb colour)
{
    uint8_t* p = &picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3];
    p[0] = static_cast<uint8_t>(std::clamp(colour.r, 0, 255));
    p[1] = static_cast<uint8_t>(std::clamp(colour.g, 0, 255));
    p[2] = static_cast<uint8_t>(std::clamp(colour.b, 0, 255));
}

Picture blankPicture(int32_t width, int32_t height)
{
    Picture picture = {width, height, {}};
    picture.rgb.assign(static_cast<size_t>(width) * height * 3, 0);
    return picture;
}

Picture flattenOpaque(Canvas& canvas, const ImageFile& file)
{
    Picture picture = blankPicture(canvas.width, canvas.height);
    const uint32_t* pixels = pixelsBegin(canvas);
    const int32_t stride = stridePixels(canvas);
    for (int32_t y = 0; y < canvas.height; y++) {
        for (int32_t x = 0; x < canvas.width; x++) {
            const uint32_t p = pixels[y * stride + x];
            if (p >> 24 != 0xff)
                std::fprintf(stderr, "kestrola-art: %s has a see-through pixel at %d,%d\n",
                             file.path, x, y);
            putPixel(picture, x, y, avoidKey(unpackColour(p), file));
        }
    }
    return picture;
}

Picture flattenKeyed(Canvas& canvas, const ImageFile& file, double threshold,
                     const Rgb* edgeBackground)
{
    Picture picture = blankPicture(canvas.width, canvas.height);
    const Rgb key = {file.keyRed, file.keyGreen, file.keyBlue};
    const uint32_t* pixels = pixelsBegin(canvas);
    const int32_t stride = stridePixels(canvas);
    for (int32_t y = 0; y < canvas.height; y++) {
        for (int32_t x = 0; x < canvas.width; x++) {
            const uint32_t p = pixels[y * stride + x];
            const double alpha = (p >> 24) / 255.0;
            if (alpha < threshold || alpha == 0.0) {
                putPixel(picture, x, y, key);
                continue;
            }
            const Rgb premultiplied = unpackColour(p);
            Rgb colour;
            if (edgeBackground) {
                const double rest = 1.0 - alpha;
                colour = {
                    static_cast<int32_t>(std::lround(premultiplied.r + rest * edgeBackground->r)),
                    static_cast<int32_t>(std::lround(premultiplied.g + rest * edgeBackground->g)),
                    static_cast<int32_t>(std::lround(premultiplied.b + rest * edgeBackground->b))};
            } else {
                colour = {static_cast<int32_t>(std::lround(premultiplied.r / alpha)),
                          static_cast<int32_t>(std::lround(premultiplied.g / alpha)),
                          static_cast<int32_t>(std::lround(premultiplied.b / alpha))};
            }
            putPixel(picture, x, y, avoidKey(colour, file));
        }
    }
    return picture;
}

bool saveBmp(const Picture& picture, const char* path)
{
    // A 24-bit surface with no alpha: SDL writes it as an uncompressed 24-bit BMP.
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, picture.width, picture.height, 24,
                                                0xff0000, 0x00ff00, 0x0000ff, 0);
    if (!surface) return false;
    SDL_LockSurface(surface);
    for (int32_t y = 0; y < picture.height; y++) {
        uint8_t* row = static_cast<uint8_t*>(surface->pixels) + y * surface->pitch;
        for (int32_t x = 0; x < picture.width; x++) {
            const uint8_t* c = &picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3];
            const Uint32 value = SDL_MapRGB(surface->format, c[0], c[1], c[2]);
            uint8_t* p = row + x * 3;
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
            p[0] = static_cast<uint8_t>(value >> 16);
            p[1] = static_cast<uint8_t>(value >> 8);
            p[2] = static_cast<uint8_t>(value);
#else
            p[0] = static_cast<uint8_t>(value);
            p[1] = static_cast<uint8_t>(value >> 8);
            p[2] = static_cast<uint8_t>(value >> 16);
#endif
        }
    }
    SDL_UnlockSurface(surface);
    const bool saved = SDL_SaveBMP(surface, path) == 0;
    SDL_FreeSurface(surface);
    return saved;
}

Rgb mixRgb(Rgb from, Rgb to, double t)
{
    return {static_cast<int32_t>(std::lround(from.r + (to.r - from.r) * t)),
            static_cast<int32_t>(std::lround(from.g + (to.g - from.g) * t)),
            static_cast<int32_t>(std::lround(from.b + (to.b - from.b) * t))};
}

Rgb scaleRgb(Rgb colour, double factor)
{
    return {static_cast<int32_t>(std::lround(std::min(255.0, colour.r * factor))),
            static_cast<int32_t>(std::lround(std::min(255.0, colour.g * factor))),
            static_cast<int32_t>(std::lround(std::min(255.0, colour.b * factor)))};
}

void setSource(cairo_t* cr, Rgb colour, double alpha)
{
    cairo_set_source_rgba(cr, colour.r / 255.0, colour.g / 255.0, colour.b / 255.0, alpha);
}

void addStop(cairo_pattern_t* pattern, double offset, Rgb colour, double alpha)
{
    cairo_pattern_add_color_stop_rgba(pattern, offset, colour.r / 255.0, colour.g / 255.0,
                                      colour.b / 255.0, alpha);
}

void roundedRectangle(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    const double r = std::min(radius, std::min(w, h) / 2.0);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -std::numbers::pi / 2.0, 0.0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0.0, std::numbers::pi / 2.0);
    cairo_arc(cr, x + r, y + h - r, r, std::numbers::pi / 2.0, std::numbers::pi);
    cairo_arc(cr, x + r, y + r, r, std::numbers::pi, 1.5 * std::numbers::pi);
    cairo_close_path(cr);
}
