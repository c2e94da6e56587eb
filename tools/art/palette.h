// The colours of every picture, and the letters the sprite grids use for
// them. One warm palette for the kitchen, the cat and the screens keeps
// them looking like one game.
#pragma once

#include <map>

#include "canvas.h"

namespace colour {
constexpr Rgba none{0, 0, 0, 0};
constexpr Rgba ink = rgb(0x2b1e2e);        // outlines
constexpr Rgba plum = rgb(0x4f3a52);
constexpr Rgba grey = rgb(0x857a86);
constexpr Rgba silver = rgb(0xb9b3b6);
constexpr Rgba white = rgb(0xfbf7ee);
constexpr Rgba cream = rgb(0xf1e6cf);      // floor
constexpr Rgba tile = rgb(0xe6d6b8);       // floor, the other tiles
constexpr Rgba grout = rgb(0xdac8a6);
constexpr Rgba wall = rgb(0xd9c7a5);
constexpr Rgba wallLight = rgb(0xe6d8bb);
constexpr Rgba wallDark = rgb(0xb59d77);
constexpr Rgba wood = rgb(0xb0743f);
constexpr Rgba woodDark = rgb(0x7d4d2c);
constexpr Rgba woodLight = rgb(0xd29b5f);
constexpr Rgba red = rgb(0xd8443a);
constexpr Rgba redDark = rgb(0x992d33);
constexpr Rgba orange = rgb(0xf08c35);
constexpr Rgba yellow = rgb(0xf7cf4f);
constexpr Rgba paleYellow = rgb(0xfbe9a0);
constexpr Rgba green = rgb(0x5aa14f);
constexpr Rgba greenDark = rgb(0x356b3e);
constexpr Rgba greenLight = rgb(0x9fd06a);
constexpr Rgba blue = rgb(0x4a82c6);
constexpr Rgba blueDark = rgb(0x2c4f8a);
constexpr Rgba blueLight = rgb(0x8fc6ec);
constexpr Rgba water = rgb(0x66addb);
constexpr Rgba pink = rgb(0xf19aa7);
constexpr Rgba rose = rgb(0xc75d7b);
constexpr Rgba catOrange = rgb(0xe9933b);
constexpr Rgba catDark = rgb(0xb8622b);
constexpr Rgba catLight = rgb(0xf8c989);
constexpr Rgba dog = rgb(0xb58152);
constexpr Rgba dogDark = rgb(0x7f5637);
constexpr Rgba steel = rgb(0x9aa4b0);
constexpr Rgba steelDark = rgb(0x626c7a);
constexpr Rgba steelLight = rgb(0xd5dbe1);
constexpr Rgba night = rgb(0x2a2540);      // the title's and end pictures' frame
constexpr Rgba nightLight = rgb(0x3c3658);
}  // namespace colour

// The letters of the sprite grids.
inline const std::map<char, Rgba>& gridLegend()
{
    static const std::map<char, Rgba> legend = {
        {'.', colour::none},       {'k', colour::ink},       {'d', colour::plum},
        {'g', colour::grey},       {'s', colour::silver},    {'w', colour::white},
        {'o', colour::catOrange},  {'O', colour::catDark},   {'y', colour::catLight},
        {'p', colour::pink},       {'r', colour::red},       {'R', colour::redDark},
        {'e', colour::yellow},     {'G', colour::green},     {'b', colour::blue},
        {'B', colour::blueDark},   {'l', colour::blueLight}, {'n', colour::dog},
        {'N', colour::dogDark},    {'c', colour::cream},     {'x', colour::steel},
    };
    return legend;
}
