#include "shell/recording_steps.h"
#include "shell/computer_seat.h"
#include "shell/game_recording.h"
#include "shell/made_events.h"
#include <SDL/SDL.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

WatchedRecording watchedRecording;
RecordingStep recordingSteps[MOST_RECORDING_STEPS];

namespace {

constexpr int32_t LINE_SIZE = 512;
constexpr int32_t MOST_WORDS = 6;

char problem[400];

const char* damaged(int32_t line, const char* detail)
{
    std::snprintf(problem, sizeof problem, "This recording is damaged at line %d: %s.", line,
                  detail);
    return problem;
}

// Another version's recording: made, the version that made it, or "" for one from before
// recordings named their version.
const char* fromAnotherVersion(const char* made)
{
    std::snprintf(problem, sizeof problem,
                  "This recording was made by %s%.20s; this is Kestrola %s, which cannot replay it "
                  "exactly.",
                  *made ? "Kestrola " : "an earlier version of Kestrola", made, GAME_VERSION);
    return problem;
}

// The words of a line up to its comment; false when there are too many.
bool split(char* line, char* (&words)[MOST_WORDS], int32_t& count)
{
    if (char* comment = std::strchr(line, '#')) *comment = '\0';
    count = 0;
    for (char* word = std::strtok(line, " \t\r\n"); word; word = std::strtok(nullptr, " \t\r\n")) {
        if (count == MOST_WORDS) return false;
        words[count++] = word;
    }
    return true;
}

bool number(const char* word, int64_t low, int64_t high, int32_t& value)
{
    int64_t read = 0;
    if (!wholeNumberIn(word, low, high, read)) return false;
    value = static_cast<int32_t>(read);
    return true;
}

// One event or timing line (after any "queue") into a step; the reason when it is not one.
const char* readStep(char* const* w, int32_t n, RecordingStep& step)
{
    const char* command = w[0];
    const bool mouse = !std::strcmp(command, "click") || !std::strcmp(command, "motion");
    if (mouse) {
        step.kind = command[0] == 'c' ? StepClick : StepMotion;
        if (n < 3 || n > 4 || !number(w[1], 0, MOST_PIXEL, step.x) ||
            !number(w[2], 0, MOST_PIXEL, step.y))
            return "a mouse line without its place";
        step.detail = step.kind == StepClick ? SDL_BUTTON_LEFT : 0;
        if (n == 4 && step.kind == StepMotion && !std::strcmp(w[3], "left"))
            step.detail = 1;
        else if (n == 4 && step.kind == StepClick && !std::strcmp(w[3], "right"))
            step.detail = SDL_BUTTON_RIGHT;
        else if (n == 4 && step.kind == StepClick && !std::strcmp(w[3], "middle"))
            step.detail = SDL_BUTTON_MIDDLE;
        else if (n == 4 && std::strcmp(w[3], "left") != 0)
            return "an unknown mouse button";
        return nullptr;
    }
    const bool press = !std::strcmp(command, "key") || !std::strcmp(command, "keydown");
    if (press || !std::strcmp(command, "keyup")) {
        step.kind = !std::strcmp(command, "key") ? StepKey : press ? StepKeyDown : StepKeyUp;
        SDLKey key = SDLK_UNKNOWN;
        if (n != 2 || !keyNamed(w[1], key)) return "an unknown key";
        step.key = static_cast<uint16_t>(key);
        return nullptr;
    }
    if (!std::strcmp(command, "quit")) {
        step.kind = StepQuit;
        return n == 1 ? nullptr : "a quit line with more on it";
    }
    const bool wait = !std::strcmp(command, "wait");
    if (wait || !std::strcmp(command, "stall")) {
        step.kind = wait ? StepWait : StepStall;
        return n == 2 && number(w[1], 0, MOST_COUNT, step.x) ? nullptr : "a bad count";
    }
    return "a line that is not part of a recording";
}

bool isHeaderLine(const char* text, const char* start)
{
    return std::strncmp(text, start, std::strlen(start)) == 0;
}

// The file's next line without its end; false when there is none.
bool nextLine(FILE* file, char* line)
{
    const bool read = std::fgets(line, LINE_SIZE, file) != nullptr;
    line[std::strcspn(line, "\r\n")] = '\0';
    return read;
}

const char* readHeader(FILE* file, char* line, WatchedRecording& read)
{
    if (!nextLine(file, line) || std::strcmp(line, RECORDING_FIRST_LINE) != 0) {
        std::snprintf(problem, sizeof problem, "This is not a Kestrola recording.");
        return problem;
    }
    if (!nextLine(file, line) || !isHeaderLine(line, RECORDING_VERSION_LINE))
        return fromAnotherVersion("");
    const char* version = line + std::strlen(RECORDING_VERSION_LINE);
    if (std::strcmp(version, GAME_VERSION) != 0) return fromAnotherVersion(version);
    const bool third = nextLine(file, line);
    const char* seats = line + std::strlen(RECORDING_COMPUTER_LINE);
    if (!third || !isHeaderLine(line, RECORDING_COMPUTER_LINE) ||
        std::strlen(seats) >= sizeof read.computerLine ||
        !computerSeatsInLine(seats, read.computer))
        return damaged(3, "the players the computer played are not named");
    std::snprintf(read.computerLine, sizeof read.computerLine, "%s", seats);
    return nullptr;
}

const char* readSteps(FILE* file, char* line, bool store, int32_t& stepCount)
{
    // A check only reads each step into this one, leaving what is watched as it is.
    RecordingStep scratch = {};
    int32_t queuedInARow = 0;
    for (int32_t lineNumber = 4; std::fgets(line, LINE_SIZE, file); ++lineNumber) {
        if (!std::strchr(line, '\n') && !std::feof(file))
            return damaged(lineNumber, "a line far too long");
        char* words[MOST_WORDS];
        int32_t n = 0;
        if (!split(line, words, n)) return damaged(lineNumber, "a line with too many words");
        if (n == 0) continue;
        const bool queued = !std::strcmp(words[0], "queue");
        if (queued && n == 1) return damaged(lineNumber, "a queue line without its event");
        if (queued && ++queuedInARow > MOST_QUEUED_EVENTS)
            return damaged(lineNumber, "more events in one pass than the game takes");
        if (stepCount == MOST_RECORDING_STEPS)
            return damaged(lineNumber, "more steps than a recording can hold");
        RecordingStep& step = store ? recordingSteps[stepCount] : scratch;
        step = {};
        if (const char* reason = readStep(words + queued, n - queued, step))
            return damaged(lineNumber, reason);
        const bool timing = step.kind == StepWait || step.kind == StepStall;
        if (queued && timing) return damaged(lineNumber, "a queue line without its event");
        // A line that runs a pass ends a run of queued events.
        if (!queued && (!timing || (step.kind == StepWait && step.x > 0))) queuedInARow = 0;
        step.queued = queued ? 1 : 0;
        ++stepCount;
    }
    return nullptr;
}

} // namespace

bool wholeNumberIn(const char* word, int64_t low, int64_t high, int64_t& value)
{
    char* end = nullptr;
    errno = 0;
    const long long read = std::strtoll(word, &end, 10);
    if (errno != 0 || *end != '\0' || end == word || read < low || read > high) return false;
    value = read;
    return true;
}

const char* readRecording(const char* path, bool store)
{
    // A check leaves what is watched as it is; a refused recording leaves nothing to watch.
    WatchedRecording read = {};
    if (store) watchedRecording = {};
    FILE* file = std::fopen(path, "r");
    if (!file) {
        std::snprintf(problem, sizeof problem, "Cannot read the recording %.200s: %s", path,
                      std::strerror(errno));
        return problem;
    }
    static char line[LINE_SIZE];
    const char* reason = readHeader(file, line, read);
    if (!reason) reason = readSteps(file, line, store, read.stepCount);
    std::fclose(file);
    if (store && !reason) watchedRecording = read;
    return reason ? reason : "";
}
