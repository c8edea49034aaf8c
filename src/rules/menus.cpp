#include "rules/menus.h"
#include "rules/game_state.h"
#include "rules/menu_ball.h"
#include "rules/message_log.h"
#include "rules/platform.h"
#include "rules/random.h"
#include "rules/turn_cycle.h"
#include "rules/tutorial.h"

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

bool chooseStartMenuRow(int32_t row)
{
    game.menuSelection = row;
    switch (row) {
    case RowTutorial: startTutorial(); break;
    case RowOnePlayer:
        startMatch(OnePlayer, "Your goal is to get up to 980 points in 10 turns");
        break;
    case RowTwoPlayers: startMatch(TwoPlayers, "Player 1, your first move"); break;
    case RowOptions:
        game.gameMode = OptionsMenu;
        fullRedraw = 1;
        break;
    case RowQuit: return true;
    default: break;
    }
    // A match or the tutorial opens on a random in-game track; the rotation takes over from
    // its first tick.
    if ((game.gameMode == Paused || game.gameMode == TutorialFirstPage) && game.options.music) {
        game.currentTrack = gameRandom() % 4;
        platform.playMusic(game.currentTrack, LOOP_FOREVER);
    }
    return false;
}

void chooseOptionsRow(int32_t row)
{
    fullRedraw = 1;
    game.optionsSelection = row;
    switch (row) {
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
            platform.playMusic(MusicMenu, LOOP_FOREVER);
        } else {
            game.options.music = 0;
            platform.haltMusic();
        }
        break;
    case RowBack: game.gameMode = StartMenu; break;
    default: break;
    }
}

void highlightMenuRow(int32_t row)
{
    if (game.gameMode == StartMenu) game.menuSelection = row;
    if (game.gameMode == OptionsMenu) game.optionsSelection = row;
}

void leaveEndScreen()
{
    resetMenuBall();
    game.menuSelection = -1;
    game.optionsSelection = -1;
    fullRedraw = 1;
    game.gameMode = StartMenu;
    if (game.options.music) platform.playMusic(MusicMenu, LOOP_FOREVER);
}

void leaveToStartMenu()
{
    game.gameMode = StartMenu;
    if (game.options.music) platform.playMusic(MusicMenu, LOOP_FOREVER);
    if (game.options.sound) platform.haltChannel(CLOCK_CHANNEL);
}
