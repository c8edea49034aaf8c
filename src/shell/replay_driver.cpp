#include "shell/replay_driver.h"
#include "physics/ball.h"
#include "physics/ball_view.h"
#include "render/surfaces.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/match.h"
#include "rules/script_edits.h"
#include "rules/tool_catalogue.h"
#include "shell/clock.h"
#include "shell/made_events.h"
#include "shell/main_loop.h"
#include "shell/pushed_events.h"
#include "shell/recording_steps.h"
#include "shell/replay_dump.h"
#include "shell/screen_file.h"
#include <SDL/SDL.h>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int64_t DEFAULT_TICK_LIMIT = 100000;

using Words = std::vector<std::string>;

// The failure of one script line; empty when the line went well.
struct Outcome {
    std::string error;
};
Outcome ok() { return {}; }
Outcome fail(const std::string& message) { return {message}; }

bool parseDecimal(const std::string& word, double& value)
{
    if (word.empty() || word.find_first_of("xXpP") != std::string::npos) return false;
    char* end = nullptr;
    value = std::strtod(word.c_str(), &end);
    return *end == '\0';
}

bool parseInRange(const std::string& word, int64_t low, int64_t high, int64_t& value)
{
    return wholeNumberIn(word.c_str(), low, high, value);
}

// The virtual clock jumps by this much more on the next pass.
uint32_t pendingStall = 0;
// Set while a `queue` line pushes its events: they wait for the pass of the next command.
bool holdingEvents = false;

void pass()
{
    if (holdingEvents) return;
    virtualClockMs += pendingStall;
    pendingStall = 0;
    runPass();
}

Outcome coordinates(const Words& w, size_t at, int64_t& x, int64_t& y)
{
    if (w.size() <= at + 1) return fail("expected X and Y");
    if (!parseInRange(w[at], 0, MOST_PIXEL, x) || !parseInRange(w[at + 1], 0, MOST_PIXEL, y))
        return fail("bad coordinates '" + w[at] + " " + w[at + 1] + "'");
    return ok();
}

Outcome click(const Words& w)
{
    int64_t x = 0, y = 0;
    if (Outcome o = coordinates(w, 1, x, y); !o.error.empty()) return o;
    Uint8 button = SDL_BUTTON_LEFT;
    if (w.size() == 4) {
        if (w[3] == "right")
            button = SDL_BUTTON_RIGHT;
        else if (w[3] == "middle")
            button = SDL_BUTTON_MIDDLE;
        else if (w[3] != "left")
            return fail("unknown button '" + w[3] + "'");
    } else if (w.size() > 4) {
        return fail("too many arguments");
    }
    pushButtonEvent(SDL_MOUSEBUTTONDOWN, button, x, y);
    pushButtonEvent(SDL_MOUSEBUTTONUP, button, x, y);
    pass();
    return ok();
}

Outcome motion(const Words& w)
{
    int64_t x = 0, y = 0;
    if (Outcome o = coordinates(w, 1, x, y); !o.error.empty()) return o;
    bool held = false;
    if (w.size() == 4 && w[3] == "left")
        held = true;
    else if (w.size() >= 4)
        return fail("motion takes X Y [left]");
    pushMotionEvent(x, y, held);
    pass();
    return ok();
}

Outcome key(const Words& w, bool press, bool release)
{
    SDLKey k = SDLK_UNKNOWN;
    if (w.size() != 2 || !keyNamed(w[1].c_str(), k)) return fail("expected a key name");
    if (press) pushKeyEvent(SDL_KEYDOWN, k);
    if (release) pushKeyEvent(SDL_KEYUP, k);
    pass();
    return ok();
}

Outcome quit(const Words& w)
{
    if (w.size() != 1) return fail("quit takes no arguments");
    pushQuitEvent();
    pass();
    return ok();
}

Outcome count(const Words& w, int64_t& n)
{
    if (w.size() != 2 || !parseInRange(w[1], 0, MOST_COUNT, n))
        return fail("expected one count of 0 or more");
    return ok();
}

