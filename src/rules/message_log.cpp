#include "rules/message_log.h"
#include "rules/game_state.h"
#include <cstring>

void (*messageRecorder)(const char* line) = nullptr;

void pushMessage(const char* text)
{
    std::memcpy(game.messageLog.upper, game.messageLog.lower, MESSAGE_LINE_SIZE);
    std::strncpy(game.messageLog.lower, text, MESSAGE_LINE_SIZE - 1);
    game.messageLog.lower[MESSAGE_LINE_SIZE - 1] = '\0';
    if (messageRecorder) messageRecorder(game.messageLog.lower);
}
