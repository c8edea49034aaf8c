// The scripted tutorial: 72 pages on the table screen, GameMode 100 to 171. Each page shows two
// lines and leaves by ENTER or its timer, or waits for one scripted click or event.
#pragma once
#include <cstdint>

constexpr int32_t TUTORIAL_PAGE_COUNT = 72;
constexpr int32_t TUTORIAL_TEXT_LINES = 200;
constexpr int32_t TUTORIAL_LINE_SIZE = 60;
constexpr int32_t TUTORIAL_PAGE_DELAY_MS = 10000;

extern const char tutorialText[TUTORIAL_TEXT_LINES][TUTORIAL_LINE_SIZE];
// One entry per page from 100: 1 where the page leaves on ENTER or after the delay.
extern const uint8_t pageAutoAdvance[TUTORIAL_PAGE_COUNT];
// When the current page leaves by itself; compared with currentTicks as a signed number.
extern int32_t pageDeadline;

// Whether the page in GameMode mode advances by its timer and by ENTER.
bool pageAutoAdvances(int32_t mode);
void advanceTutorialPage();
void tutorialClick(int32_t x, int32_t y);
// The arrangement of page 117: a table mid-game, with some balls already pocketed.
void arrangeDemonstrationTable();
