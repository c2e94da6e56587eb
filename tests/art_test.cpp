// The art: the palette PNG writer, the sprite grids, and the pictures in
// assets/ and docs/ as committed: each at its size, indexed, and exactly
// what the art tool draws today from the game's own zone table.
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include "canvas.h"
#include "kitchen.h"
#include "png_palette.h"

namespace fs = std::filesystem;

namespace {

const std::string sourceDir = KITROVANE_SOURCE_DIR;

std::vector<std::uint8_t> readBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

sf::Image decode(const std::vector<std::uint8_t>& bytes)
{
    sf::Image image;
    EXPECT_TRUE(image.loadFromMemory(bytes.data(), bytes.size()));
    return image;
}

// Bit depth and colour type from the PNG header.
int bitDepth(const std::vector<std::uint8_t>& png) { return png.size() > 25 ? png[24] : -1; }
int colourType(const std::vector<std::uint8_t>& png) { return png.size() > 25 ? png[25] : -1; }

struct TempDir {
    fs::path path;
    TempDir()
    {
        char pattern[] = "/tmp/art_test.XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempDir() { fs::remove_all(path); }
};

}  // namespace

// ---- The palette PNG writer --------------------------------------------------

// A picture of n distinct colours, the first fully transparent and the
// second half see-through, in a size that leaves part-filled bytes at the
// end of each row for the small bit depths.
std::vector<Rgba> coloursPicture(unsigned n, unsigned width, unsigned height)
{
    std::vector<Rgba> pixels(std::size_t(width) * height);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const unsigned k = unsigned(i % n);
        pixels[i] = {std::uint8_t(k), std::uint8_t(255 - k), std::uint8_t(k * 7), std::uint8_t(255)};
        if (k == 0)
            pixels[i].a = 0;
        if (k == 1)
            pixels[i].a = 128;
    }
    return pixels;
}

struct DepthCase {
    unsigned colours;
    int depth;
};

void PrintTo(const DepthCase& c, std::ostream* out) { *out << c.colours << " colours"; }

class PaletteDepth : public testing::TestWithParam<DepthCase> {};

TEST_P(PaletteDepth, RoundTripsThroughTheGamesDecoderAtTheSmallestDepth)
{
    const unsigned width = 13, height = 7;
    const auto pixels = coloursPicture(GetParam().colours, width, height);
    const auto png = encodePalettePng(pixels, width, height);
    ASSERT_FALSE(png.empty());
    EXPECT_EQ(colourType(png), 3);
    EXPECT_EQ(bitDepth(png), GetParam().depth);
    const sf::Image image = decode(png);
    ASSERT_EQ(image.getSize(), sf::Vector2u(width, height));
    for (unsigned y = 0; y < height; ++y)
        for (unsigned x = 0; x < width; ++x) {
            const Rgba want = pixels[y * width + x];
            const sf::Color got = image.getPixel(x, y);
            ASSERT_EQ(got.a, want.a) << x << "," << y;
            if (want.a != 0) {
                ASSERT_EQ(sf::Color(want.r, want.g, want.b, want.a), got) << x << "," << y;
            }
        }
}

INSTANTIATE_TEST_SUITE_P(Art, PaletteDepth,
                         testing::Values(DepthCase{2, 1}, DepthCase{3, 2}, DepthCase{4, 2}, DepthCase{5, 4},
                                         DepthCase{16, 4}, DepthCase{17, 8}, DepthCase{256, 8}));

TEST(PaletteWriter, RefusesWhatAnIndexedPictureCannotHold)
{
    EXPECT_TRUE(encodePalettePng(coloursPicture(257, 20, 20), 20, 20).empty());
    EXPECT_TRUE(encodePalettePng(coloursPicture(4, 5, 5), 5, 4).empty());
    EXPECT_TRUE(encodePalettePng({}, 0, 0).empty());
}

TEST(PaletteWriter, SamePixelsSameBytesWhereverAColourFirstAppears)
{
    // The palette is sorted, so the same set of colours gives the same
    // palette: mirrored pictures differ only in their pixel rows.
    std::vector<Rgba> a = coloursPicture(6, 6, 1), b(a.rbegin(), a.rend());
    const auto pa = encodePalettePng(a, 6, 1), pb = encodePalettePng(b, 6, 1);
    ASSERT_FALSE(pa.empty());
    const std::size_t plte = 8 + 25;  // signature, then the 25-byte header chunk
    EXPECT_TRUE(std::equal(pa.begin() + plte, pa.begin() + plte + 8 + 18, pb.begin() + plte));
}

