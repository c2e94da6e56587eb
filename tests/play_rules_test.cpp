// The play rules as one frame's step, on a bare transformable: no window, no
// keyboard and no display (ctest runs this binary with DISPLAY unset).
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "kitchen.h"

namespace {

enum Key { none = 0, up = 1, down = 2, left = 4, right = 8 };

ArrowKeys keysFrom(int keys)
{
    return {(keys & up) != 0, (keys & down) != 0, (keys & left) != 0, (keys & right) != 0};
}

// A play phase at one position, run frame by frame like the game does.
struct Play {
    sf::Transformable cat;
    bool milk = false;
    bool cup = false;
    bool playing = true;
    std::int16_t outcome = 0;

    Play(float x, float y, float rotation = 45.0f)
    {
        cat.setPosition(x, y);
        cat.setRotation(rotation);  // 45 is no heading of the rules: shows whether one was set
    }
    void frame(int keys) { moveCatAndTestZones(keysFrom(keys), cat, milk, cup, playing, outcome); }
};

struct MoveCase {
    const char* what;
    float x, y;
    int keys;
    float expectedX, expectedY, expectedRotation;
};

std::ostream& operator<<(std::ostream& out, const MoveCase& c) { return out << c.what; }

class Movement : public testing::TestWithParam<MoveCase> {};

TEST_P(Movement, StepsOnlyInsideItsBoundAndTurnsOnlyWhenItMoves)
{
    const MoveCase& c = GetParam();
    Play play(c.x, c.y);
    play.frame(c.keys);
    EXPECT_EQ(play.cat.getPosition(), sf::Vector2f(c.expectedX, c.expectedY));
    EXPECT_EQ(play.cat.getRotation(), c.expectedRotation);
    EXPECT_TRUE(play.playing);
}

// Places chosen clear of every zone, so only the movement shows.
INSTANTIATE_TEST_SUITE_P(
    Bounds, Movement,
    testing::Values(MoveCase{"up blocked at y 50", 120, 50, up, 120, 50, 45},
                    MoveCase{"up from y 50.5 to 49", 120, 50.5f, up, 120, 49, 0},
                    MoveCase{"down blocked at y 350", 120, 350, down, 120, 350, 45},
                    MoveCase{"down from y 349.5 to 351", 120, 349.5f, down, 120, 351, 180},
                    MoveCase{"left blocked at x 50", 50, 240, left, 50, 240, 45},
                    MoveCase{"left from x 50.5 to 49", 50.5f, 240, left, 49, 240, 270},
                    MoveCase{"right blocked at x 350", 350, 110, right, 350, 110, 45},
                    MoveCase{"right blocked at x 350.5", 350.5f, 110, right, 350.5f, 110, 45},
                    MoveCase{"right from x 349 to 350.5", 349, 110, right, 350.5f, 110, 90},
                    MoveCase{"no key", 200, 250, none, 200, 250, 45}));

INSTANTIATE_TEST_SUITE_P(
    Priorities, Movement,
    testing::Values(MoveCase{"up beats down", 200, 250, up | down, 200, 248.5f, 0},
                    MoveCase{"up beats left", 200, 250, up | left, 200, 248.5f, 0},
                    MoveCase{"up beats right", 200, 250, up | right, 200, 248.5f, 0},
                    MoveCase{"down beats left", 200, 250, down | left, 200, 251.5f, 180},
                    MoveCase{"down beats right", 200, 250, down | right, 200, 251.5f, 180},
                    MoveCase{"left beats right", 200, 250, left | right, 198.5f, 250, 270},
                    MoveCase{"all four: up", 200, 250, up | down | left | right, 200, 248.5f, 0},
                    MoveCase{"blocked up holds down back", 120, 50, up | down, 120, 50, 45},
                    MoveCase{"blocked left holds right back", 50, 240, left | right, 50, 240, 45}));

// What a frame standing still at a point does, by what it should do.
enum class Effect { nothing, milk, cup, ends };

struct ZoneCase {
    std::string what;
    float x, y;
    bool milkBefore, cupBefore;
    Effect effect;
    std::int16_t outcome;  // when the attempt ends
};

std::ostream& operator<<(std::ostream& out, const ZoneCase& c) { return out << c.what; }

class Zones : public testing::TestWithParam<ZoneCase> {};

TEST_P(Zones, PointHasItsEffect)
{
    const ZoneCase& c = GetParam();
    Play play(c.x, c.y);
    play.milk = c.milkBefore;
    play.cup = c.cupBefore;
    play.frame(none);

    EXPECT_EQ(play.playing, c.effect != Effect::ends);
    EXPECT_EQ(play.outcome, c.effect == Effect::ends ? c.outcome : 0);
    EXPECT_EQ(play.milk, c.milkBefore || c.effect == Effect::milk);
    EXPECT_EQ(play.cup, c.cupBefore || c.effect == Effect::cup);
}

// Each rectangle written out here from the rules, independently of the
// game's table: its centre, a point half a pixel inside each edge, and each
// edge itself, which is outside.
struct Rectangle {
    const char* name;
    float left, right, top, bottom;
    bool milkBefore, cupBefore;
    Effect effect;
    std::int16_t outcome;
};

constexpr Rectangle rectangles[] = {
    {"hazard 1", 334, 352, 127, 157, false, false, Effect::ends, 1},
    {"hazard 2 empty-pawed", 158, 200, 165, 210, false, false, Effect::ends, 2},
    {"hazard 3", 49, 70, 145, 160, false, false, Effect::ends, 3},
    {"hazard 4", 49, 82, 165, 195, false, false, Effect::ends, 4},
    {"hazard 5", 50, 100, 50, 60, false, false, Effect::ends, 5},
    {"hazard 6", 137, 185, 50, 87, false, false, Effect::ends, 6},
    {"hazard 7", 190, 260, 49, 85, false, false, Effect::ends, 7},
    {"hazard 8", 250, 275, 175, 220, false, false, Effect::ends, 8},
    {"hazard 9", 335, 352, 196, 335, false, false, Effect::ends, 9},
    {"hazard 10", 257, 319, 327, 352, false, false, Effect::ends, 10},
    {"hazard 11 shares code 3", 181, 200, 350, 353, false, false, Effect::ends, 3},
    {"hazard 12 has code 11", 268, 300, 48, 60, false, false, Effect::ends, 11},
    {"milk", 49, 100, 85, 130, false, false, Effect::milk, 0},
    {"cup", 334, 352, 81, 100, false, false, Effect::cup, 0},
    {"goal with both items", 158, 200, 165, 210, true, true, Effect::ends, 100},
};

std::vector<ZoneCase> edgeCases()
{
    std::vector<ZoneCase> cases;
    for (const Rectangle& r : rectangles) {
        const float midX = (r.left + r.right) / 2;
        const float midY = (r.top + r.bottom) / 2;
        const struct {
            const char* where;
            float x, y;
            bool inside;
        } points[] = {
            {"centre", midX, midY, true},
            {"inside left edge", r.left + 0.5f, midY, true},
            {"inside right edge", r.right - 0.5f, midY, true},
            {"inside top edge", midX, r.top + 0.5f, true},
            {"inside bottom edge", midX, r.bottom - 0.5f, true},
            {"on left edge", r.left, midY, false},
            {"on right edge", r.right, midY, false},
            {"on top edge", midX, r.top, false},
            {"on bottom edge", midX, r.bottom, false},
        };
        for (const auto& p : points) {
            cases.push_back({std::string(r.name) + ", " + p.where, p.x, p.y, r.milkBefore, r.cupBefore,
                             p.inside ? r.effect : Effect::nothing, r.outcome});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryRectangleAndEdge, Zones, testing::ValuesIn(edgeCases()));

INSTANTIATE_TEST_SUITE_P(
    ItemsAtTheGoal, Zones,
    testing::Values(ZoneCase{"goal with nothing", 180, 190, false, false, Effect::ends, 2},
                    ZoneCase{"goal with milk only", 180, 190, true, false, Effect::ends, 2},
                    ZoneCase{"goal with cup only", 180, 190, false, true, Effect::ends, 2},
                    ZoneCase{"goal with both", 180, 190, true, true, Effect::ends, 100},
                    ZoneCase{"milk while holding the cup keeps it", 98.5f, 120, false, true, Effect::milk, 0},
                    ZoneCase{"hazard 5 needs x below 100", 100, 55, false, false, Effect::nothing, 0},
                    ZoneCase{"milk needs x below 100", 100, 100, false, false, Effect::nothing, 0},
                    ZoneCase{"on hazard 1's left edge", 334, 140, false, false, Effect::nothing, 0},
                    ZoneCase{"just inside hazard 1", 334.5f, 140, false, false, Effect::ends, 1}));

TEST(PlayRules, ZonesAreTestedAfterTheMoveInTheSameFrame)
{
    Play play(334, 141);
    play.frame(none);
    EXPECT_TRUE(play.playing);
    play.frame(right);
    EXPECT_EQ(play.cat.getPosition(), sf::Vector2f(335.5f, 141));
    EXPECT_FALSE(play.playing);
    EXPECT_EQ(play.outcome, 1);
}

TEST(PlayRules, ItemsStayAfterLeavingTheirZone)
{
    Play play(98.5f, 120);
    play.frame(none);
    ASSERT_TRUE(play.milk);
    play.frame(right);
    EXPECT_EQ(play.cat.getPosition(), sf::Vector2f(100, 120));
    EXPECT_TRUE(play.milk);

    Play atCup(340, 90);
    atCup.frame(none);
    ASSERT_TRUE(atCup.cup);
    for (int frame = 0; frame < 7; ++frame)
        atCup.frame(down);  // y 90 to 100.5: out of the cup's rectangle
    EXPECT_EQ(atCup.cat.getPosition(), sf::Vector2f(340, 100.5f));
    EXPECT_TRUE(atCup.cup);
    EXPECT_TRUE(atCup.playing);
}

TEST(PlayRules, HeadingStaysAfterTheKeyIsReleased)
{
    Play play(200, 250, 0);
    play.frame(right);
    play.frame(none);
    play.frame(none);
    EXPECT_EQ(play.cat.getRotation(), 90);
    EXPECT_EQ(play.cat.getPosition(), sf::Vector2f(201.5f, 250));
}

struct RunCase {
    const char* what;
    int key;
    int moves;             // moves made before the cat stops or the attempt ends
    float endX, endY;
    std::int16_t outcome;  // 0: still playing, blocked at its bound
};

std::ostream& operator<<(std::ostream& out, const RunCase& c) { return out << c.what; }

class RunFromStart : public testing::TestWithParam<RunCase> {};

// Holding one key from the start, frame after frame, with every frame's
// position checked for a zone on the way.
TEST_P(RunFromStart, EndsWhereTheRulesSay)
{
    const RunCase& c = GetParam();
    Play play(catStartX, catStartY, 0);
    int moves = 0;
    for (int frame = 0; frame < 400 && play.playing; ++frame) {
        const sf::Vector2f before = play.cat.getPosition();
        play.frame(c.key);
        if (play.cat.getPosition() != before)
            ++moves;
        ASSERT_FALSE(play.milk || play.cup) << "picked something up at frame " << frame;
    }
    EXPECT_EQ(moves, c.moves);
    EXPECT_EQ(play.cat.getPosition(), sf::Vector2f(c.endX, c.endY));
    EXPECT_EQ(play.playing, c.outcome == 0);
    EXPECT_EQ(play.outcome, c.outcome);
}

INSTANTIATE_TEST_SUITE_P(HoldingOneKey, RunFromStart,
                         testing::Values(RunCase{"up", up, 167, 100, 49.5f, 0},
                                         RunCase{"left", left, 34, 49, 300, 0},
                                         RunCase{"down", down, 34, 100, 351, 0},
                                         RunCase{"right into hazard 9", right, 157, 335.5f, 300, 9}));

}  // namespace
