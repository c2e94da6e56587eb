// The rules of play: how the arrow keys move the cat and what each part of
// the kitchen does to it. Every number of the rules is in the two tables
// below, written once; the art tool reads the same tables, so the pictures
// cannot drift from the rules.
#pragma once

#include <array>
#include <cstdint>
#include <iterator>

#include <SFML/Graphics/Transformable.hpp>
#include <SFML/Window/Keyboard.hpp>

#include "scene.h"

// Where every attempt puts the cat.
constexpr float catStartX = 100.0f;
constexpr float catStartY = 300.0f;

// One step the cat may take in a frame. The offset says the axis and the
// direction; the step is allowed only while the coordinate on that axis is
// still short of the bound (strictly), tested before the step.
struct CatMove {
    const char* name;
    float bound;
    float rotation;  // absolute heading in degrees, 0 = facing up as drawn
    float offsetX;
    float offsetY;
};

// Up, Down, Left, Right: highest priority first. Only the first held key is
// tried in a frame, even when its step is blocked.
constexpr CatMove catMoves[] = {
    {"up", 50.0f, 0.0f, 0.0f, -1.5f},
    {"down", 350.0f, 180.0f, 0.0f, +1.5f},
    {"left", 50.0f, 270.0f, -1.5f, 0.0f},
    {"right", 350.0f, 90.0f, +1.5f, 0.0f},
};

// Whether each arrow key is held, in the order of catMoves.
using ArrowKeys = std::array<bool, std::size(catMoves)>;

// An open rectangle of window pixels: a point on an edge is outside.
struct ZoneBounds {
    float left;
    float right;
    float top;
    float bottom;
};

enum class ZoneEffect { mishap, pickMilk, pickCup, win };
enum class ItemsNeeded { any, notBoth, both };

struct KitchenZone {
    const char* name;
    ZoneBounds bounds;
    ItemsNeeded itemsNeeded;
    ZoneEffect effect;
    std::int16_t outcome;  // the end picture's code, for mishaps and the win
};

// The bowl in the middle: a win with milk and cup, a mishap without.
constexpr ZoneBounds goalBounds{158, 200, 165, 210};

constexpr std::int16_t winOutcome = 100;

// Tested in this order every play frame: the hazards first (the first hit
// ends the attempt), then milk, cup and goal (the first hit counts).
constexpr KitchenZone kitchenZones[] = {
    {"hazard zone 1", {334, 352, 127, 157}, ItemsNeeded::any, ZoneEffect::mishap, 1},
    {"hazard zone 2", goalBounds, ItemsNeeded::notBoth, ZoneEffect::mishap, 2},
    {"hazard zone 3", {49, 70, 145, 160}, ItemsNeeded::any, ZoneEffect::mishap, 3},
    {"hazard zone 4", {49, 82, 165, 195}, ItemsNeeded::any, ZoneEffect::mishap, 4},
    {"hazard zone 5", {50, 100, 50, 60}, ItemsNeeded::any, ZoneEffect::mishap, 5},
    {"hazard zone 6", {137, 185, 50, 87}, ItemsNeeded::any, ZoneEffect::mishap, 6},
    {"hazard zone 7", {190, 260, 49, 85}, ItemsNeeded::any, ZoneEffect::mishap, 7},
    {"hazard zone 8", {250, 275, 175, 220}, ItemsNeeded::any, ZoneEffect::mishap, 8},
    {"hazard zone 9", {335, 352, 196, 335}, ItemsNeeded::any, ZoneEffect::mishap, 9},
    {"hazard zone 10", {257, 319, 327, 352}, ItemsNeeded::any, ZoneEffect::mishap, 10},
    // Shares its picture with zone 3 (and zone 12 has code 11).
    {"hazard zone 11", {181, 200, 350, 353}, ItemsNeeded::any, ZoneEffect::mishap, 3},
    {"hazard zone 12", {268, 300, 48, 60}, ItemsNeeded::any, ZoneEffect::mishap, 11},
    {"milk", {49, 100, 85, 130}, ItemsNeeded::any, ZoneEffect::pickMilk, 0},
    {"cup", {334, 352, 81, 100}, ItemsNeeded::any, ZoneEffect::pickCup, 0},
    {"goal", goalBounds, ItemsNeeded::both, ZoneEffect::win, winOutcome},
};

constexpr bool zoneContains(const ZoneBounds& zone, float x, float y)
{
    return zone.left < x && x < zone.right && zone.top < y && y < zone.bottom;
}

// One frame of play on the keys as sampled: move and turn the cat, then test
// the kitchen zones, picking up items or ending the attempt. It touches no
// window, keyboard or global, so it can be tested anywhere.
void moveCatAndTestZones(const ArrowKeys& held, sf::Transformable& cat, bool& milkHeld, bool& cupHeld,
                         bool& playing, std::int16_t& outcome);

// Everything the play phase does in a frame before drawing: sample the arrow
// keys into their flags (one call each, Up, Down, Left, Right), then play
// one step on the scene's cat and items.
inline void runPlayRules(bool& playing, std::int16_t& outcome)
{
    upPressed = sf::Keyboard::isKeyPressed(sf::Keyboard::Up);
    downPressed = sf::Keyboard::isKeyPressed(sf::Keyboard::Down);
    leftPressed = sf::Keyboard::isKeyPressed(sf::Keyboard::Left);
    rightPressed = sf::Keyboard::isKeyPressed(sf::Keyboard::Right);
    moveCatAndTestZones({upPressed, downPressed, leftPressed, rightPressed}, catSprite, hasMilk, hasCup, playing,
                        outcome);
}
