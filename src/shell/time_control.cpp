#include "shell/time_control.h"
#include "physics/ball_view.h"
#include "render/frame.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/message_log.h"
#include "rules/tool_catalogue.h"
#include "shell/audio.h"

void startTime()
{
    if (game.buttonState[TimeToggle] == Unavailable) {
        if (game.options.messages) pushMessage("Get balls moving first");
        return;
    }
    releaseActiveButtons();
    game.buttonState[TimeToggle] = Active;
    game.buttonState[TimeToggleRow2] = Active;
    game.selectedBall = -1;
    game.selectedTool = -1;
    drawFrame();
    game.gameMode = Running;
    if (game.options.sound) playEffect(EffectClock, CLOCK_CHANNEL, LOOP_FOREVER);
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
    if (game.options.sound) haltChannel(CLOCK_CHANNEL);
}
