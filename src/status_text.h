// Text on the play screen: everything goes through the one shared statusText.
#pragma once

#include <cmath>
#include <sstream>
#include <string>

#include <SFML/Graphics/Color.hpp>

void drawText(const std::string& text, int x, int y, sf::Color colour, unsigned characterSize);

// The value taken down (towards minus infinity) to two decimals, written as
// a default stream writes a double: at most six significant digits, exponent
// notation from a million on, "nan", "inf" and "-inf" as they are. Kept here,
// away from the window, so it can be tested without a display.
inline std::string shownNumberText(double value)
{
    const double hundredths = std::floor(value * 100.0);
    // Past about 1.8e306 the product overflows to infinity; such a value has
    // no fraction left to take down, so it shows as it is.
    const double shown = std::isinf(hundredths) && std::isfinite(value) ? value : hundredths / 100.0;
    std::stringstream stream;
    stream << shown;
    return stream.str();
}

void drawNumber(double value, int x, int y, sf::Color colour, unsigned characterSize);

// "You have milk" / "You have a cup" in the lower left, for the items held.
void drawStatusLines();
