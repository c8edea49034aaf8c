// The scripted tutorial: 72 pages on the table screen, GameMode 100 to 171.
#pragma once
#include <cstdint>

constexpr int32_t TUTORIAL_PAGE_COUNT = 72;
constexpr int32_t TUTORIAL_PAGE_DELAY_MS = 10000;

// When the current page may move on by itself (and by ENTER).
extern int32_t pageDeadline; // compared with currentTicks as a signed number
extern uint8_t pageAutoAdvance[TUTORIAL_PAGE_COUNT];

// Whether the page in GameMode mode advances by its timer and by ENTER.
bool pageAutoAdvances(int32_t mode);
void advanceTutorialPage();
void tutorialClick(int32_t x, int32_t y);
