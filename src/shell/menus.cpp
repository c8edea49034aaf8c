#include "shell/menus.h"
#include "render/frame.h"
#include "render/menu_ball.h"
#include "rules/game_mode.h"
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
    Match.gameKind = gameKind;
    prepareField();
    pushMessage(greeting);
    gameMode = Paused;
}

void startTutorial()
{
    gameMode = TutorialFirstPage;
    prepareField();
    pushMessage("Welcome to the Kestrola tutorial!");
    pushMessage("ESC exits this tutorial, ENTER opens next page");
    pageDeadline = static_cast<int32_t>(currentTicks) + TUTORIAL_PAGE_DELAY_MS;
}

} // namespace

int32_t menuRowAt(int32_t x, int32_t y)
{
    if (x > 90 && x < 200 && y > 135 && y < 225) return (y - 135) / 17;
    return -1;
}

void startMenuClick(int32_t x, int32_t y)
{
    menuSelection = menuRowAt(x, y);
    switch (menuSelection) {
    case RowTutorial: startTutorial(); break;
    case RowOnePlayer:
        startMatch(OnePlayer, "Your goal is to get up to 980 points in 10 turns");
        break;
    case RowTwoPlayers: startMatch(TwoPlayers, "Player 1, your first move"); break;
    case RowOptions:
        gameMode = OptionsMenu;
        fullRedraw = 1;
        break;
    case RowQuit: shutDown();
    default: break;
    }
    // A match or the tutorial opens on a random in-game track; the rotation takes over from
    // its first tick.
    if ((gameMode == Paused || gameMode == TutorialFirstPage) && Options.music) {
        currentTrack = gameRandom() % 4;
        playMusic(currentTrack, LOOP_FOREVER);
    }
}

void optionsMenuClick(int32_t x, int32_t y)
{
    optionsSelection = -1;
    fullRedraw = 1;
    optionsSelection = menuRowAt(x, y);
    switch (optionsSelection) {
    case RowSpeed:
        Options.speed += 10;
        if (Options.speed > 60) Options.speed = 10;
        Options.tickInterval = 1000 / Options.speed;
        break;
    case RowMessages: Options.messages = !Options.messages; break;
    case RowSound: Options.sound = !Options.sound; break;
    case RowMusic:
        if (!Options.music) {
            Options.music = 1;
            playMusic(MusicMenu, LOOP_FOREVER);
        } else {
            Options.music = 0;
            haltMusic();
        }
        break;
    case RowBack: gameMode = StartMenu; break;
    default: break;
    }
}

void endScreenClick()
{
    resetMenuBall();
    menuSelection = -1;
    optionsSelection = -1;
    fullRedraw = 1;
    gameMode = StartMenu;
    if (Options.music) playMusic(MusicMenu, LOOP_FOREVER);
}
