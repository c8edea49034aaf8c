#include "shell/input.h"
#include "render/frame.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/tutorial.h"
#include "rules/tutorial_pages.h"
#include "shell/audio.h"
#include "shell/main_loop.h"
#include "shell/menus.h"
#include "shell/time_control.h"
#include "shell/tool_clicks.h"

namespace {

// Every key press and button press ends the same way: the whole window again, and a blip.
void redrawWithSelectSound()
{
    game.fullRedraw = 1;
    drawFrame();
    if (game.options.sound) playEffect(EffectSelect, FIRST_FREE_CHANNEL, 0);
}

void keyPressed(SDLKey key)
{
    if (key == SDLK_SPACE) {
        if (game.gameMode == Running)
            pauseTime();
        else if (game.gameMode == Paused || game.gameMode == ToolSelected)
            startTime();
    }
    redrawWithSelectSound();
}

void keyReleased(SDLKey key)
{
    if (key == SDLK_RETURN) {
        if (tutorialPage(game.gameMode).turnsByItself) advanceTutorialPage();
    } else if (key == SDLK_ESCAPE) {
        // Whatever was going on is abandoned; the next start prepares a fresh field.
        game.gameMode = StartMenu;
        if (game.options.music) playMusic(MusicMenu, LOOP_FOREVER);
        if (game.options.sound) haltChannel(CLOCK_CHANNEL);
    } else if (key == SDLK_F10) {
        shutDown();
    }
    game.fullRedraw = 1;
    drawFrame();
}

void mouseMoved(const SDL_MouseMotionEvent& motion)
{
    if (motion.state != 0) return;
    const int32_t x = motion.x, y = motion.y;
    const bool onTable = x > 0 && x < 300 && y > 100 && y < 300;
    if (onTable && (game.gameMode == Aiming || tutorialPage(game.gameMode).aimFollowsMouse))
        followAim(x, y);
    if (game.gameMode == StartMenu) game.menuSelection = menuRowAt(x, y);
    if (game.gameMode == OptionsMenu) game.optionsSelection = menuRowAt(x, y);
}

void leftButtonPressed(int32_t x, int32_t y)
{
    if (isStartMenuMode(game.gameMode))
        startMenuClick(x, y);
    else if (isMatchMode(game.gameMode))
        leftClickInMatch(x, y);
    else if (isOptionsMode(game.gameMode))
        optionsMenuClick(x, y);
    else if (isEndScreenMode(game.gameMode))
        endScreenClick();
    else if (isTutorialMode(game.gameMode))
        tutorialClick(x, y);
}

void buttonPressed(const SDL_MouseButtonEvent& button)
{
    if (button.button == SDL_BUTTON_LEFT)
        leftButtonPressed(button.x, button.y);
    else if (button.button == SDL_BUTTON_RIGHT &&
             (game.gameMode == ToolSelected || game.gameMode == Aiming))
        cancelTool();
    redrawWithSelectSound();
}

} // namespace

void handleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN: keyPressed(event.key.keysym.sym); break;
    case SDL_KEYUP: keyReleased(event.key.keysym.sym); break;
    case SDL_MOUSEMOTION: mouseMoved(event.motion); break;
    case SDL_MOUSEBUTTONDOWN: buttonPressed(event.button); break;
    case SDL_QUIT: shutDown();
    default: break;
    }
}
