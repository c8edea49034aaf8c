// Random scripts through the driver's reader and commands, under the address and
// undefined-behaviour checks: every input either runs to its end, leaves the game through one of
// its ways out, or stops at a line with a one-line message; and after every line of play the
// records must still make sense. The game starts once; inputs follow one another on whatever
// the previous one left, so a run of the fuzzer is one long session of menus, matches of both
// kinds, the options and the tutorial.
#include "physics/ball.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/match.h"
#include "rules/message_log.h"
#include "rules/tool_catalogue.h"
#include "shell/game_recording.h"
#include "shell/recording_steps.h"
#include "shell/replay_driver.cpp"
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

// A way out of the game during an input: the game would end here with this status.
struct GameLeft {
    int status;
};

bool insideInput = false;

// A set line can make any record what it likes; the records make sense again from the next
// match on, which starts on a fresh rack.
bool staged = false;

bool knownMode(int32_t mode)
{
    return mode == StartMenu || (mode >= Paused && mode <= Running) || mode == OptionsMenu ||
           mode == EndScreen || (mode >= TutorialFirstPage && mode <= TutorialLastPage);
}

bool terminated(const char* line) { return std::memchr(line, '\0', MESSAGE_LINE_SIZE) != nullptr; }

// What is wrong with the records now, or null.
const char* fault(char* detail, size_t size)
{
    for (int32_t i = 0; i < BALL_COUNT; ++i) {
        const Ball& b = game.balls[i];
        if (!std::isfinite(b.x) || !std::isfinite(b.y) || !std::isfinite(b.vx) ||
            !std::isfinite(b.vy)) {
            std::snprintf(detail, size, "ball %d at (%g, %g) moving (%g, %g)", i, b.x, b.y, b.vx,
                          b.vy);
            return "a ball's place or speed is not finite";
        }
    }
    // A match always starts on a fresh rack, so during one every ball is on the table or was
    // pocketed by one of its players. Outside a match the table is whatever was left: the
    // untouched start (every ball off it and nobody's) or the tutorial's demonstration, whose
    // strip balls are off the table and nobody's.
    const bool inMatch = game.gameMode >= Paused && game.gameMode <= Running;
    const int32_t players = inMatch ? (game.match.gameKind == 2 ? 2 : 1) : 2;
    for (int32_t i = 0; i < BALL_COUNT; ++i) {
        const Ball& b = game.balls[i];
        const bool onTable = b.onTable == 1 && b.pocketedBy == -1;
        const bool pocketed = b.onTable == 0 && b.pocketedBy >= 0 && b.pocketedBy < players;
        const bool leftOver = !inMatch && b.onTable == 0 && b.pocketedBy == -1;
        if (!onTable && !pocketed && !leftOver) {
            std::snprintf(detail, size,
                          "ball %d: onTable %d, pocketedBy %d, GameMode %d, %d players", i,
                          b.onTable, b.pocketedBy, game.gameMode, players);
            return "a ball is neither on the table nor pocketed by a player of the match";
        }
    }
    if (game.match.points[0] < 0 || game.match.points[1] < 0) {
        std::snprintf(detail, size, "points %d and %d", game.match.points[0], game.match.points[1]);
        return "negative points";
    }
    if (!knownMode(game.gameMode)) {
        std::snprintf(detail, size, "GameMode %d", game.gameMode);
        return "GameMode is none of its values";
    }
    if (game.placedToolCount < 0 || game.placedToolCount > PLACED_TOOL_SLOTS) {
        std::snprintf(detail, size, "placedToolCount %d", game.placedToolCount);
        return "placedToolCount out of 0 to 30";
    }
    for (int32_t i = 0; i < game.placedToolCount; ++i) {
        if (!std::isfinite(game.placedTools.x[i]) || !std::isfinite(game.placedTools.y[i]) ||
            !std::isfinite(game.placedTools.dirX[i]) || !std::isfinite(game.placedTools.dirY[i])) {
            std::snprintf(detail, size, "placed tool %d", i);
            return "a placed tool's place or stream is not finite";
        }
    }
    if (!terminated(game.messageLog.upper) || !terminated(game.messageLog.lower)) {
        std::snprintf(detail, size, "the message lines");
        return "a message line runs past its buffer";
    }
    return nullptr;
}

