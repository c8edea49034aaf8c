#include "shell/watching.h"
#include "render/frame.h"
#include "rules/computer_player.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/match.h"
#include "rules/platform.h"
#include "shell/audio.h"
#include "shell/clock.h"
#include "shell/game_recording.h"
#include "shell/made_events.h"
#include "shell/main_loop.h"
#include "shell/recording_steps.h"
#include <SDL/SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// The events of one pass: as many as the recorder writes in a pass, each a press and a release.
constexpr int32_t MOST_EVENTS_A_PASS = 2 * MOST_QUEUED_EVENTS + 2;
// After a stall of the machine, the watch catches up at most this much of the recording at once.
constexpr int64_t MOST_OWED_MS = 100;
// On to the next turn: as fast as the machine goes, a real pass carrying out at most this many
// passes and ticks of the recording, so the window stays alive.
constexpr int32_t SKIP_PASSES_A_PASS = 4000;
constexpr uint32_t SKIP_TICKS_A_PASS = 40;

// The mixer's name for all its channels at once.
constexpr int32_t EVERY_CHANNEL = -1;

struct Watch {
    uint8_t active;     // watching, not yet handed over
    uint8_t handedOver; // a recording was watched and the person plays on
    uint8_t paused;
    uint8_t ended;       // the recording has run out
    uint8_t playOnAtEnd; // hand over as soon as it has
    uint8_t skipping;    // on to the next turn
    int32_t speed;
    int32_t nextStep;      // the recording's step carried out next
    int32_t waitLeft;      // the passes left of the wait under way
    uint32_t pendingStall; // the next pass's clock jumps this much more
    uint32_t lastReading;  // the real clock at the watch's previous pass
    int64_t owedMs;        // the recording's time the watch has yet to play
    int32_t skippedTurn;   // the turn being left behind
    int32_t titledTurn;    // the turn the window's title last named
};
Watch watch = {};
// A recording to watch was read at start-up.
bool recordingAsked = false;

SDL_Event passEvents[MOST_EVENTS_A_PASS];

// The turn of a match, or else the screen or tutorial page: what "the next turn" moves on from.
int32_t turnKey()
{
    if (!isMatchMode(game.gameMode)) return game.gameMode;
    return 1000 + game.match.turnNumber * 2 + game.match.currentPlayer;
}

// The window's title names the watch's keys, and, once the person plays on, whose turn it is.
// The page shows its own controls instead.
void showTitle()
{
#ifndef __EMSCRIPTEN__
    char title[200];
    if (watch.active && watch.ended)
        std::snprintf(title, sizeof title,
                      "Kestrola: the recording has ended | B start, H play from here");
    else if (watch.active)
        std::snprintf(title, sizeof title,
                      "Kestrola: watching at %dx%s | P %s, 1 2 4 8 speed, B start, N next turn, "
                      "H play from here",
                      watch.speed, watch.paused ? ", paused" : "",
                      watch.paused ? "go on" : "pause");
    else if (isMatchMode(game.gameMode) && game.match.gameKind == TwoPlayers)
        std::snprintf(title, sizeof title, "Kestrola: player %d to play",
                      game.match.currentPlayer + 1);
    else
        std::snprintf(title, sizeof title, "Kestrola");
    SDL_WM_SetCaption(title, "Kestrola");
#endif
    watch.titledTurn = turnKey();
}

int32_t addEvents(const RecordingStep& step, int32_t count)
{
    const SDLKey key = static_cast<SDLKey>(step.key);
    switch (step.kind) {
    case StepClick:
        passEvents[count++] = buttonEvent(SDL_MOUSEBUTTONDOWN, step.detail, step.x, step.y);
        passEvents[count++] = buttonEvent(SDL_MOUSEBUTTONUP, step.detail, step.x, step.y);
        break;
    case StepMotion: passEvents[count++] = motionEvent(step.x, step.y, step.detail != 0); break;
    case StepKey:
        passEvents[count++] = keyEvent(SDL_KEYDOWN, key);
        passEvents[count++] = keyEvent(SDL_KEYUP, key);
        break;
    case StepKeyDown: passEvents[count++] = keyEvent(SDL_KEYDOWN, key); break;
    case StepKeyUp: passEvents[count++] = keyEvent(SDL_KEYUP, key); break;
    default:
        passEvents[count] = {};
        passEvents[count++].type = SDL_QUIT;
        break;
    }
    return count;
}

// Carries out the recording's steps up to and including its next pass, as the scripted driver
// would: events queued for a pass wait for it, a stall moves that pass's clock on. False when
// the recording has run out or its next event would leave the game.
bool nextWatchedPass()
{
    int32_t count = 0;
    for (;;) {
        if (watch.waitLeft > 0) {
            --watch.waitLeft;
            break;
        }
        // Events queued at the very end are never handled, as by the driver.
        if (watch.nextStep >= watchedRecording.stepCount) return false;
        const RecordingStep& step = recordingSteps[watch.nextStep++];
        if (step.kind == StepStall) {
            watch.pendingStall += static_cast<uint32_t>(step.x);
        } else if (step.kind == StepWait) {
            watch.waitLeft = step.x;
        } else {
            count = addEvents(step, count);
            if (!step.queued) break;
        }
    }
    virtualClockMs += watch.pendingStall + 1;
    watch.pendingStall = 0;
    return watchedPass(passEvents, count);
}

