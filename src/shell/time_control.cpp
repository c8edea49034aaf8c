#include "shell/time_control.h"
#include "physics/ball_view.h"
#include "render/frame.h"
#include "rules/game_mode.h"
#include "rules/message_log.h"
#include "rules/tool_catalogue.h"
#include "shell/audio.h"

void startTime()
{
    if (buttonState[TimeToggle] == Unavailable) {
        if (Options.messages) pushMessage("Get balls moving first");
        return;
    }
    releaseActiveButtons();
    buttonState[TimeToggle] = Active;
    buttonState[TimeToggleRow2] = Active;
    selectedBall = -1;
    selectedTool = -1;
    drawFrame();
    gameMode = Running;
    if (Options.sound) playEffect(EffectClock, CLOCK_CHANNEL, LOOP_FOREVER);
}

void pushPauseMessage()
{
    pushMessage(Options.messages ? "Game paused. You may wish to apply tools now." : "Pause");
}

void pauseTime()
{
    gameMode = Paused;
    updateBallArrows();
    pushPauseMessage();
    if (Options.sound) haltChannel(CLOCK_CHANNEL);
}
