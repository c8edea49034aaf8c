// Playing the core by hand in a test, without a window or a mixer: a platform that writes down
// what the rules ask of it, the messages as they are pushed, a table laid with only the balls a
// case needs, the clicks a player makes, and a comparison of two whole games that names every
// field in which they differ. Each test starts from the game as the program starts.
#pragma once
#include "rules/game_state.h"
#include "rules/platform.h"
#include <cstdint>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

// What the rules asked of the platform since the test began (or since it was last cleared), one
// line a call, in order: see the helpers below for their form.
extern std::vector<std::string> heard;
// Every message pushed, in order.
extern std::vector<std::string> pushed;
// The message pushed last, or "(none)".
std::string lastPushed();

std::string effect(int32_t which, int32_t channel, int32_t loops);
std::string volume(int32_t which, int32_t level);
std::string halt(int32_t channel);
std::string music(int32_t track, int32_t loops);
extern const std::string HALT_MUSIC;

// Every test starts from the game at program start, with the recording platform and the message
// recorder in place; both are put back as they were afterwards.
class CorePlay : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

  private:
    PlatformCalls before_{};
    void (*recorderBefore_)(const char*) = nullptr;
};

// A match of one or two players started from the start menu, with what that start asked of the
// platform and pushed forgotten.
void startMatch(int32_t players);

// A ball of a laid table: its index, centre, velocity and value.
struct LaidBall {
    int32_t index;
    double x, y;
    double vx = 0, vy = 0;
    int32_t value = 0;
};
// Only these balls stay on the table; every other ball is taken off, at rest.
void layTable(std::initializer_list<LaidBall> balls);
// The time buttons as a table with moving balls shows them after a tool was applied.
void lightTimeButtons();

// The middle of the button band, where a player clicks a button.
constexpr int32_t BAND_Y = 85;
// The player's click on button k: the row switch first when k is on the other row.
void pressButton(int32_t k);
// A click on the centre of ball i, as the pointer lands: on whole pixels.
void clickBall(int32_t i);

int32_t ballsPocketedInAll();
int32_t ballsMoving();

// The names of the fields in which two games differ, such as "balls[3].vx" or "randomState";
// empty when they are the same to the last bit.
std::vector<std::string> differences(const GameState& a, const GameState& b);