void endOfRecording()
{
    watch.ended = 1;
    watch.skipping = 0;
    if (watch.playOnAtEnd) {
        playOn();
        return;
    }
    showTitle();
}

void watchFromStart()
{
    game = startingGame();
    chooseComputerSeats(nullptr, nullptr, nullptr);
    useVirtualClock = 1;
    virtualClockMs = 0;
    watch.nextStep = 0;
    watch.waitLeft = 0;
    watch.pendingStall = 0;
    watch.ended = 0;
    watch.skipping = 0;
    watch.owedMs = 0;
    haltChannel(EVERY_CHANNEL);
    haltMusic();
    restartGameRecording(watchedRecording.computerLine);
    // As the game starts: the first frame, then the menu's music.
    fullRedraw = 1;
    drawFrame();
    if (game.options.music) playMusic(MusicMenu, LOOP_FOREVER);
    watch.lastReading = SDL_GetTicks();
}

// On to the next turn, a real pass's share of it.
void skipAlong()
{
    const uint32_t ticksAtStart = game.ticksRun;
    for (int32_t i = 0; i < SKIP_PASSES_A_PASS && game.ticksRun - ticksAtStart < SKIP_TICKS_A_PASS;
         ++i) {
        if (turnKey() != watch.skippedTurn) {
            watch.skipping = 0;
            watch.owedMs = 0;
            return;
        }
        if (!nextWatchedPass()) return endOfRecording();
    }
}

// The person's keys while watching; everything else of theirs is passed over.
void takeControl(const SDL_Event& event)
{
    if (event.type == SDL_QUIT) shutDown();
    if (event.type == SDL_KEYUP && event.key.keysym.sym == SDLK_F10) shutDown();
    if (event.type != SDL_KEYDOWN) return;
    const int32_t key = event.key.keysym.sym;
    if (key == WATCH_PAUSE_KEY && !watch.ended)
        watch.paused = !watch.paused;
    else if (key == '1' || key == '2' || key == '4' || key == '8')
        watch.speed = key - '0';
    else if (key == WATCH_RESTART_KEY)
        watchFromStart();
    else if (key == WATCH_NEXT_TURN_KEY && !watch.ended && !watch.skipping) {
        watch.skipping = 1;
        watch.skippedTurn = turnKey();
    } else if (key == WATCH_PLAY_ON_KEY)
        return playOn();
    else
        return;
    showTitle();
}

} // namespace

const char* recordingProblem(const char* path) { return readRecording(path, false); }

const char* readRecordingFromSettings()
{
    const char* path = std::getenv("KESTROLA_WATCH");
    if (!path || !*path) return "";
    const char* problem = readRecording(path, true);
    recordingAsked = !*problem;
    return problem;
}

void startWatchingFromSettings()
{
    if (!recordingAsked) return;
    const char* playOn = std::getenv("KESTROLA_PLAY_ON");
    watch = {};
    watch.active = 1;
    watch.speed = 1;
    watch.playOnAtEnd = playOn && *playOn ? 1 : 0;
    watchFromStart();
    showTitle();
}

bool watchingRecording() { return watch.active; }

void playOn()
{
    watch.active = 0;
    watch.handedOver = 1;
    // The game's clock goes on from the recording's, on the real clock from now.
    realClockShift = SDL_GetTicks() - virtualClockMs;
    useVirtualClock = 0;
    computerSeats = watchedRecording.computer;
    forgetComputerPlan();
    showTitle();
}

void watchPass()
{
    SDL_Event event;
    while (watch.active && SDL_PollEvent(&event)) takeControl(event);
    if (!watch.active) return;
    const uint32_t reading = SDL_GetTicks();
    const int64_t elapsed = static_cast<uint32_t>(reading - watch.lastReading);
    watch.lastReading = reading;
    if (watch.skipping) return skipAlong();
    if (watch.paused || watch.ended) return;
    watch.owedMs = std::min(watch.owedMs + elapsed * watch.speed, MOST_OWED_MS * watch.speed);
    while (watch.owedMs > 0) {
        const uint32_t before = virtualClockMs;
        if (!nextWatchedPass()) return endOfRecording();
        watch.owedMs -= static_cast<int64_t>(virtualClockMs - before);
    }
}

void noteWhoseTurn()
{
    if (watch.handedOver && turnKey() != watch.titledTurn) showTitle();
}

WatchState watchState() { return {watch.active, watch.paused, watch.ended, watch.speed}; }
