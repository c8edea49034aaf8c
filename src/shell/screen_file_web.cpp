// The browser's media library cannot write a BMP, so the driver's shot is written here: a 24-bit
// BMP, rows bottom-up, read from the screen's memory with its own channel masks.
#include "render/surfaces.h"
#include "shell/screen_file.h"
#include <cstdio>

namespace {

void putLittleEndian(uint8_t* at, uint32_t value, int32_t count)
{
    for (int32_t i = 0; i < count; ++i, value >>= 8) at[i] = static_cast<uint8_t>(value);
}

uint8_t channel(uint32_t pixel, uint32_t mask)
{
    if (!mask) return 0;
    while (!(mask & 1)) mask >>= 1, pixel >>= 1;
    return static_cast<uint8_t>(pixel & mask);
}

} // namespace

bool saveScreen(const char* path)
{
    constexpr int32_t HEADER_BYTES = 54;
    constexpr int32_t ROW_BYTES = (WINDOW_WIDTH * 3 + 3) / 4 * 4;
    static uint8_t row[ROW_BYTES];
    uint8_t header[HEADER_BYTES] = {'B', 'M'};
    putLittleEndian(header + 2, HEADER_BYTES + ROW_BYTES * WINDOW_HEIGHT, 4);
    putLittleEndian(header + 10, HEADER_BYTES, 4);
    putLittleEndian(header + 14, 40, 4);
    putLittleEndian(header + 18, WINDOW_WIDTH, 4);
    putLittleEndian(header + 22, WINDOW_HEIGHT, 4);
    putLittleEndian(header + 26, 1, 2);
    putLittleEndian(header + 28, 24, 2);
    putLittleEndian(header + 34, ROW_BYTES * WINDOW_HEIGHT, 4);
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    bool written = std::fwrite(header, 1, sizeof header, file) == sizeof header;
    const SDL_PixelFormat* format = screen->format;
    for (int32_t y = WINDOW_HEIGHT - 1; y >= 0 && written; --y) {
        const auto* pixels = static_cast<const uint32_t*>(screen->pixels) + y * (screen->pitch / 4);
        for (int32_t x = 0; x < WINDOW_WIDTH; ++x) {
            row[x * 3] = channel(pixels[x], format->Bmask);
            row[x * 3 + 1] = channel(pixels[x], format->Gmask);
            row[x * 3 + 2] = channel(pixels[x], format->Rmask);
        }
        written = std::fwrite(row, 1, sizeof row, file) == sizeof row;
    }
    return std::fclose(file) == 0 && written;
}
