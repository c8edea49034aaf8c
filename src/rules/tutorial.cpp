#include "rules/tutorial.h"
#include "shell/game_mode.h"

int32_t pageDeadline = 0;
uint8_t pageAutoAdvance[TUTORIAL_PAGE_COUNT] = {};

bool pageAutoAdvances(int32_t mode)
{
    return mode >= TutorialFirstPage && mode <= TutorialLastPage &&
           pageAutoAdvance[mode - TutorialFirstPage];
}

void advanceTutorialPage() {}
void tutorialClick(int32_t, int32_t) {}
