// Drawing surfaces for the pictures, and their flattening into the on/off colour-keyed BMP files
// the game blits: the game has no alpha, so every pixel ends up either keyed out or opaque.
#pragma once
#include "render/asset_files.h"
#include <cairo.h>
#include <cstdint>
#include <vector>

struct Rgb {
    int32_t r, g, b;
};

// A transparent ARGB32 Cairo surface with its context; width and height as the file wants them.
struct Canvas {
    int32_t width, height;
    cairo_surface_t* surface;
    cairo_t* cr;
};

// The finished picture: opaque RGB bytes, row after row, ready to be written.
struct Picture {
    int32_t width, height;
    std::vector<uint8_t> rgb;
};

Canvas makeCanvas(int32_t width, int32_t height);
void freeCanvas(Canvas& canvas);

// Raw access to the pixels (premultiplied 0xAARRGGBB). Call pixelsBegin before reading or
// writing them and pixelsEnd before Cairo draws again.
uint32_t* pixelsBegin(Canvas& canvas);
void pixelsEnd(Canvas& canvas);
uint32_t packOpaque(Rgb colour);
Rgb unpackColour(uint32_t pixel);

// Every pixel must be opaque; pixels that happen to equal the key are moved off it.
Picture flattenOpaque(Canvas& canvas, const ImageFile& file);
// Pixels with coverage below the threshold (0..1) become the key colour. The rest become opaque:
// blended over edgeBackground when the sprite always sits on a known colour, else un-blended.
Picture flattenKeyed(Canvas& canvas, const ImageFile& file, double threshold,
                     const Rgb* edgeBackground);

// Black pictures to be filled pixel by pixel, for the few images computed directly.
Picture blankPicture(int32_t width, int32_t height);
void putPixel(Picture& picture, int32_t x, int32_t y, Rgb colour);

bool saveBmp(const Picture& picture, const char* path);

Rgb mixRgb(Rgb from, Rgb to, double t);
Rgb scaleRgb(Rgb colour, double factor);
void setSource(cairo_t* cr, Rgb colour, double alpha = 1.0);
void addStop(cairo_pattern_t* pattern, double offset, Rgb colour, double alpha = 1.0);
void roundedRectangle(cairo_t* cr, double x, double y, double w, double h, double radius);
