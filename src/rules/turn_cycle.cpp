#include "rules/turn_cycle.h"
#include "physics/ball.h"
#include "physics/ball_view.h"
#include "physics/simulation.h"
#include "rules/game_mode.h"
#include "rules/match.h"
#include "rules/message_log.h"
#include "rules/platform.h"
#include "rules/progress_log.h"
#include "rules/tool_catalogue.h"
#include "rules/tutorial.h"
#include <cstdio>

namespace {

void showEndScreen()
{
    // Two empty lines blank the message strip.
    pushMessage("");
    pushMessage("");
    gameMode = EndScreen;
}

void endOnePlayerTurn()
{
    ++Match.turnNumber;
    if (Match.turnNumber > Match.turnLimit || Match.ballsPocketed[0] >= BALL_COUNT) {
        showEndScreen();
        if (Options.music) platform.playMusic(MusicEndPlayer1, 0);
        return;
    }
    char line[MESSAGE_LINE_SIZE];
    std::snprintf(line, sizeof line, "Turn %d. You have %d more turns left", Match.turnNumber,
                  Match.turnLimit - Match.turnNumber);
    pushMessage(line);
    gameMode = Paused;
}

void endTwoPlayerTurn()
{
    if (allBallsPocketed()) {
        if (Match.points[0] > Match.points[1]) {
            Match.winner = 0;
            if (Options.music) platform.playMusic(MusicEndPlayer1, 0);
        } else if (Match.points[0] == Match.points[1]) {
            // A draw keeps whatever music is playing.
            Match.winner = WINNER_DRAW;
        } else {
            Match.winner = 1;
            if (Options.music) platform.playMusic(MusicEndPlayer2, 0);
        }
        showEndScreen();
        return;
    }
    // The turn passes whatever happened in it: pocketing earns no extra turn.
    Match.currentPlayer = (Match.currentPlayer + 1) % 2;
    gameMode = Paused;
    pushMessage(Match.currentPlayer == 0 ? "Player 1, now it is your turn"
                                         : "Player 2, your turn now");
}

// Every ball is at rest: the charges renew, the placed tools go, and the values earned in the
// turn are gone (pocketed balls keep theirs).
void renewForNextTurn()
{
    resetToolsForNewTurn();
    for (Ball& ball : balls)
        if (ball.onTable) ball.value = 0;
    if (Options.sound) platform.haltChannel(CLOCK_CHANNEL);
}

} // namespace

void prepareField()
{
    if (progressLog) std::fprintf(progressLog, "preparing field\n");
    for (int32_t i = 0; i < BALL_COUNT; ++i) {
        Ball& ball = balls[i];
        ball.vx = ball.vy = 0;
        ball.value = 0;
        ball.pocketedBy = -1;
        ball.onTable = 1;
        ball.selected = 0;
        // The rack: four columns by five rows, ball 0 top left, ball 19 bottom right.
        ball.x = (i % 4) * 40 + 90;
        ball.y = (i / 4) * 20 + 160;
    }
    for (int32_t p = 0; p < 2; ++p) Match.points[p] = Match.ballsPocketed[p] = 0;
    resetToolsForNewTurn();
    Match.winner = -1;
    Match.turnNumber = 1;
    Match.currentPlayer = 0;
    selectedTool = -1;
    selectedBall = -1;
    buttonRow = 0;
    menuSelection = -1;
    optionsSelection = -1;
    updateBallScreenPositions();
    updateBallArrows();
}

void endOfTurn()
{
    if (allBallsStopped()) {
        renewForNextTurn();
        if (isTutorialMode(gameMode)) {
            advanceTutorialPage();
            return;
        }
        if (Match.gameKind == OnePlayer)
            endOnePlayerTurn();
        else
            endTwoPlayerTurn();
    }
    fullRedraw = 1;
    platform.drawFrame();
}

bool allBallsPocketed() { return Match.ballsPocketed[0] + Match.ballsPocketed[1] == 20; }
