// The real game in a real (headless) window, played through the keyboard
// and read back from the screen. Every test brings its own flat-coloured
// pictures, so each screen, the kitchen and the cat are easy to tell apart.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <thread>

#include <SFML/Graphics/Image.hpp>

#include "window_harness.h"

namespace {

const sf::Color black(0, 0, 0);
const sf::Color titleColour(200, 40, 40);
const sf::Color kitchenColour(200, 120, 40);
const sf::Color markerColour(40, 80, 200);
const sf::Color catColour(255, 0, 255);
const sf::Color noseColour(255, 255, 0);

sf::Color endColour(int code) { return sf::Color(30, static_cast<sf::Uint8>(2 * code), 160); }

constexpr int endCodes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 100};

// The title is smaller than the window, so that a picture shown cropped or
// at the wrong size is seen.
constexpr int titleWidth = 300;
constexpr int titleHeight = 200;

// Fills [left, right) x [top, bottom) of the picture.
void paint(sf::Image& picture, unsigned left, unsigned top, unsigned right, unsigned bottom, sf::Color colour)
{
    for (unsigned y = top; y < bottom; ++y)
        for (unsigned x = left; x < right; ++x)
            picture.setPixel(x, y, colour);
}

void writeFixture(const GameUnderX& game, bool withTitle = true)
{
    if (withTitle)
        writePicture(game.path("o.png"), titleWidth, titleHeight, titleColour);
    for (int code : endCodes)
        writePicture(game.path(std::to_string(code) + ".png"), 400, 400, endColour(code));

    // The kitchen, with a 10-pixel marker at picture (50, 50).
    sf::Image kitchen;
    kitchen.create(200, 200, kitchenColour);
    paint(kitchen, 50, 50, 60, 60, markerColour);
    ASSERT_TRUE(kitchen.saveToFile(game.path("kitchen.png")));

    // The cat, 12 by 20, its nose (the top four rows) showing where it faces.
    sf::Image cat;
    cat.create(12, 20, catColour);
    paint(cat, 0, 0, 12, 4, noseColour);
    ASSERT_TRUE(cat.saveToFile(game.path("cat.png")));

    std::filesystem::copy_file(TEST_FONT, game.path("a.ttf"));
}

bool showsTitle(const Screenshot& s)
{
    return s.filled(0, 0, titleWidth, titleHeight, titleColour) && s.filled(titleWidth, 0, 400, 400, black) &&
           s.filled(0, titleHeight, titleWidth, 400, black);
}

bool showsEnd(const Screenshot& s, int code) { return s.filled(0, 0, 400, 400, endColour(code)); }

bool showsKitchen(const Screenshot& s)
{
    return s.at(0, 0) == kitchenColour && s.at(399, 0) == kitchenColour && s.at(399, 399) == kitchenColour &&
           s.at(110, 110) == markerColour;
}

Box catBox(const Screenshot& s)
{
    return s.boxWhere([](sf::Color c) { return c == catColour || c == noseColour; });
}

// Which way the nose points from the middle of the cat.
std::string heading(const Screenshot& s)
{
    const Box cat = catBox(s);
    const Box nose = s.boxWhere([](sf::Color c) { return c == noseColour; });
    if (cat.empty() || nose.empty())
        return "unseen";
    const double dx = nose.centreX() - cat.centreX();
    const double dy = nose.centreY() - cat.centreY();
    if (std::abs(dx) > std::abs(dy))
        return dx > 0 ? "right" : "left";
    return dy > 0 ? "down" : "up";
}

// Status text pixels: the black letters and their cyan fringe, in the lower
// left of the window (the text's own edges are blended, so near enough).
bool blackText(sf::Color c) { return c.r < 80 && c.g < 80 && c.b < 80; }
bool cyanText(sf::Color c) { return c.r < 80 && c.g > 170 && c.b > 170; }
constexpr int milkRowsTop = 364;
constexpr int cupRowsTop = 384;

Box textIn(const Screenshot& s, bool (*kind)(sf::Color), int top, int bottom)
{
    return s.boxWhere([kind](sf::Color c) { return kind(c); }, 0, top, 200, bottom);
}
bool milkLineShown(const Screenshot& s) { return !textIn(s, blackText, milkRowsTop, cupRowsTop).empty(); }
bool cupLineShown(const Screenshot& s) { return !textIn(s, blackText, cupRowsTop, 400).empty(); }

// A status line lies in its rows: black from one row below the top of its
// band, the cyan fringe exactly one row above the black and from x 0.
void expectLineInRows(const Screenshot& s, int bandTop, int bandBottom, const char* line)
{
    SCOPED_TRACE(line);
    const Box blackLetters = textIn(s, blackText, bandTop, bandBottom);
    const Box fringe = textIn(s, cyanText, bandTop, bandBottom);
    ASSERT_FALSE(blackLetters.empty());
    ASSERT_FALSE(fringe.empty());
    EXPECT_GT(blackLetters.top, bandTop);
    EXPECT_EQ(fringe.top, blackLetters.top - 1);
    EXPECT_EQ(fringe.left, 0);
    EXPECT_LT(blackLetters.right, 150);
}

