#include "kitchen.h"

static bool stepAllowed(const CatMove& step, sf::Vector2f position)
{
    const bool alongX = step.offsetX != 0.0f;
    const float coordinate = alongX ? position.x : position.y;
    const float offset = alongX ? step.offsetX : step.offsetY;
    return offset < 0.0f ? coordinate > step.bound : coordinate < step.bound;
}

static void moveCat(const ArrowKeys& held, sf::Transformable& cat)
{
    for (std::size_t row = 0; row < held.size(); ++row) {
        if (!held[row])
            continue;
        const CatMove& step = catMoves[row];
        if (stepAllowed(step, cat.getPosition())) {
            cat.setRotation(step.rotation);
            cat.move(step.offsetX, step.offsetY);
        }
        return;  // lower priorities wait, even behind a blocked step
    }
}

static bool itemsAllow(ItemsNeeded needed, bool bothItems)
{
    switch (needed) {
    case ItemsNeeded::notBoth:
        return !bothItems;
    case ItemsNeeded::both:
        return bothItems;
    case ItemsNeeded::any:
        break;
    }
    return true;
}

void moveCatAndTestZones(const ArrowKeys& held, sf::Transformable& cat, bool& milkHeld, bool& cupHeld,
                         bool& playing, std::int16_t& outcome)
{
    moveCat(held, cat);
    const sf::Vector2f position = cat.getPosition();

    // The hazards and the item zones are two separate first-hit-wins groups:
    // a hazard hit does not stop the milk, cup and goal being tested in the
    // same frame. No item rectangle overlaps a hazard except the goal, which
    // the item rule keeps apart from hazard zone 2.
    bool hazardHit = false;
    bool itemZoneHit = false;
    for (const KitchenZone& zone : kitchenZones) {
        const bool isHazard = zone.effect == ZoneEffect::mishap;
        bool& groupHit = isHazard ? hazardHit : itemZoneHit;
        if (groupHit || !zoneContains(zone.bounds, position.x, position.y) ||
            !itemsAllow(zone.itemsNeeded, milkHeld && cupHeld))
            continue;
        groupHit = true;
        switch (zone.effect) {
        case ZoneEffect::pickMilk:
            milkHeld = true;
            break;
        case ZoneEffect::pickCup:
            cupHeld = true;
            break;
        case ZoneEffect::mishap:
        case ZoneEffect::win:
            playing = false;
            outcome = zone.outcome;
            break;
        }
    }
}
