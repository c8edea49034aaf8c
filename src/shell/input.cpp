#include "shell/input.h"
#include "rules/game_state.h"
#include "rules/menus.h"
#include "rules/screen_layout.h"
#include "rules/time_control.h"
#include "rules/tool_use.h"
#include "rules/tutorial.h"
#include "shell/audio.h"
#include "shell/main_loop.h"

namespace {

// Every key press and button press is answered with a blip (and the whole window again).
void selectSound()
{
    if (game.options.sound) playEffect(EffectSelect, FIRST_FREE_CHANNEL, 0);
}

void keyReleased(SDLKey key)
{
    if (key == SDLK_RETURN)
        turnPageByKey();
    else if (key == SDLK_ESCAPE)
        leaveToStartMenu();
    else if (key == SDLK_F10)
        shutDown();
}

void mouseMoved(const SDL_MouseMotionEvent& motion)
{
    if (motion.state != 0) return;
    const int32_t x = motion.x, y = motion.y;
    if (onTable(x, y)) followAim(x, y);
    highlightMenuRow(menuRowAt(x, y));
}

void leftButtonPressed(int32_t x, int32_t y)
{
    const int32_t mode = game.gameMode;
    if (isStartMenuMode(mode)) {
        if (chooseStartMenuRow(menuRowAt(x, y))) shutDown();
    } else if (isMatchMode(mode)) {
        leftClickInMatch(x, y);
    } else if (isOptionsMode(mode)) {
        chooseOptionsRow(menuRowAt(x, y));
    } else if (isEndScreenMode(mode)) {
        leaveEndScreen();
    } else if (isTutorialMode(mode)) {
        tutorialClick(x, y);
    }
}

void buttonPressed(const SDL_MouseButtonEvent& button)
{
    if (button.button == SDL_BUTTON_LEFT)
        leftButtonPressed(button.x, button.y);
    else if (button.button == SDL_BUTTON_RIGHT)
        cancelTool();
    selectSound();
}

} // namespace

bool handleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
        if (event.key.keysym.sym == SDLK_SPACE) toggleTime();
        selectSound();
        fullRedraw = 1;
        return true;
    case SDL_KEYUP:
        keyReleased(event.key.keysym.sym);
        fullRedraw = 1;
        return true;
    case SDL_MOUSEMOTION: mouseMoved(event.motion); return false;
    case SDL_MOUSEBUTTONDOWN:
        buttonPressed(event.button);
        fullRedraw = 1;
        return true;
    case SDL_QUIT: shutDown();
    default: return false;
    }
}
