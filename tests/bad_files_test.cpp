// Every file the game reads, damaged in every way we expect to meet: the
// game must still open, go through the title, play and end screens, and
// quit with status 0 on Escape. Each case damages one group of files and
// leaves the others as flat-coloured fixtures, so the screens that still
// have good pictures show that the game really got there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include <SFML/Graphics/Image.hpp>

#include "window_harness.h"

namespace {

namespace fs = std::filesystem;

const sf::Color titleColour(200, 40, 40);
const sf::Color kitchenColour(200, 120, 40);
const sf::Color catColour(255, 0, 255);
const sf::Color endColour(30, 160, 160);
const sf::Color damagedColour(90, 200, 90);

const char* const endPictures[] = {"1.png", "2.png", "3.png", "4.png",  "5.png",  "6.png",
                                   "7.png", "8.png", "9.png", "10.png", "11.png", "100.png"};

enum class Kind { picture, font };

// A picture under a name of any ending (SFML picks the format by the
// ending, so it is written as .png first).
void writePictureAs(const std::string& path)
{
    writePicture(path + ".png", 64, 64, damagedColour);
    fs::rename(path + ".png", path);
}

// A good file of the kind, written at scratch, and its bytes.
std::string goodContents(Kind kind, const std::string& scratch)
{
    if (kind == Kind::picture)
        writePictureAs(scratch);
    else
        fs::copy_file(TEST_FONT, scratch, fs::copy_options::overwrite_existing);
    std::ifstream file(scratch, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A 10000 by 10000 picture takes seconds to encode: made once per run of
// the tests, copied where needed, and removed at exit.
char hugePicturePath[64];

const char* hugePicture()
{
    if (!*hugePicturePath) {
        std::snprintf(hugePicturePath, sizeof hugePicturePath, "/tmp/kitrovane-huge-%d.png", static_cast<int>(getpid()));
        writePicture(hugePicturePath, 10000, 10000, damagedColour);
        std::atexit([] { std::remove(hugePicturePath); });
    }
    return hugePicturePath;
}

using Damage = void (*)(const std::string& path, Kind kind);

struct DamageKind {
    const char* name;
    Damage apply;
};

const DamageKind damageKinds[] = {
    {"missing", [](const std::string&, Kind) {}},
    {"empty", [](const std::string& path, Kind) { writeBytes(path, ""); }},
    // The first half of a good file: the header promises more than is there.
    {"truncated",
     [](const std::string& path, Kind kind) {
         const std::string good = goodContents(kind, path + ".good");
         fs::remove(path + ".good");
         writeBytes(path, good.substr(0, good.size() / 2));
     }},
    {"random_bytes",
     [](const std::string& path, Kind) {
         std::mt19937 bytes(std::hash<std::string>()(path));
         std::string noise(4096, '\0');
         for (char& byte : noise)
             byte = static_cast<char>(bytes());
         writeBytes(path, noise);
     }},
    {"directory", [](const std::string& path, Kind) { fs::create_directory(path); }},
    // Pictures: 65536 pixels wide, more than any OpenGL texture may be (the
    // software renderer allows 16384), though quick to decode. The font: a
    // sparse file of 5 GiB, past any 32-bit size.
    {"beyond_limits",
     [](const std::string& path, Kind kind) {
         if (kind == Kind::picture) {
             writePicture(path, 65536, 2, damagedColour);
         } else {
             writeBytes(path, "");
             fs::resize_file(path, 5ull << 30);
         }
     }},
    // Pictures: 10000 by 10000, within the limit, so the screens decode and
    // upload all of it every frame. The font: a good one padded to 64 MiB.
    {"very_large",
     [](const std::string& path, Kind kind) {
         if (kind == Kind::picture) {
             fs::copy_file(hugePicture(), path);
         } else {
             goodContents(kind, path);
             fs::resize_file(path, 64u << 20);
         }
     }},
    // Pictures: a BMP under the .png name (the loader goes by content, so it
    // may well show). The font: a PNG under the .ttf name.
    {"other_format",
     [](const std::string& path, Kind kind) {
         if (kind == Kind::picture) {
             sf::Image image;
             image.create(64, 64, damagedColour);
             ASSERT_TRUE(image.saveToFile(path + ".bmp"));
             fs::rename(path + ".bmp", path);
         } else {
             writePictureAs(path);
         }
     }},
};

// Which files a case damages: those read once at start-up, or the pictures
// read every frame by the title and end screens.
enum class Group { startUp, screens };

struct BadFilesCase {
    DamageKind damage;
    Group group;
};

void PrintTo(const BadFilesCase& badFiles, std::ostream* out)
{
    *out << badFiles.damage.name << (badFiles.group == Group::startUp ? " start-up files" : " screen pictures");
}

std::string caseName(const testing::TestParamInfo<BadFilesCase>& info)
{
    return std::string(info.param.damage.name) + (info.param.group == Group::startUp ? "_start_up_files" : "_screen_pictures");
}

bool showsTitle(const Screenshot& s) { return s.filled(0, 0, 300, 200, titleColour); }
bool showsKitchen(const Screenshot& s)
{
    return s.at(0, 0) == kitchenColour && s.at(399, 0) == kitchenColour && s.at(399, 399) == kitchenColour;
}
bool showsEnd(const Screenshot& s) { return s.filled(0, 0, 400, 400, endColour); }

class BadFiles : public testing::TestWithParam<BadFilesCase> {
protected:
    GameUnderX game;

    void writeFixture(Group damaged)
    {
        const DamageKind& damage = GetParam().damage;
        if (damaged == Group::startUp) {
            damage.apply(game.path("kitchen.png"), Kind::picture);
            damage.apply(game.path("cat.png"), Kind::picture);
            damage.apply(game.path("a.ttf"), Kind::font);
            writePicture(game.path("o.png"), 300, 200, titleColour);
            for (const char* name : endPictures)
                writePicture(game.path(name), 400, 400, endColour);
        } else {
            writePicture(game.path("kitchen.png"), 200, 200, kitchenColour);
            writePicture(game.path("cat.png"), 12, 20, catColour);
            fs::copy_file(TEST_FONT, game.path("a.ttf"));
            // Made once and copied: a huge picture takes a while to encode.
            damage.apply(game.path("o.png"), Kind::picture);
            for (const char* name : endPictures) {
                if (fs::is_regular_file(game.path("o.png")))
                    fs::copy_file(game.path("o.png"), game.path(name));
                else
                    damage.apply(game.path(name), Kind::picture);
            }
        }
    }

    // Holds a key until the screen passes the test (the game may take its
    // time over a huge picture, so allow for it), then lets it go.
    bool holdUntil(const std::string& key, const std::function<bool(const Screenshot&)>& test, double seconds)
    {
        game.keyDown(key);
        const bool seen = game.waitFor(test, seconds).valid();
        game.keyUp(key);
        return seen;
    }
};

TEST_P(BadFiles, GameRunsThroughEveryScreenAndQuitsCleanly)
{
    const Group group = GetParam().group;
    writeFixture(group);
    game.startServer();
    game.startGame();
    ASSERT_TRUE(game.findWindow(30)) << "no window\n" << game.gameOutput();
    ASSERT_EQ(game.windowName(), "Kitrovane");

    if (group == Group::startUp) {
        // Good title and end pictures: the title shows, Space leaves it, and
        // only a play phase that ran into the wall on the right brings up
        // the end picture.
        ASSERT_TRUE(game.waitFor(showsTitle, 30).valid()) << "title not shown\n" << game.gameOutput();
        ASSERT_TRUE(holdUntil("space", [](const Screenshot& s) { return !showsTitle(s); }, 30))
            << "Space did not leave the title\n" << game.gameOutput();
        ASSERT_TRUE(holdUntil("Right", showsEnd, 40)) << "no end screen\n" << game.gameOutput();
    } else {
        // Good kitchen: Space from the title brings it up, and Right until
        // it goes away again ends the play phase.
        ASSERT_TRUE(holdUntil("space", showsKitchen, 60)) << "play never began\n" << game.gameOutput();
        ASSERT_TRUE(holdUntil("Right", [](const Screenshot& s) { return !showsKitchen(s); }, 60))
            << "no end screen\n" << game.gameOutput();
    }

    // Escape counts while it is held as the game drains its events, which
    // a slow frame may put off for a while.
    game.keyDown("Escape");
    const std::optional<int> status = game.waitForExit(60);
    game.keyUp("Escape");
    ASSERT_TRUE(status.has_value()) << "still running after Escape\n" << game.gameOutput();
    EXPECT_EQ(*status, 0) << game.gameOutput();
    EXPECT_EQ(game.gameOutput().find("runtime error"), std::string::npos) << game.gameOutput();
}

std::vector<BadFilesCase> allCases()
{
    std::vector<BadFilesCase> cases;
    for (const DamageKind& damage : damageKinds)
        for (Group group : {Group::startUp, Group::screens})
            cases.push_back({damage, group});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryDamage, BadFiles, testing::ValuesIn(allCases()), caseName);

}  // namespace