void checkRecords(const std::string& line)
{
    char detail[160] = {};
    const char* what = staged ? nullptr : fault(detail, sizeof detail);
    if (!what) return;
    std::fprintf(stderr, "after the line '%s': %s (%s)\n", line.c_str(), what, detail);
    std::abort();
}

// Counts that would keep one input busy for minutes are real scripts too, but the fuzzer
// learns nothing from them; such inputs are left out, as are shots, which write files.
bool worthRunning(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        const Words words = wordsOf(line);
        if (words.empty()) continue;
        const std::string& command = words[0];
        if (command == "shot") return false;
        const bool timed = command == "wait" || command == "ticks" || command == "stall" ||
                           command == "settle" || command == "until-mode-changes";
        if (!timed) continue;
        if ((command == "settle" || command == "until-mode-changes") && words.size() < 2)
            return false;
        for (size_t i = 1; i < words.size(); ++i) {
            int64_t n = 0;
            if (wholeNumberIn(words[i].c_str(), INT64_MIN, INT64_MAX, n) && (n > 3000 || n < 0))
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" [[noreturn]] void __real_exit(int status);

extern "C" [[noreturn]] void __wrap_exit(int status)
{
    if (insideInput) throw GameLeft{status};
    __real_exit(status);
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The dumps of the inputs are not read here.
    if (!std::freopen("/dev/null", "w", stdout)) std::abort();
    startRecording();
    if (!startUp(ScriptedGame)) {
        std::fprintf(stderr, "the game could not start here\n");
        std::abort();
    }
    return 0;
}

// The same text as a recording to watch, as it is and after a recording's first lines: the
// reader takes it whole or refuses it with a reason, and keeps nothing of a refused one.
void readAsRecording(const std::string& text)
{
    const std::string header = std::string(RECORDING_FIRST_LINE) + "\n" + RECORDING_VERSION_LINE +
                               GAME_VERSION + "\n" + RECORDING_COMPUTER_LINE + "none\n";
    static char path[] = "/tmp/kestrola-fuzz-recording-XXXXXX";
    static const int file = mkstemp(path);
    if (file < 0) std::abort();
    for (const std::string& given : {text, header + text}) {
        if (ftruncate(file, 0) != 0 || pwrite(file, given.data(), given.size(), 0) < 0)
            std::abort();
        const char* problem = readRecording(path, true);
        if (!problem || (*problem && watchedRecording.stepCount != 0)) std::abort();
        if (watchedRecording.stepCount < 0 || watchedRecording.stepCount > MOST_RECORDING_STEPS)
            std::abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> lines;
    std::string text(reinterpret_cast<const char*>(data), size);
    for (size_t from = 0; from <= text.size();) {
        const size_t end = std::min(text.find('\n', from), text.size());
        lines.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    readAsRecording(text);
    if (!worthRunning(lines)) return -1;
    pendingStall = 0;
    insideInput = true;
    try {
        for (size_t i = 0; i < lines.size(); ++i) {
            const Words words = wordsOf(lines[i]);
            if (words.empty()) continue;
            const int32_t modeBefore = game.gameMode;
            const Outcome outcome = execute(words);
            if (words[0] == "set") staged = true;
            if (modeBefore == StartMenu && game.gameMode == Paused) staged = false;
            if (!outcome.error.empty()) {
                // The driver ends with status 2 after printing this: it must be one line
                // holding the line number and a message.
                char printed[1024];
                const int length = std::snprintf(printed, sizeof printed, "%zu: %s\n", i + 1,
                                                 outcome.error.c_str());
                const char* end = std::strchr(printed, '\n');
                const char* colon = std::strstr(printed, ": ");
                if (length <= 0 || !end || !colon || colon + 2 >= end) std::abort();
                if (static_cast<size_t>(length) < sizeof printed && end != printed + length - 1)
                    std::abort();
                break;
            }
            checkRecords(lines[i]);
        }
    } catch (const GameLeft& left) {
        if (left.status != 1) std::abort();
    }
    insideInput = false;
    return 0;
}
