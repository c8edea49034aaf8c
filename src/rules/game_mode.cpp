#include "rules/game_mode.h"

int32_t gameMode = StartMenu;
OptionsRecord Options = {40, 25, 1, 1, 1};
int32_t menuSelection = -1;
int32_t optionsSelection = -1;
uint32_t currentTicks = 0;
