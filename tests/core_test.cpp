// The rules and the physics on their own, linked without the media library: what they ask of the
// platform reaches it only through `platform`.
#include "physics/ball.h"
#include "physics/simulation.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/match.h"
#include "rules/message_log.h"
#include "rules/platform.h"
#include "rules/random.h"
#include "rules/turn_cycle.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> calls;

void recordVolume(int32_t effect, int32_t volume)
{
    calls.push_back("volume " + std::to_string(effect) + " " + std::to_string(volume));
}
void recordEffect(int32_t effect, int32_t channel, int32_t loops)
{
    calls.push_back("effect " + std::to_string(effect) + " " + std::to_string(channel) + " " +
                    std::to_string(loops));
}
void recordHalt(int32_t channel) { calls.push_back("halt " + std::to_string(channel)); }
void recordMusic(int32_t track, int32_t loops)
{
    calls.push_back("music " + std::to_string(track) + " " + std::to_string(loops));
}
void recordMusicHalt() { calls.push_back("halt music"); }

TEST(Core, AStrokeCollidesScoresNothingAndHandsOverTheTurnThroughThePlatform)
{
    platform = {recordVolume, recordEffect, recordHalt, recordMusic, recordMusicHalt};
    fullRedraw = 0;
    game.options.sound = 1;
    game.options.music = 1;
    game.match.gameKind = 2;
    prepareField();
    for (Ball& ball : game.balls) ball.onTable = 0;
    // Ball 0 runs straight into ball 1, which stops short of every cushion.
    game.balls[0] = {100, 200, 1, 0, 0, 1, -1, 0, 100, 200, 0, -1, 0};
    game.balls[1] = {130, 200, 0, 0, 0, 1, -1, 0, 130, 200, 0, -1, 0};
    game.gameMode = Running;
    int32_t ticks = 0;
    while (game.gameMode == Running && ticks < 10000) {
        gameTick();
        ++ticks;
    }
    EXPECT_EQ(game.gameMode, Paused);
    EXPECT_EQ(game.match.currentPlayer, 1);
    EXPECT_STREQ(game.messageLog.lower, "Player 2, your turn now");
    EXPECT_EQ(game.balls[0].value + game.balls[1].value, 0) << "values are gone with the turn";
    // Closing speed 1: the impact is played at 1 * 1 / 72 * 200 = 2, the quietest that sounds.
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], "volume 0 2");
    EXPECT_EQ(calls[1], "effect 0 -1 0");
    EXPECT_EQ(calls[2], "halt 1") << "the clock stops with the turn";
    EXPECT_EQ(fullRedraw, 1) << "the new turn's Panel is marked for the whole window";
}

TEST(Core, ChanceIsTheStandardsPortableGeneratorStartingAtOne)
{
    // The C standard's example generator from a state of 1: the same on every platform.
    game.randomState = 1;
    EXPECT_EQ(gameRandom(), 16838);
    EXPECT_EQ(gameRandom(), 5758);
    EXPECT_EQ(gameRandom(), 10113);
    EXPECT_EQ(gameRandom(), 17515);
    int32_t highest = 0;
    for (int32_t i = 0; i < 100000; ++i) highest = std::max(highest, gameRandom());
    EXPECT_EQ(highest, RANDOM_MAX);
}

} // namespace