class GameWindow : public testing::Test {
protected:
    GameUnderX game;

    // Starts the game and waits for its window.
    void launch()
    {
        game.startServer();
        game.startGame();
        ASSERT_TRUE(game.findWindow()) << game.gameOutput();
    }

    // Holds a key until the screen passes the test, then lets it go.
    Screenshot holdUntil(const std::string& key, const std::function<bool(const Screenshot&)>& test,
                         double seconds = 10)
    {
        game.keyDown(key);
        Screenshot seen = game.waitFor(test, seconds);
        game.keyUp(key);
        return seen;
    }

    void startPlaying()
    {
        ASSERT_TRUE(holdUntil("space", showsKitchen).valid()) << "Space did not start play";
    }

    // Runs right from the start into hazard zone 9.
    void playIntoHazardNine()
    {
        ASSERT_NO_FATAL_FAILURE(startPlaying());
        ASSERT_TRUE(holdUntil("Right", [](const Screenshot& s) { return showsEnd(s, 9); }).valid())
            << "holding Right did not end on 9.png";
    }

    // From the start: a little left, then up into the milk. Returns the first
    // screen that showed the milk line; the cat stops well inside the milk.
    Screenshot fetchMilk()
    {
        holdUntil("Left", [](const Screenshot& s) { return catBox(s).centreX() < 90; });
        game.keyDown("Up");
        const Screenshot first = game.waitFor(milkLineShown);
        game.waitFor([](const Screenshot& s) { return catBox(s).centreY() < 115; });
        game.keyUp("Up");
        return first;
    }
};

TEST_F(GameWindow, OpensTitledWindowShowingTheTitleAtItsOwnSize)
{
    writeFixture(game);
    launch();
    EXPECT_EQ(game.windowName(), "Kitrovane");
    EXPECT_EQ(game.windowSize(), std::make_pair(400, 400));
    const Screenshot title = game.waitFor(showsTitle, 5);
    ASSERT_TRUE(title.valid()) << "no frame showed the 300x200 title on black at the top-left";
    EXPECT_EQ(title.width, 400);
    EXPECT_EQ(title.height, 400);
}

TEST_F(GameWindow, SpaceStartsPlayWithTheKitchenDoubledAndTheCatAtItsStart)
{
    writeFixture(game);
    launch();
    ASSERT_TRUE(game.waitFor(showsTitle).valid());
    ASSERT_NO_FATAL_FAILURE(startPlaying());
    const Screenshot play = game.shot();

    // The 10-pixel marker at picture (50, 50) covers window (100..120, 100..120).
    EXPECT_TRUE(play.filled(100, 100, 120, 120, markerColour));
    EXPECT_EQ(play.at(99, 110), kitchenColour);
    EXPECT_EQ(play.at(120, 110), kitchenColour);
    EXPECT_EQ(play.at(110, 99), kitchenColour);
    EXPECT_EQ(play.at(110, 120), kitchenColour);

    // The 12x20 cat doubled, its picture point (6, 10) at (100, 300).
    const Box cat = catBox(play);
    EXPECT_EQ(cat.left, 88);
    EXPECT_EQ(cat.right, 111);
    EXPECT_EQ(cat.top, 280);
    EXPECT_EQ(cat.bottom, 319);
    EXPECT_EQ(heading(play), "up");
    EXPECT_FALSE(milkLineShown(play) || cupLineShown(play));
}

enum class Screen { title, play, end };
enum class Quit { escape, closeButton };

struct QuitCase {
    Screen screen;
    Quit quit;
};

std::ostream& operator<<(std::ostream& out, const QuitCase& c)
{
    const char* screens[] = {"title", "play", "end"};
    return out << (c.quit == Quit::escape ? "Escape on " : "close button on ")
               << screens[static_cast<int>(c.screen)];
}

class Quitting : public GameWindow, public testing::WithParamInterface<QuitCase> {};

TEST_P(Quitting, EndsTheGameWithStatusZero)
{
    writeFixture(game);
    launch();
    ASSERT_TRUE(game.waitFor(showsTitle).valid());
    if (GetParam().screen == Screen::play) {
        ASSERT_NO_FATAL_FAILURE(startPlaying());
    }
    if (GetParam().screen == Screen::end) {
        ASSERT_NO_FATAL_FAILURE(playIntoHazardNine());  // 9.png, whole, after the smaller title
    }

    if (GetParam().quit == Quit::escape)
        game.keyDown("Escape");
    else
        game.sendCloseRequest();
    EXPECT_EQ(game.waitForExit(5), 0) << game.gameOutput();
}

INSTANTIATE_TEST_SUITE_P(FromEachScreen, Quitting,
                         testing::Values(QuitCase{Screen::title, Quit::escape}, QuitCase{Screen::play, Quit::escape},
                                         QuitCase{Screen::end, Quit::escape},
                                         QuitCase{Screen::title, Quit::closeButton},
                                         QuitCase{Screen::play, Quit::closeButton},
                                         QuitCase{Screen::end, Quit::closeButton}));

