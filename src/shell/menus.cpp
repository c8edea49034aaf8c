#include "shell/menus.h"
#include "render/frame.h"
#include "render/menu_ball.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/match.h"
#include "rules/message_log.h"
#include "rules/random.h"
#include "rules/turn_cycle.h"
#include "rules/tutorial.h"
#include "shell/audio.h"
#include "shell/main_loop.h"

namespace {

enum StartMenuRow : int32_t { RowTutorial, RowOnePlayer, RowTwoPlayers, RowOptions, RowQuit };
enum OptionsMenuRow : int32_t { RowSpeed, RowMessages, RowSound, RowMusic, RowBack };

void startMatch(int32_t gameKind, const char* greeting)
{
    game.match.gameKind = gameKind;
    prepareField();
    pushMessage(greeting);
    game.gameMode = Paused;
}

void startTutorial()
{
    game.gameMode = TutorialFirstPage;
    prepareField();
    pushMessage("Welcome to the Kestrola tutorial!");
    pushMessage("ESC exits this tutorial, ENTER opens next page");
    game.pageDeadline = static_cast<int32_t>(game.currentTicks) + TUTORIAL_PAGE_DELAY_MS;
}

} // namespace

int32_t menuRowAt(int32_t x, int32_t y)
{
    if (x > 90 && x < 200 && y > 135 && y < 225) return (y - 135) / 17;
    return -1;
}

void startMenuClick(int32_t x, int32_t y)
{
    game.menuSelection = menuRowAt(x, y);
    switch (game.menuSelection) {
    case RowTutorial: startTutorial(); break;
    case RowOnePlayer:
        startMatch(OnePlayer, "Your goal is to get up to 980 points in 10 turns");
        break;
    case RowTwoPlayers: startMatch(TwoPlayers, "Player 1, your first move"); break;
    case RowOptions:
        game.gameMode = OptionsMenu;
        game.fullRedraw = 1;
        break;
    case RowQuit: shutDown();
    default: break;
    }
    // A match or the tutorial opens on a random in-game track; the rotation takes over from
    // its first tick.
    if ((game.gameMode == Paused || game.gameMode == TutorialFirstPage) && game.options.music) {
        game.currentTrack = gameRandom() % 4;
        playMusic(game.currentTrack, LOOP_FOREVER);
    }
}

void optionsMenuClick(int32_t x, int32_t y)
{
    game.optionsSelection = -1;
    game.fullRedraw = 1;
    game.optionsSelection = menuRowAt(x, y);
    switch (game.optionsSelection) {
    case RowSpeed:
        game.options.speed += 10;
        if (game.options.speed > 60) game.options.speed = 10;
        game.options.tickInterval = 1000 / game.options.speed;
        break;
    case RowMessages: game.options.messages = !game.options.messages; break;
    case RowSound: game.options.sound = !game.options.sound; break;
    case RowMusic:
        if (!game.options.music) {
            game.options.music = 1;
            playMusic(MusicMenu, LOOP_FOREVER);
        } else {
            game.options.music = 0;
            haltMusic();
        }
        break;
    case RowBack: game.gameMode = StartMenu; break;
    default: break;
    }
}

void endScreenClick()
{
    resetMenuBall();
    game.menuSelection = -1;
    game.optionsSelection = -1;
    game.fullRedraw = 1;
    game.gameMode = StartMenu;
    if (game.options.music) playMusic(MusicMenu, LOOP_FOREVER);
}