// ---- Sprite grids ------------------------------------------------------------

TEST(SpriteGrid, RejectsUnevenRowsAndUnknownLetters)
{
    TempDir dir;
    const std::map<char, Rgba> legend = {{'.', Rgba{}}, {'k', Rgba{0, 0, 0, 255}}};
    auto write = [&](const std::string& text) {
        const std::string path = (dir.path / "grid.txt").string();
        std::ofstream(path) << text;
        return path;
    };
    const Canvas ok = loadGrid(write("# a comment\n.k.\nk.k\n"), legend);
    EXPECT_EQ(ok.width, 3);
    EXPECT_EQ(ok.height, 2);
    EXPECT_EQ(ok.at(1, 0).a, 255);
    EXPECT_EQ(ok.at(0, 0).a, 0);
    EXPECT_THROW(loadGrid(write(".k.\nkk\n"), legend), std::runtime_error);
    EXPECT_THROW(loadGrid(write(".k.\nkzk\n"), legend), std::runtime_error);
    EXPECT_THROW(loadGrid(write("# only a comment\n"), legend), std::runtime_error);
    EXPECT_THROW(loadGrid((dir.path / "missing.txt").string(), legend), std::runtime_error);
}

// ---- The committed pictures ----------------------------------------------------

struct Picture {
    const char* path;  // from the project's root
    unsigned width, height;
};

const Picture pictures[] = {
    {"assets/kitchen.png", 200, 200}, {"assets/cat.png", 12, 20},  {"assets/o.png", 400, 400},
    {"assets/1.png", 400, 400},       {"assets/2.png", 400, 400},  {"assets/3.png", 400, 400},
    {"assets/4.png", 400, 400},       {"assets/5.png", 400, 400},  {"assets/6.png", 400, 400},
    {"assets/7.png", 400, 400},       {"assets/8.png", 400, 400},  {"assets/9.png", 400, 400},
    {"assets/10.png", 400, 400},      {"assets/11.png", 400, 400}, {"assets/100.png", 400, 400},
    {"docs/zone-map.png", 400, 570},
};

void PrintTo(const Picture& p, std::ostream* out) { *out << p.path; }

class CommittedPicture : public testing::TestWithParam<Picture> {};

TEST_P(CommittedPicture, IsIndexedAtItsSize)
{
    const auto png = readBytes(sourceDir + "/" + GetParam().path);
    ASSERT_FALSE(png.empty()) << GetParam().path;
    EXPECT_EQ(colourType(png), 3);
    EXPECT_EQ(decode(png).getSize(), sf::Vector2u(GetParam().width, GetParam().height));
}

INSTANTIATE_TEST_SUITE_P(Art, CommittedPicture, testing::ValuesIn(pictures), [](const auto& test) {
    std::string name = fs::path(test.param.path).stem().string();
    return (std::isdigit(static_cast<unsigned char>(name[0])) ? "end" : "") + name.substr(0, name.find('-'));
});

// Regenerating must give exactly the pictures in the tree: the art is the
// tool's output and nothing else, and the tool still draws it from the
// current zone table.
TEST(ArtTool, RedrawsEveryCommittedPicturePixelForPixel)
{
    TempDir dir;
    const std::string command = std::string(ART_TOOL) + " " + sourceDir + " " + dir.path.string() + " " +
                                (dir.path / "zone-map.png").string();
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    for (const Picture& p : pictures) {
        const fs::path name = fs::path(p.path).filename();
        const sf::Image committed = decode(readBytes(sourceDir + "/" + p.path));
        const sf::Image fresh = decode(readBytes((dir.path / name).string()));
        ASSERT_EQ(committed.getSize(), fresh.getSize()) << p.path;
        const auto size = committed.getSize();
        int differing = 0;
        for (unsigned y = 0; y < size.y; ++y)
            for (unsigned x = 0; x < size.x; ++x)
                differing += committed.getPixel(x, y) != fresh.getPixel(x, y);
        EXPECT_EQ(differing, 0) << p.path << " differs from what the tool draws: run `make art`";
    }
}

