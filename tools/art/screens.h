// The title picture and the end pictures, 400 x 400.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

struct Screen {
    std::string file;
    Canvas picture;
};

// Uses the sprite grids of setSpriteFolder (kitchen_art.h).
std::vector<Screen> drawScreens();
