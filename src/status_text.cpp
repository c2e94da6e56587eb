#include "status_text.h"

#include <locale>
#include <tuple>

#include "scene.h"

namespace {

// Each status line is drawn twice: a cyan copy one pixel up and left, then
// the black text over it, which leaves a thin cyan fringe on the black.
constexpr unsigned statusCharacterSize = 15;
constexpr int fringeOffset = 1;
constexpr int statusLineX = 0;

// Held-item flag, text, and the upper y of the line's cyan fringe. The cup
// line keeps its row even when there is no milk line.
constexpr std::tuple<const bool*, const char*, int> statusLines[] = {
    {&hasMilk, "You have milk", 364},
    {&hasCup, "You have a cup", 384},
};

}  // namespace

void drawText(const std::string& text, int x, int y, sf::Color colour, unsigned characterSize)
{
    statusText.setString(sf::String(text, std::locale()));
    statusText.setCharacterSize(characterSize);
    statusText.setFillColor(colour);
    statusText.setPosition(static_cast<float>(x), static_cast<float>(y));
    window.draw(statusText, sf::RenderStates::Default);
}

void drawNumber(double value, int x, int y, sf::Color colour, unsigned characterSize)
{
    drawText(shownNumberText(value), x, y, colour, characterSize);
}

void drawStatusLines()
{
    const sf::Color fringeColour(0, 255, 255, 255);
    const sf::Color textColour(0, 0, 0, 255);
    for (const auto& [shown, text, fringeY] : statusLines) {
        if (!*shown)
            continue;
        drawText(text, statusLineX - fringeOffset, fringeY, fringeColour, statusCharacterSize);
        drawText(text, statusLineX, fringeY + fringeOffset, textColour, statusCharacterSize);
    }
}
