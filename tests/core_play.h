// Playing the core by hand in a test, without a window or a mixer: a platform that writes down
// what the rules ask of it, the messages as pushed, a table laid with only the balls a case needs,
// the player's clicks, and a comparison of two whole games that names each field that differs.
#pragma once
#include "rules/game_state.h"
#include "rules/platform.h"
#include "rules/tool_catalogue.h"
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

using Lines = std::vector<std::string>;
extern const Lines NONE;

// The platform calls heard and the messages pushed since last forgotten, in order.
extern Lines heard, pushed;
void forget();
std::string lastPushed(); // or "(none)"
// A name and numbers on one line, such as "effect 2 1 -1": a platform call as heard.
template <typename... Numbers> std::string joined(std::string line, Numbers... numbers)
{
    ((line += " " + std::to_string(numbers)), ...);
    return line;
}
inline std::string effect(int32_t e, int32_t ch, int32_t n) { return joined("effect", e, ch, n); }
inline std::string volume(int32_t e, int32_t level) { return joined("volume", e, level); }
inline std::string halt(int32_t channel) { return joined("halt", channel); }
inline std::string music(int32_t track, int32_t loops) { return joined("music", track, loops); }
extern const std::string HALT_MUSIC, PAUSE_HINT;
// The line after a counted tool's description when it is selected.
std::string usesLeftLine(int32_t n);
// The charges of each button at the start of a turn.
extern const int32_t CHARGES[TOOL_COUNT];

// Each test starts from the game at program start, with the platform and the message recorder
// recording; both are put back afterwards.
class CorePlay : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

struct LaidBall {
    int32_t index;
    double x, y, vx = 0, vy = 0;
    int32_t value = 0;
};
// Ball 0 rolling through the middle of the table, so that time may be started.
constexpr LaidBall ROLLING = {0, 150, 200, 1.0, 0};

// A fresh game started from the start menu on a match of one or two players, the start forgotten;
// then the table laid, when given.
void startMatch(int32_t players);
void startMatch(int32_t players, std::initializer_list<LaidBall> balls);
// Only these balls stay on the table, every other one off and at rest; the time buttons are lit
// when one of them rolls.
void layTable(std::initializer_list<LaidBall> balls);
// The table laid, time started and one tick run: what that tick asked and pushed is kept.
void tickWith(std::initializer_list<LaidBall> balls);

// The middle of the button band, where a player clicks a button.
constexpr int32_t BAND_Y = 85;
// The player's click on button k: the row switch first when k is on the other row.
void pressButton(int32_t k);
// A click on the centre of ball i, on whole pixels as the pointer lands.
void clickBall(int32_t i);
int32_t ballsPocketedInAll();
int32_t ballsMoving();

// The main loop: a pass every millisecond, each running a tick when one is due, until done() or
// the passes run out. Says whether done.
bool playUntil(uint32_t& now, const std::function<bool()>& done, int32_t passes = 120000);

// Placed-tool slot s as it is with nothing put there.
void expectSlotEmpty(int32_t s);
// The tools as a turn starts: every charge and button renewed, time dark, nothing placed.
void expectFreshTools();

// The names of the fields in which two games differ, such as "balls[3].vx" or "randomState";
// empty when they are the same to the last bit.
Lines differences(const GameState& a, const GameState& b);
