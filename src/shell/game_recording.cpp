#include "shell/game_recording.h"
#include "physics/ball.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/match.h"
#include "rules/message_log.h"
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

const char* const GAME_VERSION = KESTROLA_VERSION_TEXT;

namespace {

constexpr int32_t MOST_EVENTS_A_PASS = 256;
constexpr int32_t EVENT_LINE_SIZE = 40;

FILE* recording = nullptr;
// Given to the file at start-up, so writing never allocates.
char fileBuffer[BUFSIZ];

// The driver's lines for the events of the pass in progress.
char passEvents[MOST_EVENTS_A_PASS][EVENT_LINE_SIZE];
int32_t passEventCount = 0;

// Where the driver's clock stands after the lines written so far, and the passes of `wait`
// not yet written (a run of ticks on time is one line).
int64_t writtenClock = 0;
int64_t waitingPasses = 0;

// The driver's name for a key. The game treats every key but these four alike, so any other
// key is recorded as one that does the same.
const char* keyName(SDLKey key, char* letter)
{
    switch (key) {
    case SDLK_SPACE: return "space";
    case SDLK_RETURN: return "return";
    case SDLK_ESCAPE: return "escape";
    case SDLK_F10: return "f10";
    default: break;
    }
    const bool named = (key >= SDLK_a && key <= SDLK_z) || (key >= SDLK_0 && key <= SDLK_9);
    letter[0] = named ? static_cast<char>(key) : 'z';
    letter[1] = '\0';
    return letter;
}

void writeWaits()
{
    if (waitingPasses > 0)
        std::fprintf(recording, "wait %lld\n", static_cast<long long>(waitingPasses));
    writtenClock += waitingPasses;
    waitingPasses = 0;
}

// The passes before the one that reads `reading`: more passes of the wait when no tick falls
// due among them, otherwise a stall that jumps over them all, as the real clock did.
void reach(int64_t reading, int64_t tickDue)
{
    const int64_t between = reading - 1 - (writtenClock + waitingPasses);
    if (between <= 0) return;
    if (tickDue > reading - 1) {
        waitingPasses += between;
        return;
    }
    writeWaits();
    std::fprintf(recording, "stall %lld\n", static_cast<long long>(between));
    writtenClock += between;
}

// The events of the pass: all but the last wait in the queue for the pass the last one runs.
void writePassEvents()
{
    for (int32_t i = 0; i < passEventCount; ++i)
        std::fprintf(recording, "%s%s\n", i + 1 < passEventCount ? "queue " : "", passEvents[i]);
    writtenClock += 1;
    passEventCount = 0;
}

// The game as it ended, as a comment the driver passes over: a replay that ends in the same
// state shows it was exact.
void writeStateAtExit()
{
    std::fprintf(recording, "# at exit: gameMode %d, turn %d, player %d, points %d %d\n",
                 game.gameMode, game.match.turnNumber, game.match.currentPlayer,
                 game.match.points[0], game.match.points[1]);
    for (int32_t i = 0; i < BALL_COUNT; ++i) {
        const Ball& ball = game.balls[i];
        std::fprintf(recording, "# ball %d: %.17g %.17g %.17g %.17g value %d onTable %d\n", i,
                     ball.x, ball.y, ball.vx, ball.vy, ball.value, ball.onTable);
    }
    std::fprintf(recording, "# message upper: %s\n# message lower: %s\n", game.messageLog.upper,
                 game.messageLog.lower);
}

} // namespace

void openGameRecording()
{
    const char* path = std::getenv("KESTROLA_RECORD");
    if (!path || !*path) return;
    recording = std::fopen(path, "w");
    if (!recording) return;
    // Line by line: a crash or a kill loses at most the line being written.
    std::setvbuf(recording, fileBuffer, _IOLBF, sizeof fileBuffer);
    std::fprintf(recording, "%s\n%s%s\n", RECORDING_FIRST_LINE, RECORDING_VERSION_LINE,
                 GAME_VERSION);
}

void restartGameRecording(const char* computerLine)
{
    if (!recording) return;
    std::fflush(recording);
    std::rewind(recording);
    if (ftruncate(fileno(recording), 0) != 0) return;
    writtenClock = 0;
    waitingPasses = 0;
    passEventCount = 0;
    std::fprintf(recording, "%s\n%s%s\n%s%s\n", RECORDING_FIRST_LINE, RECORDING_VERSION_LINE,
                 GAME_VERSION, RECORDING_COMPUTER_LINE, computerLine);
}

void noteInRecording(const char* text)
{
    if (recording) std::fprintf(recording, "# %s\n", text);
}

void recordEvent(const SDL_Event& event)
{
    if (!recording || passEventCount >= MOST_EVENTS_A_PASS) return;
    char* line = passEvents[passEventCount];
    char letter[2] = {};
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        std::snprintf(line, EVENT_LINE_SIZE, "%s %s",
                      event.type == SDL_KEYDOWN ? "keydown" : "keyup",
                      keyName(event.key.keysym.sym, letter));
        break;
    case SDL_MOUSEMOTION:
        std::snprintf(line, EVENT_LINE_SIZE, "motion %d %d%s", event.motion.x, event.motion.y,
                      event.motion.state ? " left" : "");
        break;
    case SDL_MOUSEBUTTONDOWN: {
        // Only the left and the right button mean anything; every other acts as the middle one.
        const Uint8 button = event.button.button;
        std::snprintf(line, EVENT_LINE_SIZE, "click %d %d%s", event.button.x, event.button.y,
                      button == SDL_BUTTON_LEFT    ? ""
                      : button == SDL_BUTTON_RIGHT ? " right"
                                                   : " middle");
        break;
    }
    case SDL_QUIT: std::snprintf(line, EVENT_LINE_SIZE, "quit"); break;
    default: return; // nothing the game acts on
    }
    ++passEventCount;
}

void recordPass(uint32_t reading, int32_t tickDue, bool ticked)
{
    if (!recording || (passEventCount == 0 && !ticked)) return;
    reach(reading, tickDue);
    if (passEventCount == 0) {
        ++waitingPasses; // the pass of the tick
        return;
    }
    writeWaits();
    writePassEvents();
}

void closeGameRecording()
{
    if (!recording) return;
    writeWaits();
    if (passEventCount > 0) writePassEvents();
    writeStateAtExit();
    std::fclose(recording);
    recording = nullptr;
}
