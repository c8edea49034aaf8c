#include "shell/input.h"
#include "rules/game_state.h"
#include "rules/menus.h"
#include "rules/screen_layout.h"
#include "rules/time_control.h"
#include "rules/tool_use.h"
#include "rules/tutorial.h"
#include "shell/audio.h"

namespace {

// Every key press and button press is answered with a blip (and the whole window again).
void selectSound()
{
    if (game.options.sound) playEffect(EffectSelect, FIRST_FREE_CHANNEL, 0);
}

// Returns whether the key leaves the game.
bool keyReleased(SDLKey key)
{
    if (key == SDLK_RETURN)
        turnPageByKey();
    else if (key == SDLK_ESCAPE)
        leaveToStartMenu();
    return key == SDLK_F10;
}

void mouseMoved(const SDL_MouseMotionEvent& motion)
{
    if (motion.state != 0) return;
    const int32_t x = motion.x, y = motion.y;
    if (onTable(x, y)) followAim(x, y);
    highlightMenuRow(menuRowAt(x, y));
}

// Returns whether the click leaves the game (the start menu's Quit).
bool leftButtonPressed(int32_t x, int32_t y)
{
    const int32_t mode = game.gameMode;
    if (isStartMenuMode(mode)) {
        return chooseStartMenuRow(menuRowAt(x, y));
    } else if (isMatchMode(mode)) {
        leftClickInMatch(x, y);
    } else if (isOptionsMode(mode)) {
        chooseOptionsRow(menuRowAt(x, y));
    } else if (isEndScreenMode(mode)) {
        leaveEndScreen();
    } else if (isTutorialMode(mode)) {
        tutorialClick(x, y);
    }
    return false;
}

bool buttonPressed(const SDL_MouseButtonEvent& button)
{
    if (button.button == SDL_BUTTON_LEFT && leftButtonPressed(button.x, button.y)) return true;
    if (button.button == SDL_BUTTON_RIGHT) cancelTool();
    selectSound();
    return false;
}

} // namespace

int32_t handleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
        if (event.key.keysym.sym == SDLK_SPACE) toggleTime();
        selectSound();
        fullRedraw = 1;
        return FrameWanted;
    case SDL_KEYUP:
        if (keyReleased(event.key.keysym.sym)) return LeaveGame;
        fullRedraw = 1;
        return FrameWanted;
    case SDL_MOUSEMOTION: mouseMoved(event.motion); return NothingMore;
    case SDL_MOUSEBUTTONDOWN:
        if (buttonPressed(event.button)) return LeaveGame;
        fullRedraw = 1;
        return FrameWanted;
    case SDL_QUIT: return LeaveGame;
    default: return NothingMore;
    }
}
