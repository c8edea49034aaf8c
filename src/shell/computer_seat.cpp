#include "shell/computer_seat.h"
#include "rules/computer_player.h"
#include "rules/progress_log.h"
#include "shell/game_recording.h"
#include "shell/made_events.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Setting {
    const char* name;
    const char* forms;
};
constexpr Setting SEATS = {"KESTROLA_COMPUTER", "1, 2 or 1,2"};
constexpr Setting LEVEL = {"KESTROLA_COMPUTER_LEVEL", "1, 2 or 3, or one a player such as 3,1"};
constexpr Setting SEED = {"KESTROLA_COMPUTER_SEED", "a whole number from 0 to 4294967295"};

// Both where the player looks (the terminal) and where a report is sent from (the log).
void report(const char* line)
{
    std::fprintf(stderr, "%s\n", line);
    if (progressLog) std::fprintf(progressLog, "%s\n", line);
}

void refuse(const Setting& setting, const char* value)
{
    char line[256];
    std::snprintf(line, sizeof line,
                  "The computer player is not started: %s is \"%.40s\", not %s; people play both "
                  "players",
                  setting.name, value, setting.forms);
    report(line);
}

void chooseFromSettings()
{
    const char* seats = std::getenv(SEATS.name);
    const char* level = std::getenv(LEVEL.name);
    const char* seed = std::getenv(SEED.name);
    // Each setting alone first, so that the message names the one that is wrong.
    if (!chooseComputerSeats(seats, nullptr, nullptr)) return refuse(SEATS, seats);
    if (!chooseComputerSeats(nullptr, level, nullptr)) return refuse(LEVEL, level);
    if (!chooseComputerSeats(nullptr, nullptr, seed)) return refuse(SEED, seed);
    chooseComputerSeats(seats, level, seed);
    for (int32_t seat = 0; seat < 2; ++seat)
        if (computerSeats.plays[seat] && progressLog)
            std::fprintf(progressLog, "The computer plays player %d at level %d\n", seat + 1,
                         computerSeats.level[seat]);
}

// The text's words at single spaces, ended in place: false unless there are exactly six.
bool sixWords(char* text, char* (&words)[6])
{
    int32_t count = 0;
    for (char* at = text;; ++count) {
        if (count == 6) return false;
        words[count] = at;
        char* space = std::strchr(at, ' ');
        if (!space) return count == 5;
        *space = '\0';
        at = space + 1;
    }
}

// Drops the comma that ends a setting's text in a recording's line; false when there is none.
bool cutTrailingComma(char* text)
{
    const size_t length = std::strlen(text);
    if (length < 2 || text[length - 1] != ',') return false;
    text[length - 1] = '\0';
    return true;
}

} // namespace

void chooseComputerFromSettings()
{
    chooseFromSettings();
    noteComputerSeats();
}

void noteComputerSeats()
{
    char seats[64];
    describeComputerSeats(seats);
    char line[80];
    std::snprintf(line, sizeof line, "%s%s", RECORDING_COMPUTER_LINE + 2, seats);
    noteInRecording(line);
    // Its moves are in the recording as events: the replay plays them without it.
    if (computerSeats.plays[0] || computerSeats.plays[1])
        noteInRecording("Replay this without KESTROLA_COMPUTER: the computer's moves are here.");
}

void describeComputerSeats(char (&line)[64])
{
    const ComputerSeats& s = computerSeats;
    if (!s.plays[0] && !s.plays[1]) {
        std::snprintf(line, sizeof line, "none");
        return;
    }
    const char* seats = s.plays[0] && s.plays[1] ? "1,2" : s.plays[0] ? "1" : "2";
    char levels[8];
    if (s.plays[0] && s.plays[1] && s.level[0] != s.level[1])
        std::snprintf(levels, sizeof levels, "%d,%d", s.level[0], s.level[1]);
    else
        std::snprintf(levels, sizeof levels, "%d", s.level[s.plays[0] ? 0 : 1]);
    std::snprintf(line, sizeof line, "seats %s, levels %s, seed %u", seats, levels, s.seed);
}

bool computerSeatsInLine(const char* line, ComputerSeats& seats)
{
    if (std::strcmp(line, "none") == 0) return readComputerSeats(nullptr, nullptr, nullptr, seats);
    // "seats 1,2, levels 3,1, seed 5": six words, each setting's text ending at the comma
    // before the next.
    char text[64];
    char* words[6] = {};
    if (std::strlen(line) >= sizeof text) return false;
    std::strcpy(text, line);
    return sixWords(text, words) && !std::strcmp(words[0], "seats") &&
           !std::strcmp(words[2], "levels") && !std::strcmp(words[4], "seed") &&
           cutTrailingComma(words[1]) && cutTrailingComma(words[3]) &&
           readComputerSeats(words[1], words[3], words[5], seats);
}

bool heldBackForComputer(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const SDLKey key = event.key.keysym.sym;
        return key != SDLK_ESCAPE && key != SDLK_F10 && computerHasTheGame();
    }
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return computerHasTheGame();
    default: return false;
    }
}

int32_t computerEvents(uint32_t now, SDL_Event (&events)[2])
{
    if (!computerHasTheGame()) return 0;
    const ComputerInput input = computerPass(now, COMPUTER_TICKS_A_PASS);
    switch (input.kind) {
    case InputMotion: events[0] = motionEvent(input.x, input.y, false); return 1;
    case InputLeftClick:
        events[0] = buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, input.x, input.y);
        events[1] = buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, input.x, input.y);
        return 2;
    case InputRightClick:
        events[0] = buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, input.x, input.y);
        events[1] = buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, input.x, input.y);
        return 2;
    case InputSpace:
        events[0] = keyEvent(SDL_KEYDOWN, SDLK_SPACE);
        events[1] = keyEvent(SDL_KEYUP, SDLK_SPACE);
        return 2;
    default: return 0;
    }
}