// ---- What the pictures must show ---------------------------------------------

class KitchenPicture : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(kitchen.loadFromFile(sourceDir + "/assets/kitchen.png")); }

    // Two neighbouring floor tiles where the cat starts, which is bare floor.
    bool isFloor(sf::Color c) const
    {
        const auto x = unsigned(catStartX / 2), y = unsigned(catStartY / 2);
        return c == kitchen.getPixel(x, y) || c == kitchen.getPixel(x + 10, y);
    }

    sf::Image kitchen;
};

TEST_F(KitchenPicture, EveryZoneIsCoveredByItsObject)
{
    for (const KitchenZone& zone : kitchenZones) {
        // Every picture pixel that a cat's centre inside the zone falls on.
        const auto left = unsigned(zone.bounds.left / 2), right = unsigned((zone.bounds.right + 1) / 2);
        const auto top = unsigned(zone.bounds.top / 2), bottom = unsigned((zone.bounds.bottom + 1) / 2);
        int floor = 0, all = 0;
        for (unsigned y = top; y < bottom; ++y)
            for (unsigned x = left; x < right; ++x) {
                floor += isFloor(kitchen.getPixel(x, y));
                ++all;
            }
        // A few floor pixels may show between the legs or round a bed.
        EXPECT_LT(floor * 4, all) << zone.name << ": " << floor << " of " << all << " pixels are bare floor";
    }
}

TEST_F(KitchenPicture, FloorTheCatCanReachOutsideEveryZoneIsBare)
{
    // Anything drawn there would look like a hazard, or an item, and do
    // nothing. A sparkle or spark may stray a few pixels from its object.
    constexpr float stray = 3;
    const float minX = catMoves[2].bound - 1.5f, maxX = catMoves[3].bound + 0.5f;
    const float minY = catMoves[0].bound - 0.5f, maxY = catMoves[1].bound + 1.0f;
    for (unsigned y = 0; y < 200; ++y)
        for (unsigned x = 0; x < 200; ++x) {
            const float wx = 2.0f * float(x) + 1, wy = 2.0f * float(y) + 1;  // the pixel's middle, in window pixels
            if (wx < minX || wx > maxX || wy < minY || wy > maxY)
                continue;
            bool nearZone = false;
            for (const KitchenZone& zone : kitchenZones) {
                const ZoneBounds& b = zone.bounds;
                nearZone = nearZone || (wx > b.left - 2 * stray && wx < b.right + 2 * stray &&
                                        wy > b.top - 2 * stray && wy < b.bottom + 2 * stray);
            }
            if (!nearZone) {
                ASSERT_TRUE(isFloor(kitchen.getPixel(x, y))) << "something drawn at picture " << x << "," << y;
            }
        }
}

TEST_F(KitchenPicture, StatusCornerIsLightEnoughForBlackText)
{
    // The status lines sit at window x 0..130, y 364..400: picture x 0..65, y 182..200.
    for (unsigned y = 182; y < 200; ++y)
        for (unsigned x = 0; x < 65; ++x) {
            const sf::Color c = kitchen.getPixel(x, y);
            const int luma = (299 * c.r + 587 * c.g + 114 * c.b) / 1000;
            ASSERT_GE(luma, 140) << "dark pixel at " << x << "," << y;
        }
}

TEST(CatPicture, StandsOnATransparentGroundAndTurnsAboutItsMiddle)
{
    sf::Image cat;
    ASSERT_TRUE(cat.loadFromFile(sourceDir + "/assets/cat.png"));
    const auto size = cat.getSize();
    EXPECT_EQ(cat.getPixel(0, 0).a, 0);
    EXPECT_EQ(cat.getPixel(size.x - 1, size.y - 1).a, 0);
    // The game turns it about the corner point (6, 10): the four pixels
    // round it are the cat's body, and the cat is as wide on each side.
    for (unsigned y : {9u, 10u})
        for (unsigned x : {5u, 6u})
            EXPECT_EQ(cat.getPixel(x, y).a, 255) << x << "," << y;
    for (unsigned y = 0; y < size.y; ++y)
        for (unsigned x = 0; x < 6; ++x)
            EXPECT_EQ(cat.getPixel(x, y).a, cat.getPixel(11 - x, y).a) << x << "," << y;
}
