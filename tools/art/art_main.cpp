// kestrola-art OUTDIR: draws every picture the game loads and writes them as 24-bit BMP files
// into OUTDIR/Images, at the paths, sizes and colour keys the game expects.
#include "art.h"
#include <SDL/SDL.h>
#include <cstdio>
#include <string>
#include <sys/stat.h>

using ImageMaker = Picture (*)(const ImageFile& file);

// In the order of the game's image table.
constexpr ImageMaker IMAGE_MAKERS[IMAGE_COUNT] = {
    makeShade,        makeField,        makeHoles,         makeBorder,
    makePanel,        makeMessageBack,  makeFont,          makeButtons,
    makeNumbers,      makeBalls,        makeArrows,        makeStartBackground,
    makeOptionsPanel, makeOptionValues, makeEndBackground, makeBanners,
};

static bool makeFolder(const std::string& path)
{
    struct stat info;
    if (stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    return mkdir(path.c_str(), 0755) == 0;
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrola-art OUTDIR\n");
        return 2;
    }
    const std::string outDir = argv[1];
    if (!makeFolder(outDir) || !makeFolder(outDir + "/Images")) {
        std::fprintf(stderr, "kestrola-art: cannot create %s/Images\n", outDir.c_str());
        return 1;
    }
    // Only the surface and BMP functions are used; no window is opened.
    if (SDL_Init(0) != 0) {
        std::fprintf(stderr, "kestrola-art: %s\n", SDL_GetError());
        return 1;
    }
    int status = 0;
    for (int32_t i = 0; i < IMAGE_COUNT; i++) {
        const ImageFile& file = IMAGE_FILES[i];
        const Picture picture = IMAGE_MAKERS[i](file);
        const std::string path = outDir + "/" + file.path;
        if (picture.width != file.width || picture.height != file.height) {
            std::fprintf(stderr, "kestrola-art: %s came out %d x %d\n", file.path, picture.width,
                         picture.height);
            status = 1;
        } else if (!saveBmp(picture, path.c_str())) {
            std::fprintf(stderr, "kestrola-art: cannot write %s: %s\n", path.c_str(),
                         SDL_GetError());
            status = 1;
        }
    }
    SDL_Quit();
    return status;
}
