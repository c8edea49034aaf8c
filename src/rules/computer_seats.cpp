// Who the computer plays, at which level and with which seed, read from the three settings'
// texts. Every form that is not one of the documented ones is refused whole, so that a typing
// slip never starts a game against a computer the player did not ask for.
#include "rules/computer_player.h"
#include <cstdint>

namespace {

constexpr int32_t DEFAULT_LEVEL = 2;
constexpr uint32_t DEFAULT_SEED = 1;

ComputerSeats peopleOnly() { return {{0, 0}, {DEFAULT_LEVEL, DEFAULT_LEVEL}, DEFAULT_SEED}; }

bool isEmpty(const char* text) { return !text || !*text; }

bool isLevel(char c) { return c >= '1' && c <= '3'; }

// "1", "2" or "1,2": the seats, in order, each once.
bool readSeats(const char* text, ComputerSeats& seats)
{
    if (isEmpty(text)) return true;
    const char c0 = text[0];
    if ((c0 == '1' || c0 == '2') && text[1] == '\0') {
        seats.plays[c0 - '1'] = 1;
        return true;
    }
    if (c0 == '1' && text[1] == ',' && text[2] == '2' && text[3] == '\0') {
        seats.plays[0] = seats.plays[1] = 1;
        return true;
    }
    return false;
}

// "N" for both seats, or "N,M" for player 1 and player 2, each 1 to 3.
bool readLevels(const char* text, ComputerSeats& seats)
{
    if (isEmpty(text)) return true;
    if (isLevel(text[0]) && text[1] == '\0') {
        seats.level[0] = seats.level[1] = text[0] - '0';
        return true;
    }
    if (isLevel(text[0]) && text[1] == ',' && isLevel(text[2]) && text[3] == '\0') {
        seats.level[0] = text[0] - '0';
        seats.level[1] = text[2] - '0';
        return true;
    }
    return false;
}

// A whole number from 0 to 4294967295 in decimal digits, nothing else.
bool readSeed(const char* text, ComputerSeats& seats)
{
    if (isEmpty(text)) return true;
    uint64_t value = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9') return false;
        value = value * 10 + static_cast<uint64_t>(*c - '0');
        if (value > UINT32_MAX) return false;
    }
    seats.seed = static_cast<uint32_t>(value);
    return true;
}

} // namespace

ComputerSeats computerSeats = peopleOnly();

bool readComputerSeats(const char* seats, const char* levels, const char* seed,
                       ComputerSeats& chosen)
{
    chosen = peopleOnly();
    return readSeats(seats, chosen) && readLevels(levels, chosen) && readSeed(seed, chosen);
}

bool chooseComputerSeats(const char* seats, const char* levels, const char* seed)
{
    ComputerSeats chosen;
    const bool valid = readComputerSeats(seats, levels, seed, chosen);
    computerSeats = valid ? chosen : peopleOnly();
    // Whatever it was thinking or about to send was for the seats it had.
    forgetComputerPlan();
    return valid;
}
