// What the frame puts on the screen: the Panel's scores, buttons and messages, balls in their
// value colours, arrows where the aim and motion point, the menus' highlight and values, and the
// end screen; and which rectangles each mode pushes to the display.
#include "physics/ball.h"
#include "physics/ball_view.h"
#include "render/assets.h"
#include "render/font.h"
#include "render/frame.h"
#include "render/menu_screens.h"
#include "render/surfaces.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/match.h"
#include "rules/message_log.h"
#include "rules/tool_catalogue.h"
#include "rules/turn_cycle.h"
#include "test_window.h"
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Whether every pixel the sprite draws (all but its key) is on the screen at (dstX, dstY).
bool spriteAt(SDL_Surface* image, int32_t srcX, int32_t srcY, int32_t w, int32_t h, int32_t dstX,
              int32_t dstY)
{
    int32_t drawn = 0;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const uint32_t pixel = pixelAt(image, srcX + x, srcY + y);
            if (pixel == image->format->colorkey) continue;
            if (pixelAt(screen, dstX + x, dstY + y) != pixel) return false;
            ++drawn;
        }
    return drawn > 0;
}

// The arrow of a speed class and heading sector, drawn with its cell's corner at (x, y).
bool arrowAt(int32_t speedClass, int32_t sector, int32_t x, int32_t y)
{
    return spriteAt(arrowsImage, static_cast<int32_t>(speedClass * 17.4),
                    static_cast<int32_t>(sector * 14.8), 17, 13, x, y);
}

class Screens : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { openTestWindow(); }
    void SetUp() override
    {
        prepareField();
        // Every ball off the table and out of sight, unless a test puts it back.
        for (Ball& ball : game.balls) {
            ball.onTable = 0;
            ball.screenX = ball.screenY = -100;
        }
        game.gameMode = Paused;
        game.match.points[0] = game.match.points[1] = 0;
    }
    void placeBall(int32_t i, double x, double y, int32_t value)
    {
        game.balls[i].onTable = 1;
        game.balls[i].x = x;
        game.balls[i].y = y;
        game.balls[i].value = value;
        updateBallScreenPositions();
    }
};

