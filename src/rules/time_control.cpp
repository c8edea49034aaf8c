#include "rules/time_control.h"
#include "physics/ball_view.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/message_log.h"
#include "rules/platform.h"
#include "rules/refusals.h"
#include "rules/tool_catalogue.h"

void startTime()
{
    if (game.buttonState[TimeToggle] == Unavailable) {
        if (game.options.messages) pushMessage(NOTHING_MOVING);
        return;
    }
    releaseActiveButtons();
    game.buttonState[TimeToggle] = Active;
    game.buttonState[TimeToggleRow2] = Active;
    game.selectedBall = -1;
    game.selectedTool = -1;
    game.gameMode = Running;
    if (game.options.sound) platform.playEffect(EffectClock, CLOCK_CHANNEL, LOOP_FOREVER);
}

void pushPauseMessage()
{
    pushMessage(game.options.messages ? "Game paused. You may wish to apply tools now." : "Pause");
}

void pauseTime()
{
    game.gameMode = Paused;
    updateBallArrows();
    pushPauseMessage();
    if (game.options.sound) platform.haltChannel(CLOCK_CHANNEL);
}

void toggleTime()
{
    if (game.gameMode == Running)
        pauseTime();
    else if (game.gameMode == Paused || game.gameMode == ToolSelected)
        startTime();
}
