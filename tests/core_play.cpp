#include "core_play.h"
#include "physics/ball_view.h"
#include "rules/menus.h"
#include "rules/message_log.h"
#include "rules/screen_layout.h"
#include "rules/tool_catalogue.h"
#include "rules/tool_use.h"
#include <bit>
#include <cstring>
#include <type_traits>

std::vector<std::string> heard;
std::vector<std::string> pushed;

std::string lastPushed() { return pushed.empty() ? "(none)" : pushed.back(); }

std::string effect(int32_t which, int32_t channel, int32_t loops)
{
    return "effect " + std::to_string(which) + " channel " + std::to_string(channel) + " loops " +
           std::to_string(loops);
}
std::string volume(int32_t which, int32_t level)
{
    return "volume " + std::to_string(which) + " " + std::to_string(level);
}
std::string halt(int32_t channel) { return "halt channel " + std::to_string(channel); }
std::string music(int32_t track, int32_t loops)
{
    return "music " + std::to_string(track) + " loops " + std::to_string(loops);
}
const std::string HALT_MUSIC = "halt music";

namespace {

void recordVolume(int32_t which, int32_t level) { heard.push_back(volume(which, level)); }
void recordEffect(int32_t which, int32_t channel, int32_t loops)
{
    heard.push_back(effect(which, channel, loops));
}
void recordHalt(int32_t channel) { heard.push_back(halt(channel)); }
void recordMusic(int32_t track, int32_t loops) { heard.push_back(music(track, loops)); }
void recordMusicHalt() { heard.push_back(HALT_MUSIC); }
void recordMessage(const char* line) { pushed.emplace_back(line); }

} // namespace

void CorePlay::SetUp()
{
    game = startingGame();
    fullRedraw = 0;
    heard.clear();
    pushed.clear();
    before_ = platform;
    recorderBefore_ = messageRecorder;
    platform = {recordVolume, recordEffect, recordHalt, recordMusic, recordMusicHalt};
    messageRecorder = recordMessage;
}

void CorePlay::TearDown()
{
    platform = before_;
    messageRecorder = recorderBefore_;
}

void startMatch(int32_t players)
{
    chooseStartMenuRow(players == 1 ? 1 : 2);
    heard.clear();
    pushed.clear();
}

void layTable(std::initializer_list<LaidBall> balls)
{
    for (Ball& ball : game.balls) {
        ball.onTable = 0;
        ball.vx = ball.vy = 0;
    }
    for (const LaidBall& laid : balls) {
        Ball& ball = game.balls[laid.index];
        ball.onTable = 1;
        ball.x = laid.x;
        ball.y = laid.y;
        ball.vx = laid.vx;
        ball.vy = laid.vy;
        ball.value = laid.value;
    }
    updateBallScreenPositions();
    updateBallArrows();
}

void lightTimeButtons()
{
    game.buttonState[TimeToggle] = game.buttonState[TimeToggleRow2] = Available;
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

// The comparison names each field; a field added to the record must be added here too, which
// this reminds of whenever the record changes size.
static_assert(sizeof(GameState) == 3288 && sizeof(Ball) == 72,
              "the game record changed: compare its new fields in differences()");

namespace {

class Comparison {
  public:
    Comparison(std::vector<std::string>& found) : found_(found) {}

    // Numbers are compared bit for bit: -0.0 is not 0.0, and a NaN equals itself.
    template <typename T> void field(const std::string& name, const T& a, const T& b)
    {
        if constexpr (std::is_same_v<T, double>) {
            if (std::bit_cast<uint64_t>(a) != std::bit_cast<uint64_t>(b)) found_.push_back(name);
        } else {
            if (a != b) found_.push_back(name);
        }
    }
    template <typename T, size_t N>
    void field(const std::string& name, const T (&a)[N], const T (&b)[N])
    {
        for (size_t i = 0; i < N; ++i) field(name + "[" + std::to_string(i) + "]", a[i], b[i]);
    }
    // A message line, every byte of it, also those after its end.
    void line(const std::string& name, const char* a, const char* b)
    {
        if (std::memcmp(a, b, MESSAGE_LINE_SIZE) != 0) found_.push_back(name);
    }

  private:
    std::vector<std::string>& found_;
};

} // namespace

std::vector<std::string> differences(const GameState& a, const GameState& b)
{
    std::vector<std::string> found;
    Comparison c(found);
#define SAME(path) c.field(#path, a.path, b.path)
    SAME(gameMode);
    SAME(options.speed);
    SAME(options.tickInterval);
    SAME(options.sound);
    SAME(options.music);
    SAME(options.messages);
    SAME(match.gameKind);
    SAME(match.turnNumber);
    SAME(match.turnLimit);
    SAME(match.currentPlayer);
    SAME(match.points);
    SAME(match.ballsPocketed);
    SAME(match.winner);
    for (int32_t i = 0; i < BALL_COUNT; ++i) {
        const Ball &p = a.balls[i], &q = b.balls[i];
        const std::string ball = "balls[" + std::to_string(i) + "].";
#define SAME_BALL(member) c.field(ball + #member, p.member, q.member)
        SAME_BALL(x);
        SAME_BALL(y);
        SAME_BALL(vx);
        SAME_BALL(vy);
        SAME_BALL(value);
        SAME_BALL(onTable);
        SAME_BALL(pocketedBy);
        SAME_BALL(noScore);
        SAME_BALL(screenX);
        SAME_BALL(screenY);
        SAME_BALL(selected);
        SAME_BALL(headingSector);
        SAME_BALL(speedClass);
#undef SAME_BALL
    }
    SAME(usesLeft);
    SAME(buttonState);
    SAME(buttonRow);
    SAME(selectedTool);
    SAME(selectedBall);
    SAME(aimX);
    SAME(aimY);
    SAME(placedTools.kind);
    SAME(placedTools.screenX);
    SAME(placedTools.screenY);
    SAME(placedTools.x);
    SAME(placedTools.y);
    SAME(placedTools.dirX);
    SAME(placedTools.dirY);
    SAME(placedToolCount);
    SAME(toolEffectRunning);
    SAME(ballStoppedDuringEffect);
    c.line("messageLog.upper", a.messageLog.upper, b.messageLog.upper);
    c.line("messageLog.lower", a.messageLog.lower, b.messageLog.lower);
    SAME(menuSelection);
    SAME(optionsSelection);
    SAME(menuBallX);
    SAME(menuBallY);
    SAME(menuBallSpeed);
    SAME(menuBallVy);
    SAME(menuBallCell);
    SAME(pageDeadline);
    SAME(currentTicks);
    SAME(nextTickTime);
    SAME(ticksRun);
    SAME(nextTrackTime);
    SAME(currentTrack);
    SAME(randomState);
#undef SAME
    return found;
}
