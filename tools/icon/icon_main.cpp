// kestrola-icon OUTDIR: draws the desktop icon of the game, a corner of the table with two
// balls rolling towards its pocket, at 32, 48, 64, 128 and 256 pixels as
// OUTDIR/SIZExSIZE/kestrola.png, as a drawing of any size in OUTDIR/scalable/kestrola.svg, and
// as the window's own icon, 32 x 32 pixels compiled into the game, in OUTDIR/window_icon.h.
// kestrola-icon --web START_MENU.bmp OUTDIR: the page's pictures: the same icon at 192 and 512
// pixels for an installed page (OUTDIR/icon-192.png, icon-512.png), at 32 as the tab's
// (OUTDIR/favicon.png), and the picture a link to the page shows (OUTDIR/preview.png, 1200 x
// 630): the start menu, a shot the driver took, twice its size on the table's walnut.
#include <algorithm>
#include <cairo-svg.h>
#include <cairo.h>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Rgb {
    double r, g, b;
};

// The table's colours: walnut frame, brass trim, deep green felt.
constexpr Rgb WALNUT = {82 / 255.0, 47 / 255.0, 25 / 255.0};
constexpr Rgb WALNUT_DARK = {46 / 255.0, 25 / 255.0, 13 / 255.0};
constexpr Rgb BRASS = {204 / 255.0, 160 / 255.0, 72 / 255.0};
constexpr Rgb FELT = {24 / 255.0, 104 / 255.0, 60 / 255.0};
constexpr Rgb FELT_DARK = {14 / 255.0, 66 / 255.0, 38 / 255.0};
constexpr Rgb POCKET = {6 / 255.0, 6 / 255.0, 8 / 255.0};
constexpr Rgb RED_BALL = {226 / 255.0, 36 / 255.0, 36 / 255.0};
constexpr Rgb CYAN_BALL = {24 / 255.0, 214 / 255.0, 236 / 255.0};

void setSource(cairo_t* cr, Rgb c, double alpha = 1.0)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void roundedSquare(cairo_t* cr, double x, double y, double size, double radius)
{
    const double pi = std::numbers::pi;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + size - radius, y + radius, radius, -pi / 2, 0);
    cairo_arc(cr, x + size - radius, y + size - radius, radius, 0, pi / 2);
    cairo_arc(cr, x + radius, y + size - radius, radius, pi / 2, pi);
    cairo_arc(cr, x + radius, y + radius, radius, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

void ball(cairo_t* cr, double cx, double cy, double radius, Rgb base)
{
    const double hx = cx - 0.36 * radius;
    const double hy = cy - 0.42 * radius;
    cairo_pattern_t* body = cairo_pattern_create_radial(hx, hy, 0.0, hx, hy, 1.55 * radius);
    cairo_pattern_add_color_stop_rgb(body, 0.0, 0.6 + 0.4 * base.r, 0.6 + 0.4 * base.g,
                                     0.6 + 0.4 * base.b);
    cairo_pattern_add_color_stop_rgb(body, 0.3, base.r, base.g, base.b);
    cairo_pattern_add_color_stop_rgb(body, 1.0, 0.3 * base.r, 0.3 * base.g, 0.3 * base.b);
    cairo_set_source(cr, body);
    cairo_arc(cr, cx, cy, radius, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.95);
    cairo_arc(cr, hx, hy, 0.24 * radius, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
}

// Everything is drawn on a 128-unit square and scaled, so the three sizes show the same picture.
void drawIcon(cairo_t* cr)
{
    const double pi = std::numbers::pi;
    // The walnut frame with its brass trim.
    roundedSquare(cr, 4, 4, 120, 22);
    cairo_pattern_t* wood = cairo_pattern_create_linear(0, 4, 0, 124);
    cairo_pattern_add_color_stop_rgb(wood, 0.0, WALNUT.r * 1.3, WALNUT.g * 1.3, WALNUT.b * 1.3);
    cairo_pattern_add_color_stop_rgb(wood, 1.0, WALNUT_DARK.r, WALNUT_DARK.g, WALNUT_DARK.b);
    cairo_set_source(cr, wood);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(wood);
    setSource(cr, BRASS);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);

    // The felt, lit from the middle.
    roundedSquare(cr, 16, 16, 96, 12);
    cairo_pattern_t* felt = cairo_pattern_create_radial(60, 62, 6, 64, 64, 80);
    cairo_pattern_add_color_stop_rgb(felt, 0.0, FELT.r * 1.25, FELT.g * 1.25, FELT.b * 1.25);
    cairo_pattern_add_color_stop_rgb(felt, 1.0, FELT_DARK.r, FELT_DARK.g, FELT_DARK.b);
    cairo_set_source(cr, felt);
    cairo_fill(cr);

    // The pocket in the top right corner, with a brass rim.
    setSource(cr, POCKET);
    cairo_arc(cr, 101, 27, 15, 0, 2 * pi);
    cairo_fill(cr);
    setSource(cr, BRASS);
    cairo_set_line_width(cr, 2.5);
    cairo_arc(cr, 101, 27, 15, 0.55 * pi, 1.95 * pi);
    cairo_stroke(cr);

    // The red ball's track towards the pocket, then the two balls.
    setSource(cr, {1, 1, 1}, 0.35);
    cairo_set_line_width(cr, 3);
    const double dashes[] = {6, 6};
    cairo_set_dash(cr, dashes, 2, 0);
    cairo_move_to(cr, 66, 62);
    cairo_line_to(cr, 91, 37);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    ball(cr, 40, 88, 17, CYAN_BALL);
    ball(cr, 60, 68, 17, RED_BALL);
}

bool writePng(cairo_surface_t* surface, const std::string& path)
{
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    if (!written) std::fprintf(stderr, "kestrola-icon: cannot write %s\n", path.c_str());
    return written;
}

bool writeIconAs(const std::string& path, int size)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, size / 128.0, size / 128.0);
    drawIcon(cr);
    cairo_destroy(cr);
    const bool written = writePng(surface, path);
    cairo_surface_destroy(surface);
    return written;
}

