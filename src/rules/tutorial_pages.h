// The tutorial's 72 pages, GameMode 100 to 171, one row each: what the page says, how it is
// turned, what moves and what is drawn on it, and the one click it may wait for.
#pragma once
#include "rules/screen_layout.h"
#include <cstdint>

constexpr int32_t TUTORIAL_PAGE_COUNT = 72;
constexpr int32_t TUTORIAL_LINE_SIZE = 60;

// What the click a page waits for does, before the page turns.
enum PageAction : int32_t {
    NoAction, // the page waits for no click
    ShowFirstRow,
    ShowSecondRow,
    SelectCue,
    SelectTeleport,
    SelectChaos,
    ChooseBall0,
    ChooseBall1,
    ChooseBall2,
    StrikeBall0,
    StrikeBall1,
    StrikeBall2,
    TeleportBall2,
    ScatterBalls,
    LightTime,
    LightSecondTime,
};

// What the table becomes as the page opens.
enum PageSetUp : int32_t { NoSetUp, DemonstrationTable, FreshRack };

struct TutorialPage {
    uint8_t turnsByItself;   // ENTER or the page's timer turns it
    uint8_t ballsRoll;       // the balls move in its ticks
    uint8_t friction;        // and slow down as in a match
    uint8_t aimFollowsMouse; // the aim arrow follows the mouse and is drawn
    uint8_t arrowsShown;     // the balls' motion arrows are drawn
    uint8_t pocketingTurns;  // a ball falling into a pocket turns the page
    ClickRect click;         // where the click the page waits for must land
    int32_t action;          // a PageAction
    uint8_t pocketHint;      // a click elsewhere is asked to hit the pocket's centre
    int32_t setUp;           // a PageSetUp
    char lines[2][TUTORIAL_LINE_SIZE];
};

// The row of the page in GameMode mode; outside the tutorial, a row that does nothing and says
// nothing.
const TutorialPage& tutorialPage(int32_t mode);