Outcome wait(const Words& w)
{
    int64_t ms = 0;
    if (Outcome o = count(w, ms); !o.error.empty()) return o;
    for (int64_t i = 0; i < ms; ++i) pass();
    return ok();
}

Outcome stall(const Words& w)
{
    int64_t ms = 0;
    if (Outcome o = count(w, ms); !o.error.empty()) return o;
    pendingStall += static_cast<uint32_t>(ms);
    return ok();
}

Outcome ticks(const Words& w)
{
    int64_t n = 0;
    if (Outcome o = count(w, n); !o.error.empty()) return o;
    const uint32_t target = game.ticksRun + static_cast<uint32_t>(n);
    while (game.ticksRun != target) pass();
    return ok();
}

// Runs passes while keepGoing() holds, at most limit ticks.
template <typename Condition> Outcome runWhile(const Words& w, Condition keepGoing)
{
    int64_t limit = DEFAULT_TICK_LIMIT;
    if (w.size() > 2 || (w.size() == 2 && !parseInRange(w[1], 0, MOST_COUNT, limit)))
        return fail("expected an optional tick limit");
    const uint32_t start = game.ticksRun;
    while (keepGoing()) {
        if (static_cast<int64_t>(game.ticksRun - start) >= limit)
            return fail("still waiting after " + std::to_string(limit) + " ticks");
        pass();
    }
    return ok();
}

Outcome setBall(const Words& w)
{
    int64_t index = 0;
    if (w.size() < 5 || (w.size() - 3) % 2 != 0) return fail("expected set ball I FIELD VALUE ...");
    if (!parseInRange(w[2], 0, BALL_COUNT - 1, index)) return fail("bad ball index '" + w[2] + "'");
    for (size_t at = 3; at + 1 < w.size(); at += 2) {
        const std::string& name = w[at];
        const std::string& value = w[at + 1];
        int32_t field = 0;
        while (field < BALL_FIELD_COUNT && name != BALL_FIELD_NAMES[field].name) ++field;
        if (field == BALL_FIELD_COUNT) return fail("unknown ball field '" + name + "'");
        double number = 0;
        int64_t n = 0;
        switch (BALL_FIELD_NAMES[field].kind) {
        case RealField:
            if (!parseDecimal(value, number)) return fail("bad number '" + value + "'");
            break;
        case WholeField:
            if (!parseInRange(value, INT32_MIN, INT32_MAX, n))
                return fail("bad number '" + value + "'");
            number = static_cast<double>(n);
            break;
        default:
            if (!parseInRange(value, 0, 1, n)) return fail("expected 0 or 1, not '" + value + "'");
            number = static_cast<double>(n);
            break;
        }
        editBall(static_cast<int32_t>(index), field, number);
    }
    return ok();
}

// The number at word `at`, the line's last, from low to high.
Outcome numberOf(const Words& w, size_t at, int64_t low, int64_t high, int32_t& number)
{
    int64_t n = 0;
    if (w.size() != at + 1 || !parseInRange(w[at], low, high, n))
        return fail("bad value for " + w[1]);
    number = static_cast<int32_t>(n);
    return ok();
}