bool writeIcon(const std::string& outDir, int size)
{
    const std::string folder = outDir + "/" + std::to_string(size) + "x" + std::to_string(size);
    std::filesystem::create_directories(folder);
    return writeIconAs(folder + "/kestrola.png", size);
}

// An uncompressed 24- or 32-bit BMP, as the driver's shot is, as an opaque Cairo picture; null
// (after saying why) for anything else.
cairo_surface_t* readBmp(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file),
                                           std::istreambuf_iterator<char>()};
    const auto number = [&](size_t at, int count) {
        uint32_t value = 0;
        for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
        return value;
    };
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
        std::fprintf(stderr, "kestrola-icon: %s is not a BMP picture\n", path.c_str());
        return nullptr;
    }
    const uint32_t pixelsAt = number(10, 4), bits = number(28, 2);
    const int width = static_cast<int32_t>(number(18, 4));
    const int signedHeight = static_cast<int32_t>(number(22, 4));
    const int height = std::abs(signedHeight);
    const size_t pitch = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
    if ((bits != 24 && bits != 32) || number(30, 4) != 0 || width <= 0 || width > 4096 ||
        height <= 0 || height > 4096 || pixelsAt + pitch * height > bytes.size()) {
        std::fprintf(stderr, "kestrola-icon: %s is not an uncompressed picture\n", path.c_str());
        return nullptr;
    }
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int y = 0; y < height; ++y) {
        const unsigned char* from =
            bytes.data() + pixelsAt + (signedHeight < 0 ? y : height - 1 - y) * pitch;
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x, from += bits / 8)
            row[x] = 0xff000000u | uint32_t{from[2]} << 16 | uint32_t{from[1]} << 8 | from[0];
    }
    cairo_surface_mark_dirty(image);
    return image;
}

