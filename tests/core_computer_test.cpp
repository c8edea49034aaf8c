// The computer player: the seats it is given, the game left as it was by its thinking, the same
// inputs from the same game, and whole games played by itself without a click the game refuses.
#include "core_play.h"
#include "rules/computer_plan.h"
#include "rules/computer_player.h"
#include "rules/game_tick.h"
#include "rules/refusals.h"
#include "rules/screen_layout.h"
#include "rules/time_control.h"
#include "rules/tool_use.h"
#include <algorithm>
#include <array>
#include <cstring>

namespace {

class CoreComputer : public CorePlay {
  protected:
    void TearDown() override
    {
        chooseComputerSeats(nullptr, nullptr, nullptr);
        CorePlay::TearDown();
    }
};

// The input as the shell carries it out.
void carryOut(const ComputerInput& input)
{
    if (input.kind == InputLeftClick) leftClickInMatch(input.x, input.y);
    if (input.kind == InputMotion) followAim(input.x, input.y);
    if (input.kind == InputRightClick) cancelTool();
    if (input.kind == InputSpace) toggleTime();
}

using Sent = std::vector<std::array<int32_t, 3>>;

// The shell's passes, one a millisecond, with the computer's input before the tick; stops after
// `inputs` inputs or when the match is over. Every input sent is kept in `sent`.
void passes(uint32_t& now, int32_t budget, size_t inputs, Sent& sent)
{
    for (int64_t pass = 0; pass < 3000000 && sent.size() < inputs && isMatchMode(game.gameMode);
         ++pass) {
        ++now;
        const ComputerInput input = computerPass(now, budget);
        if (input.kind != InputNone) sent.push_back({input.kind, input.x, input.y});
        carryOut(input);
        tickWhenDue(now);
    }
}

// The forms taken are played through the driver (tests/replay/test_computer.py); these are refused.
TEST_F(CoreComputer, SeatsLevelsAndSeedsOfAnyOtherFormAreRefused)
{
    for (const char* seats : {"0", "3", "1,2,1", "1;2", "x", "1,"}) {
        ASSERT_TRUE(chooseComputerSeats("1", "3", "5"));
        EXPECT_FALSE(chooseComputerSeats(seats, nullptr, nullptr)) << seats;
        EXPECT_EQ(std::tuple(computerSeats.plays[0], computerSeats.plays[1]), std::tuple(0, 0))
            << "the people keep the seats after " << seats;
    }
    EXPECT_FALSE(chooseComputerSeats("1", "4", nullptr));
    EXPECT_FALSE(chooseComputerSeats("1", "0", nullptr));
    EXPECT_FALSE(chooseComputerSeats("1", "2", "-3"));
    EXPECT_FALSE(chooseComputerSeats("1", "2", "12a"));
}

TEST_F(CoreComputer, ThinkingLeavesTheGameAsItWasSaveForItsOwnInputs)
{
    ASSERT_TRUE(chooseComputerSeats("1", "2", "3"));
    startMatch(1);
    uint32_t now = 1000;
    int32_t thinkingPasses = 0, inputs = 0;
    const PlatformCalls calls = platform;
    void (*const recorder)(const char*) = messageRecorder;
    // Two turns, with the pauses in them: every pass, thinking or not, leaves the game alone.
    for (int64_t pass = 0; pass < 400000 && game.match.turnNumber < 3; ++pass) {
        ++now;
        const GameState before = game;
        forget();
        const ComputerInput input = computerPass(now, 300);
        if (std::memcmp(&before, &game, sizeof game) != 0) {
            ASSERT_EQ(differences(before, game), NONE) << "pass " << pass;
        }
        ASSERT_EQ(heard, NONE) << "its copies make no sound";
        ASSERT_EQ(pushed, NONE) << "nor any message";
        // and the live game keeps its own platform and message recorder.
        ASSERT_EQ(platform.playEffect, calls.playEffect);
        ASSERT_EQ(platform.playMusic, calls.playMusic);
        ASSERT_EQ(platform.haltChannel, calls.haltChannel);
        ASSERT_EQ(messageRecorder, recorder);
        thinkingPasses += input.kind == InputNone && game.gameMode == Paused;
        inputs += input.kind != InputNone;
        carryOut(input);
        tickWhenDue(now);
    }
    EXPECT_EQ(game.match.turnNumber, 3);
    EXPECT_GT(inputs, 4);
    EXPECT_GT(thinkingPasses, 10) << "the thinking was spread over passes";
}

TEST_F(CoreComputer, TheSameGameLevelAndSeedGiveTheSameInputs)
{
    Sent first, second, otherSeed;
    for (Sent* sent : {&first, &second, &otherSeed}) {
        ASSERT_TRUE(chooseComputerSeats("1", "2", sent == &otherSeed ? "8" : "7"));
        startMatch(1);
        uint32_t now = 1000;
        passes(now, 2000, 12, *sent);
    }
    ASSERT_EQ(first.size(), 12u);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, otherSeed) << "the seed picks its samples";
}

