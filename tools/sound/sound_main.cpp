// kestrola-sound OUTDIR: writes every tune and effect the game loads, under OUTDIR/Music and
// OUTDIR/Sfx, at the paths of render/asset_files.h. Runs in every build, so it stays fast and
// writes the same bytes every time.
// kestrola-sound --browser OUTDIR: only the tunes, under OUTDIR/Music, from the same rendering
// at the browser's smaller quality (the page downloads them).
#include "effects.h"
#include "ogg_writer.h"
#include "render/asset_files.h"
#include "render_music.h"
#include "score.h"

#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

// In MUSIC_FILES order; each piece also names its own index, and main checks they agree.
const Piece* const PIECES[MUSIC_COUNT] = {
    &PIECE_LOUNGE, &PIECE_JOKE,        &PIECE_BOSSA,       &PIECE_WALTZ,
    &PIECE_MENU,   &PIECE_FANFARE_ONE, &PIECE_FANFARE_TWO,
};

} // namespace

int main(int argc, char** argv)
{
    const bool browser = argc == 3 && std::string_view(argv[1]) == "--browser";
    if (argc != 2 && !browser) {
        std::fprintf(stderr, "usage: kestrola-sound [--browser] OUTDIR\n");
        return 2;
    }
    const char* outDir = argv[argc - 1];
    for (const char* folder : {"Music", "Sfx"}) {
        if (browser && std::string_view(folder) == "Sfx") continue;
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::path(outDir) / folder, error);
        if (error) {
            std::fprintf(stderr, "kestrola-sound: cannot create %s/%s: %s\n", outDir, folder,
                         error.message().c_str());
            return 1;
        }
    }
    for (int32_t i = 0; i < MUSIC_COUNT; ++i) {
        if (PIECES[i]->musicIndex != i) {
            std::fprintf(stderr, "kestrola-sound: the piece for %s is out of place\n",
                         MUSIC_FILES[i]);
            return 1;
        }
    }
    if (!browser && !writeEffects(outDir)) return 1;
    if (!renderMusic(PIECES, outDir, browser ? BROWSER_QUALITY : DESKTOP_QUALITY)) return 1;
    return 0;
}
