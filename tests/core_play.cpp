#include "core_play.h"
#include "physics/ball_view.h"
#include "rules/game_tick.h"
#include "rules/menus.h"
#include "rules/screen_layout.h"
#include "rules/time_control.h"
#include "rules/tool_use.h"
#include <bit>
#include <cstring>
#include <type_traits>

const Lines NONE;
Lines heard, pushed;

void forget()
{
    heard.clear();
    pushed.clear();
}

std::string lastPushed() { return pushed.empty() ? "(none)" : pushed.back(); }

const std::string HALT_MUSIC = "halt music";
const std::string PAUSE_HINT = "Game paused. You may wish to apply tools now.";
std::string usesLeftLine(int32_t n) { return "Can use " + std::to_string(n) + " more time(s)"; }
const int32_t CHARGES[TOOL_COUNT] = {100, 5, 1, 1, 2, 3,   3,   2,   2,   100,
                                     100, 1, 2, 1, 1, 100, 100, 100, 100, 100};

namespace {
PlatformCalls platformBefore{};
void (*recorderBefore)(const char*) = nullptr;
} // namespace

void CorePlay::SetUp()
{
    game = startingGame();
    fullRedraw = 0;
    forget();
    platformBefore = platform;
    recorderBefore = messageRecorder;
    platform = {[](int32_t which, int32_t level) { heard.push_back(volume(which, level)); },
                [](int32_t which, int32_t channel, int32_t loops) {
                    heard.push_back(effect(which, channel, loops));
                },
                [](int32_t channel) { heard.push_back(halt(channel)); },
                [](int32_t track, int32_t loops) { heard.push_back(music(track, loops)); },
                [] { heard.push_back(HALT_MUSIC); }};
    messageRecorder = [](const char* line) { pushed.emplace_back(line); };
}

void CorePlay::TearDown()
{
    platform = platformBefore;
    messageRecorder = recorderBefore;
}

void startMatch(int32_t players)
{
    game = startingGame();
    chooseStartMenuRow(players == 1 ? 1 : 2);
    fullRedraw = 0;
    forget();
}

void startMatch(int32_t players, std::initializer_list<LaidBall> balls)
{
    startMatch(players);
    layTable(balls);
}

void layTable(std::initializer_list<LaidBall> balls)
{
    for (Ball& ball : game.balls) {
        ball.onTable = 0;
        ball.vx = ball.vy = 0;
    }
    for (const LaidBall& b : balls)
        game.balls[b.index] = {b.x, b.y, b.vx, b.vy, b.value, 1, -1, 0, 0, 0, 0, -1, 0};
    updateBallScreenPositions();
    updateBallArrows();
    if (ballsMoving() > 0)
        game.buttonState[TimeToggle] = game.buttonState[TimeToggleRow2] = Available;
}

void tickWith(std::initializer_list<LaidBall> balls)
{
    layTable(balls);
    toggleTime();
    forget();
    runTick();
}

void pressButton(int32_t k)
{
    if (k / BUTTONS_PER_ROW != game.buttonRow) leftClickInMatch(285, BAND_Y);
    // The last button of a row is only its left edge: the rest of it switches the row.
    const int32_t column = k % BUTTONS_PER_ROW;
    leftClickInMatch(column == BUTTONS_PER_ROW - 1 ? NEXT_ROW_LEFT - 1
                                                   : BUTTON_SIZE * column + BUTTON_SIZE / 2,
                     BAND_Y);
}

void clickBall(int32_t i)
{
    leftClickInMatch(static_cast<int32_t>(game.balls[i].x), static_cast<int32_t>(game.balls[i].y));
}

int32_t ballsPocketedInAll() { return game.match.ballsPocketed[0] + game.match.ballsPocketed[1]; }

int32_t ballsMoving()
{
    int32_t moving = 0;
    for (const Ball& ball : game.balls) moving += ball.vx != 0 || ball.vy != 0;
    return moving;
}

bool playUntil(uint32_t& now, const std::function<bool()>& done, int32_t passes)
{
    for (int32_t pass = 0; pass < passes && !done(); ++pass) tickWhenDue(++now);
    return done();
}

