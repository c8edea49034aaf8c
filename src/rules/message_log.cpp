#include "rules/message_log.h"
#include <cstring>

MessageLogRecord MessageLog = {"Welcome to Kestrola!", "Have a nice game"};
void (*messageRecorder)(const char* line) = nullptr;

void pushMessage(const char* text)
{
    std::memcpy(MessageLog.upper, MessageLog.lower, MESSAGE_LINE_SIZE);
    std::strncpy(MessageLog.lower, text, MESSAGE_LINE_SIZE - 1);
    MessageLog.lower[MESSAGE_LINE_SIZE - 1] = '\0';
    if (messageRecorder) messageRecorder(MessageLog.lower);
}
