#include "texture.h"
#include "palette.h"
#include <cmath>

uint32_t nextRandom(Random& random)
{
    uint32_t x = random.state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    random.state = x;
    return x;
}

double randomUnit(Random& random) { return (nextRandom(random) >> 8) / 16777216.0; }

static uint32_t hashPoint(uint32_t seed, int32_t x, int32_t y)
{
    uint32_t h = seed * 0x9e3779b1u ^ static_cast<uint32_t>(x) * 0x85ebca6bu ^
                 static_cast<uint32_t>(y) * 0xc2b2ae35u;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

double pixelNoise(uint32_t seed, int32_t x, int32_t y)
{
    return (hashPoint(seed, x, y) >> 8) / 8388608.0 - 1.0;
}

static double smoothStep(double t) { return t * t * (3.0 - 2.0 * t); }

double valueNoise(uint32_t seed, double x, double y)
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int32_t ix = static_cast<int32_t>(fx);
    const int32_t iy = static_cast<int32_t>(fy);
    const double tx = smoothStep(x - fx);
    const double ty = smoothStep(y - fy);
    const double top = pixelNoise(seed, ix, iy) * (1 - tx) + pixelNoise(seed, ix + 1, iy) * tx;
    const double bottom =
        pixelNoise(seed, ix, iy + 1) * (1 - tx) + pixelNoise(seed, ix + 1, iy + 1) * tx;
    return top * (1 - ty) + bottom * ty;
}

double fractalNoise(uint32_t seed, double x, double y, int32_t octaves)
{
    double sum = 0.0;
    double weight = 1.0;
    double total = 0.0;
    for (int32_t i = 0; i < octaves; i++) {
        sum += weight * valueNoise(seed + static_cast<uint32_t>(i) * 7919u, x, y);
        total += weight;
        weight *= 0.5;
        x *= 2.0;
        y *= 2.0;
    }
    return sum / total;
}

void fillFelt(Canvas& canvas, int32_t x0, int32_t y0, int32_t w, int32_t h, uint32_t seed,
              double lightX, double lightY, double lightRadius)
{
    uint32_t* pixels = pixelsBegin(canvas);
    const int32_t stride = cairo_image_surface_get_stride(canvas.surface) / 4;
    for (int32_t y = y0; y < y0 + h; y++) {
        for (int32_t x = x0; x < x0 + w; x++) {
            const double dx = (x - lightX) / lightRadius;
            const double dy = (y - lightY) / lightRadius;
            // A broad pool of lamp light, fading towards the cushions.
            const double light = 0.84 + 0.22 * std::exp(-(dx * dx + dy * dy) * 1.6);
            // Wool: fine fibres, a slight nap along the table and faint cloudy unevenness.
            const double fibre =
                0.55 * pixelNoise(seed, x, y) + 0.45 * valueNoise(seed + 11, x * 0.7, y * 0.7);
            const double nap = valueNoise(seed + 23, x * 0.08, y * 0.9);
            const double cloud = fractalNoise(seed + 37, x / 45.0, y / 45.0, 3);
            const double shade = light * (1.0 + 0.045 * fibre + 0.02 * nap + 0.035 * cloud);
            Rgb colour = scaleRgb(FELT, shade);
            colour.g += static_cast<int32_t>(std::lround(2.0 * fibre));
            pixels[y * stride + x] = packOpaque(colour);
        }
    }
    pixelsEnd(canvas);
}

void fillWalnut(Canvas& canvas, int32_t x0, int32_t y0, int32_t w, int32_t h, uint32_t seed,
                bool alongX)
{
    uint32_t* pixels = pixelsBegin(canvas);
    const int32_t stride = cairo_image_surface_get_stride(canvas.surface) / 4;
    for (int32_t y = y0; y < y0 + h; y++) {
        for (int32_t x = x0; x < x0 + w; x++) {
            const double along = alongX ? x : y;
            const double across = alongX ? y : x;
            // Growth rings bent by slow noise give the flowing figure; fine streaks along the
            // grain give the pores.
            const double bend = 2.6 * fractalNoise(seed, along / 60.0, across / 14.0, 3);
            const double rings = 0.5 + 0.5 * std::sin((across * 0.55 + bend * 3.0) * 1.3);
            const double pores = valueNoise(seed + 5, along * 0.12, across * 1.1);
            const double speck = pixelNoise(seed + 9, x, y);
            double t = 0.35 + 0.4 * rings * rings + 0.18 * pores + 0.05 * speck;
            t = std::fmin(1.0, std::fmax(0.0, t));
            Rgb colour = t < 0.5 ? mixRgb(WALNUT_DARK, WALNUT, t * 2.0)
                                 : mixRgb(WALNUT, WALNUT_LIGHT, (t - 0.5) * 2.0);
            pixels[y * stride + x] = packOpaque(colour);
        }
    }
    pixelsEnd(canvas);
}
