// The scripted tutorial: 72 pages on the table screen, GameMode 100 to 171. Each page shows two
// lines and leaves by ENTER or its timer, or waits for one scripted click or event.
#pragma once
#include <cstdint>

constexpr int32_t TUTORIAL_PAGE_DELAY_MS = 10000;

// The tick of the pages with moving balls: friction only where the page says so.
void tutorialTick();
void advanceTutorialPage();
// ENTER: the pages that turn by themselves turn at once.
void turnPageByKey();
void tutorialClick(int32_t x, int32_t y);
// The arrangement of page 117: a table mid-game, with some balls already pocketed.
void arrangeDemonstrationTable();
