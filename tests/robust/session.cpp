#include "session.h"
#include "physics/ball.h"
#include "rules/tool_catalogue.h"
#include "shell/clock.h"
#include "rules/game_mode.h"
#include "shell/main_loop.h"
#include "shell/pushed_events.h"
#include <SDL/SDL.h>
#include <cstdio>
#include <cstdlib>

namespace {

uint32_t pendingStall = 0;

// One pass of the main loop as the driver runs it: the stall first, then the pass.
void pass(void (*afterTick)())
{
    virtualClockMs += pendingStall;
    pendingStall = 0;
    const uint32_t before = ticksRun;
    runPass();
    if (afterTick && ticksRun != before) afterTick();
}

uint32_t below(SessionRandom& random, uint32_t n)
{
    // splitmix64: small, fast, and independent of the game's own rand().
    uint64_t z = (random.state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<uint32_t>(z % n);
}

bool chance(SessionRandom& random, uint32_t percent)
{
    return below(random, 100) < percent;
}

// Every key the game or the driver knows: the four named ones, the letters and the digits.
int32_t anyKey(SessionRandom& random, bool quitting)
{
    for (;;) {
        const uint32_t k = below(random, 40);
        if (k == 0) return SDLK_SPACE;
        if (k == 1) return SDLK_RETURN;
        if (k == 2) return SDLK_ESCAPE;
        if (k == 3) {
            if (quitting && chance(random, 1) && chance(random, 20)) return SDLK_F10;
            continue;
        }
        if (k < 30) return 'a' + static_cast<int32_t>(k - 4);
        return '0' + static_cast<int32_t>(k - 30);
    }
}

bool onQuitRow(int32_t x, int32_t y)
{
    return x > 90 && x < 200 && y >= 203 && y < 225;
}

SessionAction clickAt(int32_t x, int32_t y, int32_t button = 1)
{
    return {ActClick, x, y, button, 0, 0};
}

SessionAction anyClick(SessionRandom& random, bool quitting)
{
    for (;;) {
        int32_t x = static_cast<int32_t>(below(random, 300));
        int32_t y = static_cast<int32_t>(below(random, 300));
        if (chance(random, 3)) {
            // Far outside the window, as a driver script may put it.
            x = static_cast<int32_t>(below(random, 65536));
            y = static_cast<int32_t>(below(random, 65536));
        }
        const uint32_t b = below(random, 10);
        const int32_t button = b < 7 ? 1 : b < 9 ? 3 : 2;
        if (gameMode == StartMenu && button == 1 && onQuitRow(x, y) &&
            !(quitting && chance(random, 1)))
            continue;
        return clickAt(x, y, button);
    }
}

// Something a player who knows the game would do in the current mode.
SessionAction purposeful(SessionRandom& random)
{
    if (gameMode == StartMenu) {
        constexpr int32_t rows[4] = {140, 157, 174, 190}; // tutorial, one, two players, options
        return clickAt(120, rows[below(random, 4)]);
    }
    if (gameMode == OptionsMenu) {
        constexpr int32_t rows[5] = {140, 160, 178, 195,
                                     212}; // speed, messages, sound, music, back
        return clickAt(120, rows[below(random, 5)]);
    }
    if (gameMode >= TutorialFirstPage) {
        if (chance(random, 60)) return {ActKey, 0, 0, 0, SDLK_RETURN, 0};
        return clickAt(static_cast<int32_t>(below(random, 300)),
                       70 + static_cast<int32_t>(below(random, 230)));
    }
    // A Cue stroke on a ball, then time, then the wait for the turn to end: this is what
    // moves a match on to its end.
    if (gameMode == Paused && chance(random, 40))
        return buttonRow == 0 ? clickAt(45, 85) : clickAt(285, 85);
    if (gameMode == ToolSelected && chance(random, 60)) {
        const Ball& target = balls[below(random, BALL_COUNT)];
        if (target.onTable) return clickAt(target.screenX, target.screenY);
    }
    if (gameMode == Aiming && chance(random, 60))
        return clickAt(35 + static_cast<int32_t>(below(random, 230)),
                       135 + static_cast<int32_t>(below(random, 130)));
    if (gameMode >= Paused && gameMode <= Running) {
        const uint32_t what = below(random, 10);
        if (what < 2) return {ActKey, 0, 0, 0, SDLK_SPACE, 0};
        if (what < 4) return {ActSettle, 0, 0, 0, 0, 20000};
        if (what < 7) // a tool button of the row shown, or the row switch
            return clickAt(30 * static_cast<int32_t>(below(random, 10)) + 15, 85);
        return clickAt(35 + static_cast<int32_t>(below(random, 230)),
                       135 + static_cast<int32_t>(below(random, 130)));
    }
    return clickAt(static_cast<int32_t>(below(random, 300)),
                   static_cast<int32_t>(below(random, 300)));
}

} // namespace

bool startSession()
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    useVirtualClock = 1;
    virtualClockMs = 0;
    return startUp();
}

