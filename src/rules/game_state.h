// The whole game in one record: every fact that decides what happens next. Copying it is one
// assignment, and putting the copy back restores the game exactly; two copies given the same
// calls go the same way. Other units read it freely; the rules alone change it.
#pragma once
#include "physics/ball.h"
#include "rules/game_mode.h"
#include "rules/match.h"
#include "rules/message_log.h"
#include "rules/tool_catalogue.h"
#include <cstdint>

struct GameState {
    int32_t gameMode; // a GameModeValue: what input does, what is drawn and what moves
    OptionsRecord options;
    MatchRecord match;
    Ball balls[BALL_COUNT];

    // The tool bookkeeping of the turn.
    int32_t usesLeft[TOOL_COUNT];
    int32_t buttonState[TOOL_COUNT]; // a ButtonState
    int32_t buttonRow;               // 0 or 1: the row shown in the Panel
    int32_t selectedTool;
    int32_t selectedBall;
    double aimX, aimY; // the end of the direction arrow while aiming
    PlacedToolSlots placedTools;
    int32_t placedToolCount;
    // While a tool acts on the balls, a ball it brings to rest is reported once it is done.
    uint8_t toolEffectRunning;
    uint8_t ballStoppedDuringEffect;

    MessageLogRecord messageLog;

    // The start and options menus: the highlighted row, -1 for none.
    int32_t menuSelection;
    int32_t optionsSelection;
    // The ball that rolls across the menus and bounces across the end screen.
    double menuBallX, menuBallY;
    double menuBallSpeed; // horizontal pixels per tick
    double menuBallVy;    // vertical pixels per tick, positive is down
    int32_t menuBallCell; // the cell of the ball sheet it is drawn with

    // When the current tutorial page leaves by itself; compared with currentTicks as signed.
    int32_t pageDeadline;

    // The clock as the rules keep it.
    uint32_t currentTicks; // the millisecond clock as this pass read it, after the events
    int32_t nextTickTime;  // the next tick runs at or after this time
    uint32_t ticksRun;     // ticks since start-up
    int32_t nextTrackTime; // when the music rotation picks the next in-game track
    int32_t currentTrack;  // the in-game track it picked last

    uint32_t randomState; // the generator's state; 1 at start-up
};

extern GameState game;

// The game as it stands when the program starts: the start menu, nothing on the table.
GameState startingGame();
