// Draws the menu icon from the cat picture: the cat blown up by a whole
// factor with nearest-neighbour sampling, so its pixels stay crisp, and set
// in the middle of a transparent square canvas.
//
//   make_icon CAT.png ICON.png [SIZE]
//
// Only sf::Image is used: it needs no display, so this runs in any build.
// The same picture always gives the same bytes, which keeps the package
// reproducible.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <SFML/Graphics/Image.hpp>

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: %s CAT.png ICON.png [SIZE]\n", argv[0]);
        return 2;
    }
    const unsigned size = argc == 4 ? static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)) : 64;
    if (size == 0) {
        std::fprintf(stderr, "make_icon: bad size %s\n", argv[3]);
        return 2;
    }

    sf::Image cat;
    if (!cat.loadFromFile(argv[1])) {
        std::fprintf(stderr, "make_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    const sf::Vector2u catSize = cat.getSize();
    const unsigned longest = std::max(catSize.x, catSize.y);

    // Grow by the largest whole factor that fits; a cat larger than the icon
    // is shrunk by a whole divisor instead, taking every n-th pixel.
    const unsigned grow = std::max(1u, size / longest);
    const unsigned shrink = (longest + size - 1) / size;
    const unsigned width = catSize.x * grow / shrink;
    const unsigned height = catSize.y * grow / shrink;

    sf::Image icon;
    icon.create(size, size, sf::Color::Transparent);
    const unsigned left = (size - width) / 2;
    const unsigned top = (size - height) / 2;
    for (unsigned y = 0; y < height; ++y)
        for (unsigned x = 0; x < width; ++x)
            icon.setPixel(left + x, top + y, cat.getPixel(x * shrink / grow, y * shrink / grow));

    if (!icon.saveToFile(argv[2])) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
