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

void pushRect(const ScreenRect& r) { updateScreenRect(screen, r.x, r.y, r.w, r.h); }

void pushModeRectangles()
{
    if (game.gameMode == StartMenu || game.gameMode == OptionsMenu) {
        pushRect(MENU_BALL_BAND);
        pushRect(MENU_HIGHLIGHT_COLUMN);
    } else if (game.gameMode == Aiming || game.gameMode == Running ||
               tableRefreshingPage(game.gameMode)) {
        pushRect(TABLE_AREA);
    } else if (game.gameMode == EndScreen) {
        pushRect(END_SCREEN_LOWER_HALF);
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
        pushRect(WHOLE_WINDOW);
        fullRedraw = 0;
    } else {
        pushModeRectangles();
    }
    unlockIfNeeded(screen);
}