TEST_F(GameWindow, RunsInADirectoryWithNoneOfItsFiles)
{
    launch();
    EXPECT_EQ(game.windowName(), "Kitrovane");
    EXPECT_EQ(game.windowSize(), std::make_pair(400, 400));
    EXPECT_TRUE(game.waitFor([](const Screenshot& s) { return s.filled(0, 0, 400, 400, black); }).valid());
    game.keyDown("space");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    game.keyUp("space");
    EXPECT_FALSE(game.waitForExit(0.5)) << "the game stopped on its own";
    game.keyDown("Escape");
    EXPECT_EQ(game.waitForExit(5), 0) << game.gameOutput();
}

TEST_F(GameWindow, TitlePictureReplacedOnDiskShowsAtOnce)
{
    writeFixture(game);
    launch();
    ASSERT_TRUE(game.waitFor(showsTitle).valid());

    const sf::Color newTitle(20, 200, 90);
    writePicture(game.path("new-title.png"), 400, 400, newTitle);
    std::filesystem::rename(game.path("new-title.png"), game.path("o.png"));
    EXPECT_TRUE(game.waitFor([&](const Screenshot& s) { return s.filled(0, 0, 400, 400, newTitle); }, 2).valid());
}

TEST_F(GameWindow, EndPictureShowsWholeAfterAStartWithoutTitlePicture)
{
    writeFixture(game, false);
    launch();
    ASSERT_TRUE(game.waitFor([](const Screenshot& s) { return s.filled(0, 0, 400, 400, black); }).valid());
    ASSERT_NO_FATAL_FAILURE(playIntoHazardNine());
}

TEST_F(GameWindow, WinningRunShowsEachItemFromItsPickupAndEndsOnTheWinPicture)
{
    writeFixture(game);
    launch();
    ASSERT_NO_FATAL_FAILURE(startPlaying());

    const Screenshot milk = fetchMilk();
    ASSERT_TRUE(milk.valid()) << "the milk line never showed";
    const Box catAtMilk = catBox(milk);
    EXPECT_LT(catAtMilk.centreX(), 100.5);
    EXPECT_LT(catAtMilk.centreY(), 130.5) << "the milk line showed before the cat reached the milk";
    expectLineInRows(milk, milkRowsTop, cupRowsTop, "milk line");
    EXPECT_FALSE(cupLineShown(milk));

    // Right along the row below the shelves, to the wall; then up into the cup.
    holdUntil("Right", [](const Screenshot& s) { return catBox(s).centreX() > 349; });
    const Screenshot cup = holdUntil("Up", cupLineShown);
    ASSERT_TRUE(cup.valid()) << "the cup line never showed";
    EXPECT_LT(catBox(cup).centreY(), 100.5) << "the cup line showed before the cat reached the cup";
    expectLineInRows(cup, milkRowsTop, cupRowsTop, "milk line, beside the cup");
    expectLineInRows(cup, cupRowsTop, 400, "cup line");

    // Back down clear of the shelves, left to above the bowl, down into it.
    holdUntil("Down", [](const Screenshot& s) { return catBox(s).centreY() > 106; });
    holdUntil("Left", [](const Screenshot& s) { return catBox(s).centreX() < 190; });
    EXPECT_TRUE(holdUntil("Down", [](const Screenshot& s) { return showsEnd(s, 100); }).valid())
        << "no win picture";
}

TEST_F(GameWindow, NextAttemptStartsAtTheStartWithoutItemsKeepingItsHeading)
{
    writeFixture(game);
    launch();
    ASSERT_NO_FATAL_FAILURE(startPlaying());
    ASSERT_TRUE(fetchMilk().valid());
    holdUntil("Right", [](const Screenshot& s) { return catBox(s).centreX() > 349; });
    ASSERT_TRUE(holdUntil("Down", [](const Screenshot& s) { return showsEnd(s, 1); }).valid())
        << "moving down from the milk's row at the right wall should hit hazard zone 1";

    // Space, Space: the held Space may carry the new title's first frame
    // straight on into play, so press again only if the title is still up.
    const Screenshot next = holdUntil("space", [](const Screenshot& s) { return showsTitle(s) || showsKitchen(s); });
    ASSERT_TRUE(next.valid());
    if (!showsKitchen(next)) {
        ASSERT_NO_FATAL_FAILURE(startPlaying());
    }

    const Screenshot play = game.shot();
    const Box cat = catBox(play);
    EXPECT_NEAR(cat.centreX(), 100, 1);
    EXPECT_NEAR(cat.centreY(), 300, 1);
    EXPECT_EQ(heading(play), "down");
    EXPECT_FALSE(milkLineShown(play) || cupLineShown(play));
}

// When the window cannot be had the game must not spin with nothing to show:
// it ends with status 1.
TEST_F(GameWindow, WindowThatNeverOpensEndsTheGameWithStatusOne)
{
    writeFixture(game);
    game.startServer();
    const auto start = std::chrono::steady_clock::now();
    game.startGame({std::string("LD_PRELOAD=") + WINDOW_NEVER_OPENS_LIBRARY});
    EXPECT_EQ(game.waitForExit(10), 1) << game.gameOutput();
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5);
}

}  // namespace
