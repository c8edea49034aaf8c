#include "shell/made_events.h"
#include <cstring>

SDL_Event keyEvent(uint32_t type, SDLKey key)
{
    SDL_Event event = {};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    return event;
}

SDL_Event buttonEvent(uint32_t type, Uint8 button, int64_t x, int64_t y)
{
    SDL_Event event = {};
    event.type = type;
    event.button.type = type;
    event.button.button = button;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = static_cast<Uint16>(x);
    event.button.y = static_cast<Uint16>(y);
    return event;
}

SDL_Event motionEvent(int64_t x, int64_t y, bool leftHeld)
{
    SDL_Event event = {};
    event.type = SDL_MOUSEMOTION;
    event.motion.type = SDL_MOUSEMOTION;
    event.motion.state = leftHeld ? SDL_BUTTON(SDL_BUTTON_LEFT) : 0;
    event.motion.x = static_cast<Uint16>(x);
    event.motion.y = static_cast<Uint16>(y);
    return event;
}

bool keyNamed(const char* name, SDLKey& key)
{
    const size_t length = std::strlen(name);
    if (std::strcmp(name, "space") == 0)
        key = SDLK_SPACE;
    else if (std::strcmp(name, "return") == 0)
        key = SDLK_RETURN;
    else if (std::strcmp(name, "escape") == 0)
        key = SDLK_ESCAPE;
    else if (std::strcmp(name, "f10") == 0)
        key = SDLK_F10;
    else if (length == 1 &&
             ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= '0' && name[0] <= '9')))
        key = static_cast<SDLKey>(name[0]);
    else
        return false;
    return true;
}