TEST(BallSprites, ValueClassesHeadingsAndSpeedClasses)
{
    const int32_t values[] = {-4, 0, 1, 2, 3, 6, 7, 10, 11, 15, 16, 20, 21, 30, 31, 49};
    const int32_t cells[] = {1, 1, 2, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9};
    for (size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(ballCell(values[i]), cells[i]) << values[i];

    struct Heading {
        double vx, vy;
        int32_t sector;
    } headings[] = {{-1, 0, 0},  {-1, -1, 2},  {0, -1, 4},   {1, -1, 6},    {1, 0, 8},
                    {1, 1, 10},  {0, 1, 12},   {-1, 1, 14},  {0, 0, -1},    {1, -0.1, 8},
                    {2, 0.3, 8}, {-2, 0.3, 0}, {0.1, -1, 4}, {-1, -0.2, 1}, {1, 0.19, 8}};
    for (const Heading& h : headings)
        EXPECT_EQ(headingSectorOf(h.vx, h.vy), h.sector) << h.vx << ", " << h.vy;

    const double speeds[][2] = {{0.49, 0}, {0.5, 0}, {0, -1}, {2.49, 0}, {0, 2.5}, {3, 0}};
    const int32_t classes[] = {0, 1, 3, 8, 9, 9};
    for (size_t i = 0; i < std::size(speeds); ++i)
        EXPECT_EQ(speedClassOf(speeds[i][0], speeds[i][1]), classes[i]) << speeds[i][0];
}

TEST(Grades, OnlyTheTopBoundIsInclusive)
{
    const int32_t points[] = {980, 700, 699, 401, 400, 251, 250, 121, 120, 51, 50, 0};
    const char letters[] = "AABBCCDDEEFF";
    for (size_t i = 0; i < std::size(points); ++i)
        EXPECT_EQ(gradeLetter(points[i]), letters[i]) << points[i];
}

// The strip's scrolling is in every dump of the golden traces; here, its edges.
TEST(MessageLog, LongLinesAreCutAndAnEmptyOneScrollsUp)
{
    const std::string longLine(120, 'x');
    pushMessage(longLine.c_str());
    EXPECT_EQ(std::string(game.messageLog.lower), longLine.substr(0, 99));
    pushMessage("");
    EXPECT_EQ(std::string(game.messageLog.upper), longLine.substr(0, 99));
    EXPECT_STREQ(game.messageLog.lower, "");
}

// Glyph after glyph at their widths on the baseline; one whose top is above the window shows
// only its lower rows; the message strip's two lines sit on baselines 55 and 65.
TEST_F(Screens, TextAdvancesByEachGlyphsWidthOnItsBaseline)
{
    SDL_FillRect(screen, nullptr, 0);
    drawText("Pause", 5, 20);
    int32_t x = 5;
    for (char c : std::string("Pause")) {
        const int32_t g = c - 32;
        EXPECT_TRUE(spriteAt(fontImage, glyphOffset[g], 0, glyphWidth[g], 10, x, 10)) << c;
        x += glyphWidth[g];
    }
    EXPECT_EQ(x, 38);
    for (int32_t y = 10; y < 20; ++y)
        for (int32_t column = 38; column < 60; ++column) ASSERT_EQ(pixelAt(screen, column, y), 0u);
    const int32_t w = 'W' - 32, h = 'H' - 32;
    drawText("", 0, 5);
    drawText("W", 0, 5);
    EXPECT_TRUE(spriteAt(fontImage, glyphOffset[w], 5, glyphWidth[w], 5, 0, 0));

    pushMessage("Welcome");
    pushMessage("Hello");
    composeFrame();
    EXPECT_TRUE(spriteAt(fontImage, glyphOffset[w], 0, glyphWidth[w], 10, 5, 45));
    EXPECT_TRUE(spriteAt(fontImage, glyphOffset[h], 0, glyphWidth[h], 10, 5, 55));
}

TEST_F(Screens, ScoresShowThreeDigitsWithLeadingZeros)
{
    game.match.points[0] = 980;
    game.match.points[1] = 7;
    composeFrame();
    const int32_t expected[2][3] = {{9, 8, 0}, {0, 0, 7}};
    for (int32_t p = 0; p < 2; ++p)
        for (int32_t d = 0; d < 3; ++d)
            EXPECT_TRUE(
                spriteAt(numbersImage, 7 * expected[p][d], 0, 7, 8, 56 + 203 * p + 7 * d, 1))
                << "player " << p << " digit " << d;
}

TEST_F(Screens, TheButtonRowShowsEachButtonsState)
{
    game.buttonState[1] = Active;
    game.buttonState[4] = Unavailable;
    composeFrame();
    EXPECT_TRUE(spriteAt(buttonsImage, 30, 0, 30, 30, 30, 70));
    EXPECT_TRUE(spriteAt(buttonsImage, 60, 30, 30, 30, 60, 70));
    EXPECT_TRUE(spriteAt(buttonsImage, 120, 60, 30, 30, 120, 70));
    EXPECT_TRUE(spriteAt(buttonsImage, 0, 60, 30, 30, 0, 70)) << "time is dark at the start";
    game.buttonRow = 1;
    composeFrame();
    EXPECT_TRUE(spriteAt(buttonsImage, 60, 120, 30, 30, 60, 70));
    EXPECT_TRUE(spriteAt(buttonsImage, 0, 150, 30, 30, 0, 70));
}

// A pocketed ball shows in the strip where it was put, without a shadow.
TEST_F(Screens, BallsWearTheirValueColourTheSelectedOneWhiteAndPocketedOnesSitInTheStrip)
{
    placeBall(0, 150.7, 200.2, 0);
    placeBall(1, 100, 160, 30);
    placeBall(2, 200, 240, 49);
    game.balls[2].selected = 1;
    composeFrame();
    EXPECT_TRUE(spriteAt(ballsImage, 14 * 1, 0, 14, 14, 143, 193));
    EXPECT_TRUE(spriteAt(ballsImage, 14 * 8, 0, 14, 14, 93, 153));
    EXPECT_TRUE(spriteAt(ballsImage, 0, 0, 14, 14, 193, 233));
    game.balls[5].screenX = 15;
    game.balls[5].screenY = 25;
    game.balls[5].value = 20;
    composeFrame();
    EXPECT_TRUE(spriteAt(ballsImage, 14 * 7, 0, 14, 14, 8, 18));
    // Right of it, where its shadow would reach, the Panel shows unshaded.
    for (int32_t y = 21; y < 37; ++y)
        for (int32_t x = 22; x < 30; ++x)
            ASSERT_EQ(pixelAt(screen, x, y), pixelAt(panelImage, x, y));
}

TEST_F(Screens, MotionArrowsShowOnlyWhileTimeStandsStillAndTheAimOnlyWhenFarEnough)
{
    placeBall(0, 150, 200, 0);
    game.balls[0].vx = 2.0;
    updateBallArrows();
    composeFrame();
    EXPECT_TRUE(arrowAt(7, 8, 145, 195));
    game.gameMode = Running;
    composeFrame();
    EXPECT_FALSE(arrowAt(7, 8, 145, 195));

    // The Cue's aim shows twenty pixels out, once the aim is far enough.
    game.gameMode = Aiming;
    game.selectedTool = Cue;
    game.selectedBall = 0;
    game.aimX = 160;
    game.aimY = 200;
    composeFrame();
    // Class 1 (half a pixel per tick), sector 8 (to the right).
    EXPECT_TRUE(arrowAt(1, 8, 162, 194));
    game.aimX = 154;
    composeFrame();
    EXPECT_FALSE(arrowAt(1, 8, 162, 194) || arrowAt(0, 8, 162, 194));
}

TEST_F(Screens, APlacedFanShowsItsIconAndItsStream)
{
    game.placedTools.kind[0] = Fan;
    game.placedTools.x[0] = game.placedTools.screenX[0] = 100;
    game.placedTools.y[0] = game.placedTools.screenY[0] = 200;
    game.placedTools.dirX[0] = 10;
    game.placedTools.dirY[0] = 0;
    game.placedToolCount = 1;
    composeFrame();
    EXPECT_TRUE(spriteAt(buttonsImage, 64, 4, 22, 22, 89, 189));
    EXPECT_TRUE(arrowAt(9, 8, 112, 194));
}

TEST_F(Screens, EachModePushesOnlyItsOwnRectangles)
{
    struct Case {
        int32_t mode;
        int32_t count;
        int32_t firstY, firstH;
    } cases[] = {{Paused, 0, 0, 0},        {ToolSelected, 0, 0, 0}, {Aiming, 1, 100, 200},
                 {Running, 1, 100, 200},   {StartMenu, 2, 250, 50}, {OptionsMenu, 2, 250, 50},
                 {EndScreen, 1, 150, 150}, {130, 1, 100, 200},      {101, 0, 0, 0}};
    for (const Case& c : cases) {
        game.gameMode = c.mode;
        fullRedraw = 0;
        drawFrame();
        ASSERT_EQ(pushedRects.count, c.count) << "mode " << c.mode;
        if (c.count) {
            EXPECT_EQ(pushedRects.rects[0].y, c.firstY) << "mode " << c.mode;
            EXPECT_EQ(pushedRects.rects[0].h, c.firstH) << "mode " << c.mode;
        }
    }
    game.gameMode = Paused;
    fullRedraw = 1;
    drawFrame();
    ASSERT_EQ(pushedRects.count, 1);
    EXPECT_EQ(pushedRects.rects[0].w, 300);
    EXPECT_EQ(fullRedraw, 0);
}

TEST_F(Screens, TheMenuHighlightMarksRowsZeroToFourOnly)
{
    game.gameMode = StartMenu;
    for (int32_t row : {0, 4}) {
        game.menuSelection = row;
        composeFrame();
        EXPECT_TRUE(spriteAt(ballsImage, 112, 0, 14, 14, 95, 135 + 17 * row)) << row;
    }
    for (int32_t row : {-1, 5}) {
        game.menuSelection = row;
        composeFrame();
        for (int32_t y = 130; y < 230; ++y)
            for (int32_t x = 90; x < 118; ++x)
                ASSERT_EQ(pixelAt(screen, x, y), pixelAt(startBackgroundImage, x, y)) << row;
    }
}

// Each switch that is off gets the off mark at its own place and changes nothing else on the
// screen; one that is on leaves the panel as it is.
TEST_F(Screens, TheOptionsShowTheSpeedAndAnOffMarkForEachSettingThatIsOff)
{
    struct Switch {
        const char* name;
        uint8_t OptionsRecord::*field;
        int32_t x, y;
    };
    const Switch switches[] = {{"messages", &OptionsRecord::messages, 161, 153},
                               {"sound", &OptionsRecord::sound, 185, 170},
                               {"music", &OptionsRecord::music, 173, 187}};
    game.gameMode = OptionsMenu;
    game.optionsSelection = -1;
    const OptionsRecord saved = game.options;
    game.options.speed = 60;
    for (const Switch& s : switches) game.options.*s.field = 1;
    composeFrame();
    EXPECT_TRUE(spriteAt(optionValuesImage, 125, 0, 25, 16, 157, 136));
    for (const Switch& s : switches)
        EXPECT_FALSE(spriteAt(optionValuesImage, 150, 0, 32, 16, s.x, s.y)) << s.name;
    std::vector<uint32_t> allOn;
    for (int32_t y = 0; y < 300; ++y)
        for (int32_t x = 0; x < 300; ++x) allOn.push_back(pixelAt(screen, x, y));

    // The pixels that differ from the screen with every switch on, outside the given marks.
    for (const Switch& s : switches) {
        game.options.*s.field = 0;
        composeFrame();
        EXPECT_TRUE(spriteAt(optionValuesImage, 150, 0, 32, 16, s.x, s.y)) << s.name;
        int32_t changed = 0;
        for (int32_t y = 0; y < 300; ++y)
            for (int32_t x = 0; x < 300; ++x)
                changed += !(x >= s.x && x < s.x + 32 && y >= s.y && y < s.y + 16) &&
                           pixelAt(screen, x, y) != allOn[300 * y + x];
        EXPECT_EQ(changed, 0) << s.name << " off changes the screen elsewhere";
        game.options.*s.field = 1;
    }
    for (const Switch& s : switches) game.options.*s.field = 0;
    composeFrame();
    for (const Switch& s : switches)
        EXPECT_TRUE(spriteAt(optionValuesImage, 150, 0, 32, 16, s.x, s.y)) << s.name << ", all off";
    game.options = saved;
}

TEST_F(Screens, TheEndScreenShowsTheBannerAndEachPlayersBallsInIndexOrder)
{
    game.gameMode = EndScreen;
    game.match.gameKind = 2;
    game.match.winner = WINNER_DRAW;
    const int32_t pocketed[] = {12, 3, 7};
    for (int32_t i : pocketed) {
        game.balls[i].pocketedBy = 0;
        game.balls[i].value = i;
    }
    game.balls[9].pocketedBy = 1;
    game.balls[9].value = 40;
    composeFrame();
    EXPECT_TRUE(spriteAt(bannersImage, 0, 100, 300, 50, 0, 0));
    EXPECT_TRUE(spriteAt(ballsImage, 14 * ballCell(3), 0, 14, 14, 9, 87));
    EXPECT_TRUE(spriteAt(ballsImage, 14 * ballCell(7), 0, 14, 14, 23, 87));
    EXPECT_TRUE(spriteAt(ballsImage, 14 * ballCell(12), 0, 14, 14, 37, 87));
    EXPECT_TRUE(spriteAt(ballsImage, 14 * 9, 0, 14, 14, 9, 154));

    game.match.gameKind = 1;
    composeFrame();
    EXPECT_TRUE(spriteAt(bannersImage, 0, 150, 300, 50, 0, 0));
    // No second row: below player 1's the background is its own.
    for (int32_t x = 0; x < 300; x += 7)
        ASSERT_EQ(pixelAt(screen, x, 160), pixelAt(endBackgroundImage, x, 160));
    game.match.gameKind = 2;
}

} // namespace
