#include "rules/game_tick.h"
#include "physics/simulation.h"
#include "rules/game_state.h"
#include "rules/menu_ball.h"
#include "rules/platform.h"
#include "rules/random.h"
#include "rules/tutorial.h"
#include "rules/tutorial_pages.h"

namespace {

void rotateMusic()
{
    if (!game.options.music || static_cast<int32_t>(game.currentTicks) < game.nextTrackTime) return;
    if (!isMatchMode(game.gameMode) && !isTutorialMode(game.gameMode)) return;
    game.currentTrack = gameRandom() % IN_GAME_TRACKS;
    game.nextTrackTime = static_cast<int32_t>(game.currentTicks) + trackLengthMs[game.currentTrack];
    platform.playMusic(game.currentTrack, LOOP_FOREVER);
}

} // namespace

bool tickWhenDue(uint32_t now)
{
    game.currentTicks = now;
    if (static_cast<int32_t>(now) < game.nextTickTime) return false;
    game.nextTickTime = static_cast<int32_t>(now) + game.options.tickInterval;
    runTick();
    return true;
}

void runTick()
{
    ++game.ticksRun;
    if (game.gameMode == Running) gameTick();
    rotateMusic();
    if (game.gameMode == StartMenu || game.gameMode == OptionsMenu) {
        rollMenuBall();
    } else if (game.gameMode == EndScreen) {
        bounceMenuBall();
    } else if (isTutorialMode(game.gameMode)) {
        if (tutorialPage(game.gameMode).ballsRoll) tutorialTick();
        if (static_cast<int32_t>(game.currentTicks) >= game.pageDeadline &&
            tutorialPage(game.gameMode).turnsByItself)
            advanceTutorialPage();
    }
}
