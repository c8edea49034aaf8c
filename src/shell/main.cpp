// Kestrola: the game. Everything runs on this one thread until one of the ways out ends it.
// Before the start-up proper, the program picks the window's scale and makes sure there is a
// display to show it on; a start-up that fails says why on standard error as well as in the log.
#include "render/surfaces.h"
#include "rules/game_state.h"
#include "shell/main_loop.h"
#include "shell/watching.h"
#include <SDL/SDL.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#if __has_include("window_icon.h")
#include "window_icon.h"
#endif

namespace {

bool started = false;
bool displayMissing = false;

bool isSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

std::string workingFolder()
{
    char path[PATH_MAX];
    return getcwd(path, sizeof path) ? path : ".";
}

// A whole factor from 1 to 4, or 0 when the text is none.
int factorIn(const char* text)
{
    if (!text || !*text || std::strspn(text, "0123456789") != std::strlen(text) ||
        std::strlen(text) > 2)
        return 0;
    const int factor = std::atoi(text);
    return factor >= 1 ? std::min(factor, 4) : 0;
}

// The window is 300 x 300 pixels, which is a stamp on today's screens. The media library's
// compatibility layer enlarges it by SDL12COMPAT_WINDOW_SCALING with sharp pixels. Unless the
// launcher or the player has set that, KESTROLA_SCALE chooses the factor, and without it the
// largest whole factor up to 4 that leaves the desktop room for panels and a title bar, as the
// launcher would choose it.
void chooseScale()
{
    setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
    if (isSet("SDL12COMPAT_WINDOW_SCALING")) return;
    int factor = factorIn(std::getenv("KESTROLA_SCALE"));
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const bool offScreen =
        driver && (!std::strcmp(driver, "dummy") || !std::strcmp(driver, "offscreen"));
    if (factor == 0 && !offScreen && !displayMissing && SDL_Init(SDL_INIT_VIDEO) == 0) {
        // Before the first video mode is set, the library reports the desktop's size.
        const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
        if (desktop && desktop->current_w > 0 && desktop->current_h > 0)
            factor = std::min((desktop->current_w - 40) / WINDOW_WIDTH,
                              (desktop->current_h - 120) / WINDOW_HEIGHT);
        SDL_Quit();
    }
    setenv("SDL12COMPAT_WINDOW_SCALING", std::to_string(std::clamp(factor, 1, 4)).c_str(), 1);
}

// Without a display the media library falls back to drawing off screen, and the game would run
// where nobody sees it. A driver asked for by name (the scripted driver and the tests ask for
// the dummy one) is taken at its word; otherwise the X11 driver is asked for, which fails, so
// that the start-up ends the way it does for any window that cannot be opened.
void requireDisplay()
{
    if (isSet("SDL_VIDEODRIVER") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY")) return;
    displayMissing = true;
    setenv("SDL_VIDEODRIVER", "x11", 1);
}

std::string lastLogLine()
{
    FILE* log = std::fopen("logFile.txt", "r");
    if (!log) return "";
    char line[512];
    std::string last;
    while (std::fgets(line, sizeof line, log)) last = line;
    std::fclose(log);
    while (!last.empty() && last.back() == '\n') last.pop_back();
    return last;
}

bool startsWith(const std::string& text, const char* start) { return text.rfind(start, 0) == 0; }

// Every failure of the start-up ends in exit(1) after its line in the log; this puts the same
// reason, in a player's words, on the terminal too.
void reportFailedStart()
{
    if (started) return;
    const std::string line = lastLogLine();
    const std::string folder = workingFolder();
    const std::string log = (folder == "/" ? "" : folder) + "/logFile.txt";
    const char* image = "Failed to load image ";
    if (displayMissing) {
        std::fprintf(stderr,
                     "kestrola: there is no display to show the window on (DISPLAY is not set); "
                     "start the game from a desktop session. Log: %s\n",
                     log.c_str());
    } else if (startsWith(line, "Unable to init SDL: ") || startsWith(line, "Unable to set ")) {
        std::fprintf(stderr, "kestrola: the game window could not be opened (%s). Log: %s\n",
                     line.substr(line.find(": ") + 2).c_str(), log.c_str());
    } else if (startsWith(line, image) && access("Images", F_OK) != 0) {
        std::fprintf(stderr,
                     "kestrola: the game's pictures are not here: %s has no Images folder. Start "
                     "the game in the folder that holds Images, Music and Sfx (the build folder), "
                     "or installed, as kestrola. Log: %s\n",
                     workingFolder().c_str(), log.c_str());
    } else if (startsWith(line, image)) {
        const std::string picture =
            line.substr(std::strlen(image), line.find(". Exiting") - std::strlen(image));
        std::fprintf(stderr,
                     "kestrola: the picture %s is missing or damaged in %s; the game's files are "
                     "incomplete. Log: %s\n",
                     picture.c_str(), workingFolder().c_str(), log.c_str());
    } else {
        std::fprintf(stderr, "kestrola: the game stopped while starting (%s). Log: %s\n",
                     line.empty() ? "no reason logged" : line.c_str(), log.c_str());
    }
}

// The window's icon, for the title bar and the dock; drawn by tools/icon like the desktop's.
void setWindowIcon()
{
#if __has_include("window_icon.h")
    SDL_Surface* icon = SDL_CreateRGBSurfaceFrom(
        const_cast<uint32_t*>(WINDOW_ICON), WINDOW_ICON_SIZE, WINDOW_ICON_SIZE, 32,
        WINDOW_ICON_SIZE * 4, 0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000);
    if (!icon) return;
    SDL_WM_SetIcon(icon, nullptr);
    SDL_FreeSurface(icon);
#endif
}

} // namespace

int main(int, char**)
{
    // A recording to watch is read and checked before anything starts: one that cannot be
    // watched leaves the log, the recording being written and the screen as they were.
    if (const char* problem = readRecordingFromSettings(); *problem) {
        std::fprintf(stderr, "kestrola: %s\n", problem);
        return 1;
    }
    requireDisplay();
    chooseScale();
    std::atexit(reportFailedStart);
    if (!startUp(PlayerGame)) {
        const int reason = errno;
        started = true;
        std::fprintf(stderr,
                     "kestrola: cannot write the log, logFile.txt, in %s (%s); start the game from "
                     "a folder you may write to\n",
                     workingFolder().c_str(), std::strerror(reason));
        return 1;
    }
    started = true;
    setWindowIcon();
    startWatchingFromSettings();
    for (;;) runPass();
}
