#include "render/frame.h"
#include "render/menu_screens.h"
#include "render/surfaces.h"
#include "render/table_screen.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/tutorial_pages.h"

namespace {

// The tutorial pages whose balls move or whose aim arrow follows the mouse refresh the Table.
bool tableRefreshingPage(int32_t mode)
{
    const TutorialPage& page = tutorialPage(mode);
    return page.ballsRoll || page.aimFollowsMouse;
}

void pushModeRectangles()
{
    if (game.gameMode == StartMenu || game.gameMode == OptionsMenu) {
        updateScreenRect(screen, 0, 250, 300, 50);  // the decorative ball's band
        updateScreenRect(screen, 90, 130, 28, 100); // the highlight column
    } else if (game.gameMode == Aiming || game.gameMode == Running ||
               tableRefreshingPage(game.gameMode)) {
        updateScreenRect(screen, 0, 100, 300, 200); // the Table
    } else if (game.gameMode == EndScreen) {
        updateScreenRect(screen, 0, 150, 300, 150);
    }
}

} // namespace

void composeFrame()
{
    if (isStartMenuMode(game.gameMode))
        drawStartScreen();
    else if (isMatchMode(game.gameMode) || isTutorialMode(game.gameMode))
        drawTableScreen();
    else if (isOptionsMode(game.gameMode))
        drawOptionsScreen();
    else if (isEndScreenMode(game.gameMode))
        drawEndScreen();
}

void drawFrame()
{
    pushedRects.count = 0;
    lockIfNeeded(screen);
    composeFrame();
    if (fullRedraw) {
        updateScreenRect(screen, 0, 0, 300, 300);
        fullRedraw = 0;
    } else {
        pushModeRectangles();
    }
    unlockIfNeeded(screen);
}