void expectSlotEmpty(int32_t s)
{
    const PlacedToolSlots& p = game.placedTools;
    EXPECT_EQ(std::tuple(p.kind[s], p.screenX[s], p.screenY[s]), std::tuple(-1, -1, -1)) << s;
    EXPECT_EQ(std::tuple(p.x[s], p.y[s], p.dirX[s], p.dirY[s]), std::tuple(-1.0, -1.0, 0.0, 0.0))
        << s;
}

void expectFreshTools()
{
    for (int32_t k = 0; k < TOOL_COUNT; ++k) {
        SCOPED_TRACE("button " + std::to_string(k));
        EXPECT_EQ(game.usesLeft[k], CHARGES[k]);
        EXPECT_EQ(game.buttonState[k], k == TimeToggle || k == TimeToggleRow2 ? -1 : 0);
    }
    EXPECT_EQ(game.placedToolCount, 0);
    for (int32_t s = 0; s < PLACED_TOOL_SLOTS; ++s) expectSlotEmpty(s);
}

// The comparison names each field; a field added to the record must be added here too, which
// this reminds of whenever the record changes size.
static_assert(sizeof(GameState) == 3288 && sizeof(Ball) == 72,
              "the game record changed: compare its new fields in differences()");

namespace {

// Numbers bit for bit (-0.0 is not 0.0, a NaN equals itself), arrays element by element, and a
// message line whole, every byte of it, also those after its end.
template <typename T> void compare(Lines& found, const std::string& name, const T& a, const T& b)
{
    if constexpr (std::is_same_v<std::remove_extent_t<T>, char>) {
        if (std::memcmp(a, b, sizeof a) != 0) found.push_back(name);
    } else if constexpr (std::is_array_v<T>) {
        for (size_t i = 0; i < std::extent_v<T>; ++i)
            compare(found, name + "[" + std::to_string(i) + "]", a[i], b[i]);
    } else if constexpr (std::is_same_v<T, double>) {
        if (std::bit_cast<uint64_t>(a) != std::bit_cast<uint64_t>(b)) found.push_back(name);
    } else if (a != b) {
        found.push_back(name);
    }
}

} // namespace

Lines differences(const GameState& a, const GameState& b)
{
    Lines found;
#define SAME(path) compare(found, #path, a.path, b.path)
#define SAME_BALL(member) compare(found, ball + #member, a.balls[i].member, b.balls[i].member)
    // clang-format off
    SAME(gameMode);
    SAME(options.speed); SAME(options.tickInterval); SAME(options.sound); SAME(options.music);
    SAME(options.messages);
    SAME(match.gameKind); SAME(match.turnNumber); SAME(match.turnLimit);
    SAME(match.currentPlayer); SAME(match.points); SAME(match.ballsPocketed); SAME(match.winner);
    for (int32_t i = 0; i < BALL_COUNT; ++i) {
        const std::string ball = "balls[" + std::to_string(i) + "].";
        SAME_BALL(x); SAME_BALL(y); SAME_BALL(vx); SAME_BALL(vy); SAME_BALL(value);
        SAME_BALL(onTable); SAME_BALL(pocketedBy); SAME_BALL(noScore); SAME_BALL(screenX);
        SAME_BALL(screenY); SAME_BALL(selected); SAME_BALL(headingSector); SAME_BALL(speedClass);
    }
    SAME(usesLeft); SAME(buttonState); SAME(buttonRow); SAME(selectedTool); SAME(selectedBall);
    SAME(aimX); SAME(aimY);
    SAME(placedTools.kind); SAME(placedTools.screenX); SAME(placedTools.screenY);
    SAME(placedTools.x); SAME(placedTools.y); SAME(placedTools.dirX); SAME(placedTools.dirY);
    SAME(placedToolCount); SAME(toolEffectRunning); SAME(ballStoppedDuringEffect);
    SAME(messageLog.upper); SAME(messageLog.lower);
    SAME(menuSelection); SAME(optionsSelection);
    SAME(menuBallX); SAME(menuBallY); SAME(menuBallSpeed); SAME(menuBallVy); SAME(menuBallCell);
    SAME(pageDeadline); SAME(currentTicks); SAME(nextTickTime); SAME(ticksRun);
    SAME(nextTrackTime); SAME(currentTrack); SAME(randomState);
    // clang-format on
#undef SAME_BALL
#undef SAME
    return found;
}