Outcome set(const Words& w)
{
    if (w.size() < 3) return fail("expected set WHAT VALUE");
    const std::string& what = w[1];
    int64_t index = 0;
    int32_t n = 0;
    if (what == "ball") return setBall(w);
    if (what == "gameMode") {
        if (Outcome o = numberOf(w, 2, INT32_MIN, INT32_MAX, n); !o.error.empty()) return o;
        editGameMode(n);
    } else if (what == "currentPlayer") {
        if (Outcome o = numberOf(w, 2, 0, 1, n); !o.error.empty()) return o;
        editCurrentPlayer(n);
    } else if (what == "points" || what == "ballsPocketed") {
        if (!parseInRange(w[2], 0, 1, index)) return fail("expected player 0 or 1");
        if (Outcome o = numberOf(w, 3, INT32_MIN, INT32_MAX, n); !o.error.empty()) return o;
        (what == "points" ? editPoints : editBallsPocketed)(static_cast<int32_t>(index), n);
    } else if (what == "buttonState") {
        if (!parseInRange(w[2], 0, TOOL_COUNT - 1, index)) return fail("expected a button 0 to 19");
        if (Outcome o = numberOf(w, 3, Unavailable, Active, n); !o.error.empty()) return o;
        editButtonState(static_cast<int32_t>(index), n);
    } else if (what == "option") {
        int64_t on = 0;
        const bool known = w[2] == "sound" || w[2] == "music" || w[2] == "messages";
        if (!known) return fail("unknown option '" + w[2] + "'");
        if (w.size() != 4 || !parseInRange(w[3], 0, 1, on)) return fail("expected 0 or 1");
        editOption(w[2].c_str(), static_cast<uint8_t>(on));
    } else {
        return fail("cannot set '" + what + "'");
    }
    return ok();
}

Outcome shot(const Words& w)
{
    if (w.size() != 2) return fail("expected a file name");
    if (!saveScreen(w[1].c_str())) return fail("cannot write '" + w[1] + "'");
    return ok();
}

Outcome execute(const Words& w);

// Several events handled in one pass, as a recording has them: `queue` pushes the events of an
// event command without running its pass.
Outcome queue(const Words& w)
{
    const bool eventCommand =
        w.size() >= 2 && (w[1] == "click" || w[1] == "motion" || w[1] == "key" ||
                          w[1] == "keydown" || w[1] == "keyup" || w[1] == "quit");
    if (!eventCommand) return fail("queue takes click, motion, key, keydown, keyup or quit");
    holdingEvents = true;
    const Outcome outcome = execute(Words(w.begin() + 1, w.end()));
    holdingEvents = false;
    return outcome;
}

Outcome execute(const Words& w)
{
    const std::string& command = w[0];
    if (command == "queue") return queue(w);
    if (command == "click") return click(w);
    if (command == "motion") return motion(w);
    if (command == "key") return key(w, true, true);
    if (command == "keydown") return key(w, true, false);
    if (command == "keyup") return key(w, false, true);
    if (command == "quit") return quit(w);
    if (command == "wait") return wait(w);
    if (command == "stall") return stall(w);
    if (command == "ticks") return ticks(w);
    if (command == "settle") return runWhile(w, [] { return game.gameMode == Running; });
    if (command == "until-mode-changes") {
        const int32_t startMode = game.gameMode;
        return runWhile(w, [startMode] { return game.gameMode == startMode; });
    }
    if (command == "set") return set(w);
    if (command == "dump") {
        if (w.size() != 1) return fail("dump takes no arguments");
        printDump(stdout);
        return ok();
    }
    if (command == "shot") return shot(w);
    return fail("unknown command '" + command + "'");
}

Words wordsOf(const std::string& line)
{
    const std::string code = line.substr(0, line.find('#'));
    std::istringstream in(code);
    Words words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

bool readScript(const char* path, std::vector<std::string>& lines)
{
    std::ifstream file;
    std::istream* in = &std::cin;
    if (std::strcmp(path, "-") != 0) {
        file.open(path);
        if (!file) return false;
        in = &file;
    }
    for (std::string line; std::getline(*in, line);) lines.push_back(line);
    return true;
}

} // namespace

int runReplay(const char* scriptPath)
{
    std::vector<std::string> lines;
    if (!readScript(scriptPath, lines)) {
        std::fprintf(stderr, "0: cannot read script '%s'\n", scriptPath);
        return 2;
    }
    startRecording();
    if (!startUp(ScriptedGame)) return 1;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Words words = wordsOf(lines[i]);
        if (words.empty()) continue;
        const Outcome outcome = execute(words);
        if (!outcome.error.empty()) {
            std::fflush(stdout);
            std::fprintf(stderr, "%zu: %s\n", i + 1, outcome.error.c_str());
            return 2;
        }
    }
    std::fflush(stdout);
    return 0;
}