TEST_F(CoreComputer, EachLevelAndBothSeatsPlayAWholeGameByItselfWithoutARefusedClick)
{
    struct Case {
        const char *seats, *levels;
        int32_t players;
    };
    for (const Case& c : {Case{"1", "1", 1}, {"1", "2", 1}, {"1", "3", 1}, {"1,2", "2,1", 2}}) {
        SCOPED_TRACE(std::string("seats ") + c.seats + ", levels " + c.levels);
        ASSERT_TRUE(chooseComputerSeats(c.seats, c.levels, c.players == 1 ? "1" : "2"));
        startMatch(c.players);
        uint32_t now = 1000;
        Sent sent;
        passes(now, 20000, 100000, sent);
        // A one-player game ends after its last turn, or sooner with every ball pocketed; a
        // match, with every ball pocketed.
        EXPECT_EQ(game.gameMode, EndScreen);
        EXPECT_TRUE(ballsPocketedInAll() == BALL_COUNT ||
                    (c.players == 1 && game.match.turnNumber > game.match.turnLimit));
        EXPECT_GT(sent.size(), 20u);
        for (const char* refusal : REFUSALS)
            EXPECT_EQ(std::count(pushed.begin(), pushed.end(), refusal), 0) << refusal;
    }
}

TEST_F(CoreComputer, AtEverySpeedAndWithoutHintsItsClicksAreTakenAStepApart)
{
    // Without the hints the game refuses some clicks in silence: the state tells instead.
    for (const int32_t speed : {10, 60}) {
        SCOPED_TRACE(speed);
        ASSERT_TRUE(chooseComputerSeats("1", "2", "6"));
        startMatch(1);
        game.options.speed = speed;
        game.options.tickInterval = 1000 / speed;
        game.options.messages = speed == 10;
        uint32_t now = 1000, last = 0;
        int32_t paused = 0;
        for (int64_t pass = 0; pass < 3000000 && isMatchMode(game.gameMode); ++pass) {
            ++now;
            const ComputerInput input = computerPass(now, 20000);
            if (input.kind != InputNone) {
                EXPECT_TRUE(last == 0 || now - last >= COMPUTER_STEP_MS) << "pass " << pass;
                last = now;
            }
            const int32_t mode = game.gameMode, row = game.buttonRow;
            const int32_t selected = game.selectedTool;
            carryOut(input);
            if (input.kind == InputLeftClick && mode == Paused && inButtonBand(input.y) &&
                input.x >= TIME_BUTTON_RIGHT && input.x < NEXT_ROW_LEFT) {
                EXPECT_EQ(game.gameMode, ToolSelected) << "button " << input.x << " row " << row;
            }
            if (input.kind == InputLeftClick && mode == ToolSelected && !inButtonBand(input.y)) {
                EXPECT_TRUE(game.gameMode == Aiming || game.gameMode == Paused)
                    << "tool " << selected << " at " << input.x << "," << input.y;
            }
            if (input.kind == InputSpace && mode == Paused) {
                EXPECT_EQ(game.gameMode, Running);
            }
            paused += input.kind == InputSpace && mode == Running;
            tickWhenDue(now);
        }
        EXPECT_EQ(game.gameMode, EndScreen);
        EXPECT_GT(paused, 10) << "it paused to use tools while the balls ran";
        for (const char* refusal : REFUSALS)
            EXPECT_EQ(std::count(pushed.begin(), pushed.end(), refusal), 0) << refusal;
    }
}

TEST_F(CoreComputer, ItPausesWhenTimeHasRunTheTicksItPlanned)
{
    ASSERT_TRUE(chooseComputerSeats("1", "2", "9"));
    startMatch(1);
    const int32_t planned = levelSettings(2).runTicks;
    uint32_t now = 1000, startedAt = 0;
    int32_t pauses = 0;
    for (int64_t pass = 0; pass < 400000 && game.match.turnNumber < 3; ++pass) {
        ++now;
        const ComputerInput input = computerPass(now, 20000);
        if (input.kind == InputSpace && game.gameMode != Running) startedAt = game.ticksRun;
        if (input.kind == InputSpace && game.gameMode == Running) {
            EXPECT_EQ(game.ticksRun - startedAt, static_cast<uint32_t>(planned));
            ++pauses;
        }
        carryOut(input);
        tickWhenDue(now);
    }
    EXPECT_GT(pauses, 3);
}

TEST_F(CoreComputer, HandedAGameMidAimItPutsTheToolBackAndPlaysItsTurn)
{
    startMatch(1);
    pressButton(Cue);
    clickBall(0);
    ASSERT_EQ(game.gameMode, Aiming);
    ASSERT_TRUE(chooseComputerSeats("1", "1", nullptr));
    uint32_t now = 1000;
    Sent sent;
    passes(now, 20000, 1, sent);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][0], InputRightClick);
    EXPECT_EQ(game.gameMode, Paused);
    for (int32_t pass = 0; pass < 200000 && game.match.turnNumber == 1; ++pass) {
        carryOut(computerPass(++now, 20000));
        tickWhenDue(now);
    }
    EXPECT_EQ(game.match.turnNumber, 2) << "it played the turn on";
}

} // namespace
