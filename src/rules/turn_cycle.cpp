#include "rules/turn_cycle.h"
#include "physics/ball.h"
#include "physics/ball_view.h"
#include "physics/physics_reports.h"
#include "physics/simulation.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/match.h"
#include "rules/message_log.h"
#include "rules/platform.h"
#include "rules/progress_log.h"
#include "rules/tool_catalogue.h"
#include "rules/tutorial.h"
#include "rules/tutorial_pages.h"
#include <cstdio>

namespace {

// A pocketed ball scores at most this.
constexpr int32_t MAX_POCKETED_VALUE = 49;

void showEndScreen()
{
    // Two empty lines blank the message strip.
    pushMessage("");
    pushMessage("");
    game.gameMode = EndScreen;
}

void endOnePlayerTurn()
{
    ++game.match.turnNumber;
    if (game.match.turnNumber > game.match.turnLimit || game.match.ballsPocketed[0] >= BALL_COUNT) {
        showEndScreen();
        if (game.options.music) platform.playMusic(MusicEndPlayer1, 0);
        return;
    }
    char line[MESSAGE_LINE_SIZE];
    std::snprintf(line, sizeof line, "Turn %d. You have %d more turns left", game.match.turnNumber,
                  game.match.turnLimit - game.match.turnNumber);
    pushMessage(line);
    game.gameMode = Paused;
}

void endTwoPlayerTurn()
{
    if (allBallsPocketed()) {
        if (game.match.points[0] > game.match.points[1]) {
            game.match.winner = 0;
            if (game.options.music) platform.playMusic(MusicEndPlayer1, 0);
        } else if (game.match.points[0] == game.match.points[1]) {
            // A draw keeps whatever music is playing.
            game.match.winner = WINNER_DRAW;
        } else {
            game.match.winner = 1;
            if (game.options.music) platform.playMusic(MusicEndPlayer2, 0);
        }
        showEndScreen();
        return;
    }
    // The turn passes whatever happened in it: pocketing earns no extra turn.
    game.match.currentPlayer = (game.match.currentPlayer + 1) % 2;
    game.gameMode = Paused;
    pushMessage(game.match.currentPlayer == 0 ? "Player 1, now it is your turn"
                                              : "Player 2, your turn now");
}

// Every ball is at rest: the charges renew, the placed tools go, and the values earned in the
// turn are gone (pocketed balls keep theirs).
void renewForNextTurn()
{
    resetToolsForNewTurn();
    for (Ball& ball : game.balls)
        if (ball.onTable) ball.value = 0;
    if (game.options.sound) platform.haltChannel(CLOCK_CHANNEL);
}

} // namespace

void prepareField()
{
    if (progressLog) std::fprintf(progressLog, "preparing field\n");
    for (int32_t i = 0; i < BALL_COUNT; ++i) {
        Ball& ball = game.balls[i];
        ball.vx = ball.vy = 0;
        ball.value = 0;
        ball.pocketedBy = -1;
        ball.onTable = 1;
        ball.selected = 0;
        // The rack: four columns by five rows, ball 0 top left, ball 19 bottom right.
        ball.x = (i % 4) * 40 + 90;
        ball.y = (i / 4) * 20 + 160;
    }
    for (int32_t p = 0; p < 2; ++p) game.match.points[p] = game.match.ballsPocketed[p] = 0;
    resetToolsForNewTurn();
    game.match.winner = -1;
    game.match.turnNumber = 1;
    game.match.currentPlayer = 0;
    game.selectedTool = -1;
    game.selectedBall = -1;
    game.buttonRow = 0;
    game.menuSelection = -1;
    game.optionsSelection = -1;
    updateBallScreenPositions();
    updateBallArrows();
}

void endOfTurn()
{
    if (allBallsStopped()) {
        renewForNextTurn();
        if (isTutorialMode(game.gameMode)) {
            advanceTutorialPage();
            return;
        }
        if (game.match.gameKind == OnePlayer)
            endOnePlayerTurn();
        else
            endTwoPlayerTurn();
    }
    fullRedraw = 1;
}

bool allBallsPocketed() { return game.match.ballsPocketed[0] + game.match.ballsPocketed[1] == 20; }

// The ball scores for the player whose turn it is and lines up in the Panel strip.
void ballPocketed(int32_t b)
{
    Ball& ball = game.balls[b];
    const int32_t p = game.match.currentPlayer;
    ball.onTable = 0;
    ball.y = 25.0;
    // Player 1's balls line up from the left of the Panel strip, player 2's from the right.
    ball.x =
        p == 0 ? 15 + 14 * game.match.ballsPocketed[0] : 285 - 14 * game.match.ballsPocketed[1];
    ball.screenX = static_cast<int32_t>(ball.x);
    ball.screenY = static_cast<int32_t>(ball.y);
    if (ball.value > MAX_POCKETED_VALUE) ball.value = MAX_POCKETED_VALUE;
    game.match.points[p] += ball.value;
    if (game.match.points[p] <= 0) game.match.points[p] = 0;
    ball.vx = ball.vy = 0;
    ball.pocketedBy = p;
    ++game.match.ballsPocketed[p];
    char line[MESSAGE_LINE_SIZE];
    if (ball.value > 0)
        std::snprintf(line, sizeof line, "Well done, player %d! You get %d points!", p + 1,
                      ball.value);
    else
        std::snprintf(line, sizeof line, "Ball hit nothing before entering a pocket, no score...");
    pushMessage(line);
    // The page is judged as it was when the ball fell, and is turned once: should the end of
    // the turn already have turned it, it is not turned a second time.
    const int32_t page = game.gameMode;
    endOfTurn();
    if (tutorialPage(page).pocketingTurns && game.gameMode == page) advanceTutorialPage();
}

void ballCameToRest()
{
    // While aiming, a Fan's stream that stops a ball leaves the turn open: the Fan is not set yet.
    if (game.gameMode != Aiming) endOfTurn();
}
