// The title picture and the end pictures, 400 x 400.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

struct Screen {
    std::string file;
    Canvas picture;
};

std::vector<Screen> drawScreens(const std::string& spriteFolder);
