// kestrola-soak SEED MS: a random player plays for MS virtual milliseconds, and after every
// tick the records must still make sense. A failure prints the seed, what broke, and writes the
// driver script that leads to it.
#include "physics/ball.h"
#include "rules/message_log.h"
#include "rules/match.h"
#include "rules/tool_catalogue.h"
#include "session.h"
#include "shell/clock.h"
#include "rules/game_mode.h"
#include "shell/main_loop.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sanitizer/common_interface_defs.h>
#include <string>

namespace {

uint64_t seed = 0;
std::string script;
uint64_t actions = 0;

// Ticks spent in each part of the game, so that a run can show it played all of them.
enum Place : int32_t { InMenu, InOptions, InOnePlayer, InTwoPlayers, InTutorial, AtTheEnd, PLACES };
uint64_t ticksIn[PLACES] = {};

void countPlace()
{
    if (gameMode == StartMenu)
        ++ticksIn[InMenu];
    else if (gameMode == OptionsMenu)
        ++ticksIn[InOptions];
    else if (gameMode == EndScreen)
        ++ticksIn[AtTheEnd];
    else if (gameMode >= TutorialFirstPage)
        ++ticksIn[InTutorial];
    else if (gameMode >= Paused && gameMode <= Running)
        ++ticksIn[Match.gameKind == 2 ? InTwoPlayers : InOnePlayer];
}

bool knownMode(int32_t mode)
{
    return mode == StartMenu || (mode >= Paused && mode <= Running) || mode == OptionsMenu ||
           mode == EndScreen || (mode >= TutorialFirstPage && mode <= TutorialLastPage);
}

bool terminated(const char* line)
{
    return std::memchr(line, '\0', MESSAGE_LINE_SIZE) != nullptr;
}

// What is wrong with the records now, or null.
const char* fault(char* detail, size_t size)
{
    for (int32_t i = 0; i < BALL_COUNT; ++i) {
        const Ball& b = balls[i];
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
    const bool inMatch = gameMode >= Paused && gameMode <= Running;
    const int32_t players = inMatch ? (Match.gameKind == 2 ? 2 : 1) : 2;
    for (int32_t i = 0; i < BALL_COUNT; ++i) {
        const Ball& b = balls[i];
        const bool onTable = b.onTable == 1 && b.pocketedBy == -1;
        const bool pocketed = b.onTable == 0 && b.pocketedBy >= 0 && b.pocketedBy < players;
        const bool leftOver = !inMatch && b.onTable == 0 && b.pocketedBy == -1;
        if (!onTable && !pocketed && !leftOver) {
            std::snprintf(detail, size,
                          "ball %d: onTable %d, pocketedBy %d, GameMode %d, %d players", i,
                          b.onTable, b.pocketedBy, gameMode, players);
            return "a ball is neither on the table nor pocketed by a player of the match";
        }
    }
    if (Match.points[0] < 0 || Match.points[1] < 0) {
        std::snprintf(detail, size, "points %d and %d", Match.points[0], Match.points[1]);
        return "negative points";
    }
    if (!knownMode(gameMode)) {
        std::snprintf(detail, size, "GameMode %d", gameMode);
        return "GameMode is none of its values";
    }
    if (placedToolCount < 0 || placedToolCount > PLACED_TOOL_SLOTS) {
        std::snprintf(detail, size, "placedToolCount %d", placedToolCount);
        return "placedToolCount out of 0 to 30";
    }
    for (int32_t i = 0; i < placedToolCount; ++i) {
        if (!std::isfinite(PlacedTool.x[i]) || !std::isfinite(PlacedTool.y[i]) ||
            !std::isfinite(PlacedTool.dirX[i]) || !std::isfinite(PlacedTool.dirY[i])) {
            std::snprintf(detail, size, "placed tool %d", i);
            return "a placed tool's place or stream is not finite";
        }
    }
    if (!terminated(MessageLog.upper) || !terminated(MessageLog.lower)) {
        std::snprintf(detail, size, "the message lines");
        return "a message line runs past its buffer";
    }
    return nullptr;
}

std::string scriptPath()
{
    const char* folder = std::getenv("KESTROLA_SOAK_REPORT");
    return std::string(folder ? folder : ".") + "/soak-" + std::to_string(seed) + ".script";
}

void writeScript()
{
    if (FILE* file = std::fopen(scriptPath().c_str(), "w")) {
        std::fputs(script.c_str(), file);
        std::fclose(file);
    }
}

// The address or undefined-behaviour check stopped the session: keep the script that led there.
void sanitizerStopped()
{
    writeScript();
    std::fprintf(stderr,
                 "SOAK FAILURE, seed %llu, at %u virtual ms: kestrola-replay %s reproduces it\n",
                 static_cast<unsigned long long>(seed), virtualClockMs, scriptPath().c_str());
}

void checkAfterTick()
{
    countPlace();
    char detail[160] = {};
    const char* what = fault(detail, sizeof detail);
    if (!what) return;
    writeScript();
    const std::string path = scriptPath();
    std::fprintf(stderr,
                 "SOAK FAILURE, seed %llu, tick %u at %u virtual ms, after action %llu: %s (%s)\n"
                 "kestrola-replay %s reproduces it; its last lines:\n",
                 static_cast<unsigned long long>(seed), ticksRun, virtualClockMs,
                 static_cast<unsigned long long>(actions), what, detail, path.c_str());
    const size_t from = script.size() > 2000 ? script.find('\n', script.size() - 2000) + 1 : 0;
    std::fputs(script.c_str() + from, stderr);
    std::_Exit(3);
}

void summary()
{
    // With KESTROLA_SOAK_KEEP set, the whole script is kept and the final state printed, so the
    // driver's replay of it can be checked against this run.
    if (std::getenv("KESTROLA_SOAK_KEEP")) {
        writeScript();
        std::printf("final t %u gameMode %d ball0 %.17g %.17g ball19 %.17g %.17g\n", currentTicks,
                    gameMode, balls[0].x, balls[0].y, balls[19].x, balls[19].y);
    }
    std::printf("seed %llu: %u virtual ms, %u ticks, %llu actions; ticks in menu %llu options %llu "
                "one-player %llu two-player %llu tutorial %llu end %llu\n",
                static_cast<unsigned long long>(seed), virtualClockMs, ticksRun,
                static_cast<unsigned long long>(actions),
                static_cast<unsigned long long>(ticksIn[InMenu]),
                static_cast<unsigned long long>(ticksIn[InOptions]),
                static_cast<unsigned long long>(ticksIn[InOnePlayer]),
                static_cast<unsigned long long>(ticksIn[InTwoPlayers]),
                static_cast<unsigned long long>(ticksIn[InTutorial]),
                static_cast<unsigned long long>(ticksIn[AtTheEnd]));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: kestrola-soak SEED VIRTUAL_MS\n");
        return 2;
    }
    seed = std::strtoull(argv[1], nullptr, 10);
    const uint32_t length = static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10));
    // A way out of the game during the session ends it early with status 1, as the game would;
    // the summary still tells how far it got.
    std::atexit(summary);
    __sanitizer_set_death_callback(sanitizerStopped);
    if (!startSession()) return 1;
    script.reserve(1 << 20);
    SessionRandom random = {seed};
    char line[64];
    while (virtualClockMs < length) {
        SessionAction action = nextAction(random, true);
        // Written before it runs, so that a failure inside it is in the script.
        const size_t at = script.size();
        script.append(line, static_cast<size_t>(formatAction(action, line, sizeof line)));
        perform(action, checkAfterTick);
        if (action.kind == ActTicks) { // a settle becomes the ticks it ran
            script.resize(at);
            script.append(line, static_cast<size_t>(formatAction(action, line, sizeof line)));
        }
        ++actions;
    }
    std::exit(0);
}
