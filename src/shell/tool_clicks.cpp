#include "shell/tool_clicks.h"

void leftClickInMatch(int32_t, int32_t) {}
void cancelTool() {}
void followAim(int32_t, int32_t) {}
