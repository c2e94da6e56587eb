// The unpacked package, started the way a player starts it: its launcher,
// run from a working directory that holds none of the game's files, on a
// headless X server. The window must show the title picture the package
// ships, which the game can only find if the launcher took it to its data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <SFML/Graphics/Image.hpp>

#include "window_harness.h"

namespace {

const std::string dataDirectory = std::string(PACKAGE_ROOT) + "/usr/share/games/kitrovane";

// What the game shows for a pixel of the title: the picture drawn over the
// opaque black it clears to.
sf::Color overBlack(sf::Color c)
{
    const auto scaled = [&](sf::Uint8 v) { return static_cast<sf::Uint8>((v * c.a + 127) / 255); };
    return sf::Color(scaled(c.r), scaled(c.g), scaled(c.b));
}

bool near(sf::Color a, sf::Color b)
{
    // Blending and the 16-to-8-bit reduction of deep pictures may round
    // either way.
    constexpr int slack = 3;
    return std::abs(a.r - b.r) <= slack && std::abs(a.g - b.g) <= slack && std::abs(a.b - b.b) <= slack;
}

// How many pixels of the window differ from the title as the game draws it:
// the picture at its own size from the top-left corner, black elsewhere.
int pixelsOffTitle(const Screenshot& screen, const sf::Image& title)
{
    const sf::Vector2u size = title.getSize();
    int off = 0;
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x) {
            const bool inside = x < static_cast<int>(size.x) && y < static_cast<int>(size.y);
            const sf::Color expected = inside ? overBlack(title.getPixel(x, y)) : sf::Color::Black;
            off += near(screen.at(x, y), expected) ? 0 : 1;
        }
    return off;
}

TEST(PackageLaunch, LauncherFromElsewhereShowsTheShippedTitleAndQuits)
{
    sf::Image title;
    ASSERT_TRUE(title.loadFromFile(dataDirectory + "/o.png")) << "no readable o.png in the package";
    // A black title could not be told from a game that found no picture.
    bool anyVisible = false;
    for (unsigned y = 0; y < title.getSize().y && !anyVisible; ++y)
        for (unsigned x = 0; x < title.getSize().x && !anyVisible; ++x)
            anyVisible = overBlack(title.getPixel(x, y)) != sf::Color::Black;
    ASSERT_TRUE(anyVisible) << "the shipped title picture is all black; this test cannot see it";

    GameUnderX game;
    ASSERT_FALSE(std::filesystem::exists(game.path("o.png")));
    game.startServer();
    game.startGame();
    ASSERT_TRUE(game.findWindow()) << "no window; the game said: " << game.gameOutput();
    EXPECT_EQ(game.windowSize(), std::make_pair(400, 400));

    const Screenshot shown = game.waitFor([&](const Screenshot& s) { return pixelsOffTitle(s, title) == 0; });
    if (!shown.valid()) {
        const Screenshot last = game.shot();
        ADD_FAILURE() << "the title never showed: " << pixelsOffTitle(last, title) << " of "
                      << last.width * last.height << " pixels differ";
    }

    // The launcher execs the game, so the game's status is the launcher's.
    game.keyDown("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
    game.keyUp("Escape");
}

}  // namespace
