// Draws every picture of the game into a folder:
//   kitrovane_art SOURCE_DIR ASSETS_DIR [ZONE_MAP_PNG]
//   kitrovane_art --preview GRID_TXT OUT_PNG
// SOURCE_DIR is the project's root (for the sprite grids and the font).
#include <cstdio>
#include <exception>
#include <string>

#include "kitchen_art.h"
#include "palette.h"
#include "screens.h"

namespace {
void save(const Canvas& c, const std::string& path)
{
    const auto bytes = encodePalettePng(c.pixels, unsigned(c.width), unsigned(c.height));
    if (bytes.empty())
        throw std::runtime_error(path + ": more than 256 colours");
    if (!writeFile(path, bytes))
        throw std::runtime_error("cannot write " + path);
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SOURCE_DIR ASSETS_DIR [ZONE_MAP_PNG]\n", argv[0]);
        return 2;
    }
    const std::string source = argv[1], out = argv[2];
    try {
        // A sprite grid alone, eight times its size, to look at while drawing it.
        if (source == "--preview") {
            save(scaled(loadGrid(out, gridLegend()), 8), argv[3]);
            return 0;
        }
        openFont(source + "/assets/a.ttf");
        const std::string sprites = source + "/tools/art/sprites/";
        setSpriteFolder(sprites);
        save(sprite("cat_top"), out + "/cat.png");
        const Canvas kitchen = drawKitchen();
        save(kitchen, out + "/kitchen.png");
        if (argc > 3)
            save(drawZoneMap(kitchen), argv[3]);
        for (const Screen& screen : drawScreens())
            save(screen.picture, out + "/" + screen.file);
        closeFont();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kitrovane_art: %s\n", e.what());
        return 1;
    }
    return 0;
}