SessionAction nextAction(SessionRandom& random, bool quitting)
{
    const uint32_t roll = below(random, 1000);
    if (roll < 300) return purposeful(random);
    if (roll < 500) return anyClick(random, quitting);
    if (roll < 600) {
        const int32_t held = chance(random, 20) ? 1 : 0;
        return {ActMotion,
                static_cast<int32_t>(below(random, 320)),
                static_cast<int32_t>(below(random, 320)),
                held,
                0,
                0};
    }
    if (roll < 700) return {ActKey, 0, 0, 0, anyKey(random, quitting), 0};
    if (roll < 715) return {ActKeyDown, 0, 0, 0, anyKey(random, quitting), 0};
    if (roll < 730) return {ActKeyUp, 0, 0, 0, anyKey(random, quitting), 0};
    if (roll < 731 && quitting && chance(random, 1)) return {ActQuit, 0, 0, 0, 0, 0};
    if (roll < 850) return {ActWait, 0, 0, 0, 0, 1 + static_cast<int32_t>(below(random, 2000))};
    if (roll < 870) return {ActStall, 0, 0, 0, 0, static_cast<int32_t>(below(random, 400))};
    return {ActTicks, 0, 0, 0, 0, 1 + static_cast<int32_t>(below(random, 300))};
}

void perform(SessionAction& action, void (*afterTick)())
{
    switch (action.kind) {
    case ActClick: {
        const Uint8 button = action.button == 3   ? SDL_BUTTON_RIGHT
                             : action.button == 2 ? SDL_BUTTON_MIDDLE
                                                  : SDL_BUTTON_LEFT;
        pushButtonEvent(SDL_MOUSEBUTTONDOWN, button, action.x, action.y);
        pushButtonEvent(SDL_MOUSEBUTTONUP, button, action.x, action.y);
        pass(afterTick);
        break;
    }
    case ActMotion:
        pushMotionEvent(action.x, action.y, action.button != 0);
        pass(afterTick);
        break;
    case ActKey:
    case ActKeyDown:
    case ActKeyUp:
        if (action.kind != ActKeyUp) pushKeyEvent(SDL_KEYDOWN, static_cast<SDLKey>(action.key));
        if (action.kind != ActKeyDown) pushKeyEvent(SDL_KEYUP, static_cast<SDLKey>(action.key));
        pass(afterTick);
        break;
    case ActQuit:
        pushQuitEvent();
        pass(afterTick);
        break;
    case ActWait:
        for (int32_t i = 0; i < action.count; ++i) pass(afterTick);
        break;
    case ActStall:
        pendingStall += static_cast<uint32_t>(action.count);
        break;
    case ActTicks: {
        const uint32_t target = ticksRun + static_cast<uint32_t>(action.count);
        while (ticksRun != target) pass(afterTick);
        break;
    }
    case ActSettle: {
        const uint32_t start = ticksRun;
        while (gameMode == Running && static_cast<int32_t>(ticksRun - start) < action.count)
            pass(afterTick);
        action.kind = ActTicks;
        action.count = static_cast<int32_t>(ticksRun - start);
        break;
    }
    default:
        break;
    }
}

int32_t formatAction(const SessionAction& action, char* line, size_t size)
{
    char key[8] = {};
    if (action.key == SDLK_SPACE)
        std::snprintf(key, sizeof key, "space");
    else if (action.key == SDLK_RETURN)
        std::snprintf(key, sizeof key, "return");
    else if (action.key == SDLK_ESCAPE)
        std::snprintf(key, sizeof key, "escape");
    else if (action.key == SDLK_F10)
        std::snprintf(key, sizeof key, "f10");
    else
        key[0] = static_cast<char>(action.key);
    constexpr const char* buttons[4] = {"", "left", "middle", "right"};
    switch (action.kind) {
    case ActClick:
        return std::snprintf(line, size, "click %d %d %s\n", action.x, action.y,
                             buttons[action.button]);
    case ActMotion:
        return std::snprintf(line, size, "motion %d %d%s\n", action.x, action.y,
                             action.button ? " left" : "");
    case ActKey:
        return std::snprintf(line, size, "key %s\n", key);
    case ActKeyDown:
        return std::snprintf(line, size, "keydown %s\n", key);
    case ActKeyUp:
        return std::snprintf(line, size, "keyup %s\n", key);
    case ActQuit:
        return std::snprintf(line, size, "quit\n");
    case ActWait:
        return std::snprintf(line, size, "wait %d\n", action.count);
    case ActStall:
        return std::snprintf(line, size, "stall %d\n", action.count);
    case ActTicks:
        return std::snprintf(line, size, "ticks %d\n", action.count);
    case ActSettle:
        return std::snprintf(line, size, "settle %d\n", action.count);
    default:
        return std::snprintf(line, size, "# ?\n");
    }
}