// The start menu, each of its pixels a square of four, on the walnut of the table's frame with
// a line of its brass.
bool writePreview(const std::string& menuShot, const std::string& path)
{
    constexpr int WIDTH = 1200, HEIGHT = 630, SCALE = 2;
    cairo_surface_t* menu = readBmp(menuShot);
    if (!menu) return false;
    const int menuWidth = cairo_image_surface_get_width(menu) * SCALE;
    const int menuHeight = cairo_image_surface_get_height(menu) * SCALE;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, WIDTH, HEIGHT);
    cairo_t* cr = cairo_create(surface);
    cairo_pattern_t* wood = cairo_pattern_create_linear(0, 0, 0, HEIGHT);
    cairo_pattern_add_color_stop_rgb(wood, 0.0, WALNUT.r, WALNUT.g, WALNUT.b);
    cairo_pattern_add_color_stop_rgb(wood, 1.0, WALNUT_DARK.r, WALNUT_DARK.g, WALNUT_DARK.b);
    cairo_set_source(cr, wood);
    cairo_paint(cr);
    cairo_pattern_destroy(wood);
    const double x = (WIDTH - menuWidth) / 2, y = (HEIGHT - menuHeight) / 2;
    setSource(cr, BRASS);
    cairo_rectangle(cr, x - 4, y - 4, menuWidth + 8, menuHeight + 8);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, SCALE, SCALE);
    cairo_set_source_surface(cr, menu, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_destroy(cr);
    const bool written = writePng(surface, path);
    cairo_surface_destroy(surface);
    cairo_surface_destroy(menu);
    return written;
}

bool writeScalable(const std::string& outDir)
{
    std::filesystem::create_directories(outDir + "/scalable");
    const std::string path = outDir + "/scalable/kestrola.svg";
    cairo_surface_t* surface = cairo_svg_surface_create(path.c_str(), 128, 128);
    cairo_t* cr = cairo_create(surface);
    drawIcon(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const bool written = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!written) std::fprintf(stderr, "kestrola-icon: cannot write %s\n", path.c_str());
    return written;
}

// The window's icon as 32 x 32 pixels of 0xAARRGGBB, straight alpha, row by row: what the
// media library takes as a surface with an alpha mask.
bool writeWindowIcon(const std::string& outDir)
{
    constexpr int SIZE = 32;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, SIZE, SIZE);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, SIZE / 128.0, SIZE / 128.0);
    drawIcon(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    const std::string path = outDir + "/window_icon.h";
    FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        std::fprintf(stderr, "kestrola-icon: cannot write %s\n", path.c_str());
        cairo_surface_destroy(surface);
        return false;
    }
    std::fprintf(file,
                 "// Drawn by kestrola-icon: the window's icon, %d x %d pixels of 0xAARRGGBB.\n"
                 "#pragma once\n#include <cstdint>\n\n"
                 "constexpr int WINDOW_ICON_SIZE = %d;\n"
                 "constexpr uint32_t WINDOW_ICON[%d] = {\n",
                 SIZE, SIZE, SIZE, SIZE * SIZE);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < SIZE; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < SIZE; ++x) {
            // Cairo keeps the colour multiplied by the alpha; the icon wants it straight.
            const uint32_t p = row[x], a = p >> 24;
            auto channel = [&](int shift) {
                const uint32_t c = (p >> shift) & 0xff;
                return a ? std::min<uint32_t>(255, (c * 255 + a / 2) / a) : 0;
            };
            std::fprintf(file, "0x%08x,%s",
                         (a << 24) | (channel(16) << 16) | (channel(8) << 8) | channel(0),
                         x % 8 == 7 ? "\n" : " ");
        }
    }
    std::fprintf(file, "};\n");
    const bool written = std::fclose(file) == 0;
    cairo_surface_destroy(surface);
    return written;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string_view(argv[1]) == "--web") {
        const std::string outDir = argv[3];
        std::filesystem::create_directories(outDir);
        return writeIconAs(outDir + "/icon-192.png", 192) &&
                       writeIconAs(outDir + "/icon-512.png", 512) &&
                       writeIconAs(outDir + "/favicon.png", 32) &&
                       writePreview(argv[2], outDir + "/preview.png")
                   ? 0
                   : 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrola-icon OUTDIR | --web START_MENU.bmp OUTDIR\n");
        return 2;
    }
    for (int size : {32, 48, 64, 128, 256})
        if (!writeIcon(argv[1], size)) return 1;
    return writeScalable(argv[1]) && writeWindowIcon(argv[1]) ? 0 : 1;
}
