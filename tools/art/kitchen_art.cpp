#include "kitchen_art.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "kitchen.h"
#include "palette.h"

using namespace colour;

namespace {
std::string spriteFolder;
}  // namespace

void setSpriteFolder(const std::string& folder) { spriteFolder = folder; }

const Canvas& sprite(const std::string& name)
{
    static std::map<std::string, Canvas> loaded;
    auto found = loaded.find(name);
    if (found == loaded.end())
        found = loaded.emplace(name, loadGrid(spriteFolder + "/" + name + ".txt", gridLegend())).first;
    return found->second;
}

namespace {

// The floor the cat can reach, in picture pixels. The cat moves with its
// centre inside x 24.5..175.25, y 24.75..175.5 and reaches ten picture
// pixels beyond that with its nose, so the walls start just past there.
constexpr Rect floorArea{15, 15, 185, 185};

// A box with an ink outline and its corners rounded off.
void box(Canvas& c, Rect r, Rgba fill, Rgba outline = ink)
{
    fillRounded(c, r, outline, 1);
    fillRect(c, r.inset(1), fill);
}

int frontDepth(Rect r) { return std::max(2, std::min(r.height() / 6, r.width() / 5)); }

// A counter or cabinet seen from above and a little from the front: the top,
// then a darker front edge facing the room.
void counter(Canvas& c, Rect r, Rgba top, Rgba front)
{
    box(c, r, top);
    const int depth = frontDepth(r);
    fillRect(c, {r.left + 1, r.bottom - 1 - depth, r.right - 1, r.bottom - 1}, front);
    fillRect(c, {r.left + 1, r.bottom - 1 - depth, r.right - 1, r.bottom - depth}, ink);
}

int scaleOf(Rect r, int base) { return std::max(1, std::min(r.width(), r.height()) / base); }

void dot(Canvas& c, int x, int y, int size, Rgba colour) { fillRect(c, {x, y, x + size, y + size}, colour); }

void spark(Canvas& c, int x, int y, int u)
{
    dot(c, x, y - 2 * u, u, yellow);
    dot(c, x, y + 2 * u, u, yellow);
    dot(c, x - 2 * u, y, u, yellow);
    dot(c, x + 2 * u, y, u, yellow);
    dot(c, x, y, u, white);
    dot(c, x - u, y - u, u, orange);
    dot(c, x + u, y + u, u, orange);
}

}  // namespace

void drawSparkle(Canvas& c, int x, int y, Rgba tint)
{
    c.set(x, y, white);
    c.set(x - 1, y, tint);
    c.set(x + 1, y, tint);
    c.set(x, y - 1, tint);
    c.set(x, y + 1, tint);
}

void drawFloor(Canvas& c, Rect r, int tileSize)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const int tx = (x - floorArea.left + 1000 * tileSize) / tileSize;
            const int ty = (y - floorArea.top + 1000 * tileSize) / tileSize;
            c.set(x, y, (tx + ty) % 2 ? tile : cream);
        }
}

void drawMousetrap(Canvas& c, Rect r)
{
    const int u = scaleOf(r, 9);
    box(c, r, woodLight);
    // The wire that snaps down, with its spring across the middle.
    const Rect bar{r.left + 2 * u, r.top + 2 * u, r.right - 2 * u, r.top + r.height() * 11 / 20};
    frameRect(c, bar, steelDark, u);
    fillRect(c, {r.left + u, bar.bottom - u, r.right - u, bar.bottom + u}, steel);
    fillRect(c, {r.left + u, bar.bottom - u, r.right - u, bar.bottom - u + std::max(1, u / 2)}, steelLight);
    // The bait: a wedge of cheese with holes.
    const Rect cheese{r.left + 2 * u, bar.bottom + 2 * u, r.right - 2 * u, r.bottom - 2 * u};
    fillRect(c, cheese, yellow);
    fillRect(c, {cheese.left, cheese.bottom - u, cheese.right, cheese.bottom}, orange);
    if (cheese.width() >= 4 * u)
        dot(c, cheese.left + u, cheese.top + u, u, orange);
}

void drawPowerStrip(Canvas& c, Rect r, bool sparks)
{
    const int u = scaleOf(r, 7);
    box(c, r, white);
    fillRect(c, {r.left + 1, r.bottom - 1 - u, r.right - 1, r.bottom - 1}, silver);
    // Two sockets and the red switch.
    const int holeY = r.top + (r.height() - u) / 2 - u / 2;
    for (int i = 0; i < 2; ++i) {
        const int x = r.left + u + 1 + i * (r.width() - 2 * u - 2) / 3;
        dot(c, x, holeY, u, plum);
        dot(c, x + u + std::max(1, u / 2), holeY, u, plum);
    }
    dot(c, r.right - 1 - 2 * u, holeY, u, red);
    if (sparks) {
        spark(c, r.left + r.width() / 3, r.top - u, u);
        spark(c, r.right - u, r.bottom, u);
    }
}

void drawDogBed(Canvas& c, Rect r, bool dogAwake)
{
    fillEllipse(c, r, ink);
    fillEllipse(c, r.inset(1), rose);
    const int rim = std::max(2, r.width() / 8);
    fillEllipse(c, r.inset(rim), ink);
    fillEllipse(c, r.inset(rim + 1), pink);
    const Canvas& dogPicture = sprite(dogAwake ? "dog_awake" : "dog_sleeping");
    const int k = std::max(1, std::min(r.width() / (dogPicture.width + 2), r.height() / (dogPicture.height + 1)));
    paste(c, scaled(dogPicture, k), r.centreX() - dogPicture.width * k / 2, r.bottom - dogPicture.height * k - k / 2);
}

void drawJarShelf(Canvas& c, Rect r, bool fallen)
{
    counter(c, r, woodLight, wood);
    const int u = scaleOf(r, 12);
    const Rgba lids[] = {red, yellow, green};
    const Rgba fills[] = {rose, orange, greenLight};
    const int jar = std::max(6, r.width() * 7 / 25);
    for (int i = 0; i < 3; ++i) {
        const int x = r.left + (r.width() - 3 * jar) / 4 * (i + 1) + jar * i;
        int y = r.bottom - 2 * u - jar - std::max(2, r.height() / 6);
        if (fallen && i != 0)
            continue;
        const Rect glass{x, y, x + jar, y + jar};
        box(c, glass, fills[i]);
        fillRect(c, {glass.left + 1, glass.top, glass.right - 1, glass.top + std::max(2, jar / 3)}, lids[i]);
        fillRect(c, {glass.left, glass.top + std::max(2, jar / 3), glass.right, glass.top + std::max(2, jar / 3) + 1},
                 ink);
        dot(c, glass.left + 1 + u, glass.top + jar / 2 + u, u, white);
    }
}

void drawWashingMachine(Canvas& c, Rect r)
{
    counter(c, r, white, silver);
    const int u = scaleOf(r, 25);
    // The control strip by the wall.
    const int strip = std::max(4, r.height() / 5);
    fillRect(c, {r.left + 1, r.top + 1, r.right - 1, r.top + strip}, steelLight);
    fillRect(c, {r.left + 1, r.top + strip, r.right - 1, r.top + strip + 1}, silver);
    dot(c, r.right - 3 - 3 * u, r.top + 1 + u, 2 * u, steelDark);
    dot(c, r.left + 2 + u, r.top + 1 + u, u, red);
    dot(c, r.left + 2 + 3 * u, r.top + 1 + u, u, green);
    // The round door with the wash spinning behind the glass.
    const int depth = frontDepth(r);
    const int size = std::min(r.width() - 4 * u - 4, r.bottom - depth - 2 - (r.top + strip + 2));
    const Rect door{r.centreX() - size / 2, r.top + strip + 2, r.centreX() - size / 2 + size, r.top + strip + 2 + size};
    fillEllipse(c, door, ink);
    fillEllipse(c, door.inset(1), steel);
    fillEllipse(c, door.inset(1 + u), blueDark);
    fillEllipse(c, door.inset(2 + u), water);
    const Rect suds{door.left + size / 4, door.top + size / 5, door.left + size / 2, door.top + size * 2 / 5};
    fillEllipse(c, suds, white);
    fillEllipse(c, {door.left + size / 2, door.top + size / 2, door.right - size / 5, door.bottom - size / 5}, blueLight);
}

void drawStove(Canvas& c, Rect r)
{
    counter(c, r, steelDark, plum);
    const int u = scaleOf(r, 18);
    const int depth = frontDepth(r);
    const Rect hob{r.left + 2, r.top + 2, r.right - 2, r.bottom - depth - 2};
    fillRect(c, hob, ink);
    // Four rings, the two nearest the room glowing hot.
    const int ring = std::min(hob.width() / 2 - 2, hob.height() / 2 - 1);
    for (int i = 0; i < 4; ++i) {
        const int col = i % 2, row = i / 2;
        const int x = hob.left + (hob.width() / 2 - ring) / 2 + col * hob.width() / 2;
        const int y = hob.top + (hob.height() / 2 - ring) / 2 + row * hob.height() / 2;
        const Rect burner{x, y, x + ring, y + ring};
        const bool hot = row == 1;
        fillEllipse(c, burner, hot ? red : grey);
        fillEllipse(c, burner.inset(std::max(1, ring / 5)), hot ? orange : plum);
        fillEllipse(c, burner.inset(std::max(2, ring * 2 / 5)), hot ? yellow : grey);
    }
    // Heat rising off the front rings.
    dot(c, hob.left + hob.width() / 4, hob.top + hob.height() / 2 - u, u, orange);
    dot(c, hob.left + hob.width() * 3 / 4, hob.top + hob.height() / 2 - u, u, orange);
    // A pan on the back left ring, its handle towards the wall.
    const Rect pan{hob.left + 1, hob.top, hob.left + 1 + ring + 2, hob.top + ring + 1};
    fillEllipse(c, pan, ink);
    fillEllipse(c, pan.inset(1), steel);
    fillEllipse(c, pan.inset(1 + std::max(1, ring / 5)), steelLight);
    // The knobs along the front.
    for (int i = 0; i < 4; ++i)
        dot(c, r.left + 3 + i * (r.width() - 6) / 4 + (r.width() - 6) / 8, r.bottom - depth,
            std::max(1, u), white);
}

void drawCactusSill(Canvas& c, Rect r)
{
    counter(c, r, woodLight, wood);
    const int depth = frontDepth(r);
    const int u = scaleOf(r, 14);
    // Two potted cacti, seen from the front as they stand on the sill.
    for (int i = 0; i < 2; ++i) {
        const int w = 6 * u;
        const int x = r.left + (r.width() - 2 * w) / 3 * (i + 1) + w * i;
        const int base = r.bottom - depth - 1;
        const Rect pot{x, base - 4 * u, x + w, base};
        fillRect(c, pot, ink);
        fillRect(c, {pot.left + 1, pot.top + 1, pot.right - 1, pot.bottom - 1}, orange);
        fillRect(c, {pot.left + 1, pot.top + 1, pot.right - 1, pot.top + 1 + u}, catDark);
        const int top = r.top + 1 + (i == 0 ? 0 : 2 * u);
        const Rect stem{x + w / 2 - 2 * u, top, x + w / 2 + 2 * u, pot.top + 1};
        fillRounded(c, stem, ink, 1);
        fillRect(c, stem.inset(1), green);
        fillRect(c, {stem.left + 1, stem.top + 1, stem.left + 1 + u, stem.bottom - 1}, greenLight);
        // An arm on one side, and the spines.
        const int armY = top + (pot.top - top) / 2;
        if (i == 0)
            fillRect(c, {stem.left - u - 1, armY - 2 * u, stem.left, armY}, green);
        else
            fillRect(c, {stem.right, armY - 2 * u, stem.right + u + 1, armY}, green);
        for (int y = stem.top + u; y < stem.bottom - u; y += 2 * u)
            dot(c, (y / u) % 4 < 2 ? stem.left : stem.right - u, y, std::max(1, u / 2), paleYellow);
        if (i == 0)
            dot(c, stem.centreX() - u / 2, stem.top, u, pink);  // a flower
    }
}

void drawVacuum(Canvas& c, Rect r)
{
    const int w = r.width(), h = r.height();
    const int u = scaleOf(r, 12);
    // The floor head across the top, the body below, the hose between,
    // coiled round beside the body.
    const Rect head{r.left, r.top, r.right, r.top + std::max(5, h / 5)};
    box(c, head, steelDark);
    fillRect(c, {head.left + 1, head.bottom - 1 - u, head.right - 1, head.bottom - 1}, ink);
    fillRect(c, {head.left + 2 * u, head.top + u, head.right - 2 * u, head.top + 2 * u}, steel);
    const Rect body{r.left, r.top + h * 42 / 100, r.right, r.bottom};
    const Rect hose{r.left + w / 4, head.bottom - 1, r.right - w / 4, body.top + 2};
    fillRect(c, hose, ink);
    fillRect(c, hose.inset(1), steel);
    fillRect(c, {hose.left + 1, hose.centreY(), hose.right - 1, hose.centreY() + u}, steelDark);
    fillRounded(c, body, ink, 2);
    fillRounded(c, body.inset(1), red, 2);
    fillRect(c, {body.left + 1, body.bottom - 1 - 2 * u, body.right - 1, body.bottom - 1}, redDark);
    // Wheels at the back corners.
    dot(c, body.left, body.bottom - 3 * u, 2 * u, ink);
    dot(c, body.right - 2 * u, body.bottom - 3 * u, 2 * u, ink);
    // Its dust bin, lid and power button.
    const Rect lid{body.left + 2, body.top + 2, body.right - 2, body.top + 2 + std::min(body.width() - 4, body.height() * 2 / 3)};
    fillEllipse(c, lid, redDark);
    fillEllipse(c, lid.inset(std::max(1, lid.width() / 5)), red);
    dot(c, lid.centreX() - u / 2, lid.centreY() - u / 2, u, yellow);
}

void drawAquarium(Canvas& c, Rect r)
{
    counter(c, r, wood, woodDark);
    const int depth = frontDepth(r);
    const int u = scaleOf(r, 18);
    const Rect tank{r.left + 1 + u, r.top + 1 + u, r.right - 1 - u, r.bottom - depth - 1 - u};
    fillRect(c, tank, steelLight);
    const Rect wet = tank.inset(1);
    fillRect(c, wet, water);
    fillRect(c, {wet.left, wet.top, wet.right, wet.top + std::max(1, u)}, blueLight);
    // Weed along the glass by the wall, pebbles, fish and bubbles.
    for (int y = wet.top + 4 * u; y < wet.bottom - 2 * u; y += 9 * u) {
        fillRect(c, {wet.right - 3 * u, y, wet.right - u, y + 5 * u}, green);
        fillRect(c, {wet.right - 2 * u, y + u, wet.right - u, y + 4 * u}, greenDark);
    }
    for (int y = wet.top + 2 * u; y < wet.bottom; y += 3 * u)
        dot(c, wet.left + ((y / u) % 2) * u, y, u, (y / u) % 3 ? silver : woodLight);
    const Rgba fishColours[] = {orange, yellow, rose, orange};
    for (int i = 0; i < 4; ++i) {
        const int fy = wet.top + wet.height() * (2 * i + 1) / 8;
        const int fx = wet.left + (i % 2 ? wet.width() / 2 - 2 * u : wet.width() / 2 - u);
        fillRect(c, {fx, fy, fx + 3 * u, fy + u}, fishColours[i]);
        dot(c, i % 2 ? fx + 3 * u : fx - u, fy, u, fishColours[i] == orange ? catDark : orange);
        dot(c, fx + (i % 2 ? 0 : 2 * u), fy, std::max(1, u / 2), ink);
    }
    for (int i = 0; i < 3; ++i)
        dot(c, wet.left + wet.width() / 2 + (i % 2) * u, wet.top + wet.height() * (3 + 4 * i) / 13, u, white);
}

void drawBins(Canvas& c, Rect r)
{
    const int w = r.width(), h = r.height();
    const int u = scaleOf(r, 12);
    // A round pedal bin and a square recycling bin side by side.
    const Rect round{r.left, r.top + h / 10, r.left + w * 45 / 100, r.top + h / 10 + w * 45 / 100};
    fillEllipse(c, round, ink);
    fillEllipse(c, round.inset(1), steel);
    fillEllipse(c, round.inset(1 + u), steelLight);
    fillEllipse(c, round.inset(1 + 3 * u), steel);
    const Rect square{r.left + w * 52 / 100, r.top, r.right, r.bottom - h / 10};
    box(c, square, greenDark);
    fillRect(c, square.inset(1 + u), ink);
    fillRect(c, square.inset(2 + u), green);
    // Rubbish poking out: a fish bone and a banana skin.
    const int mx = square.centreX(), my = square.centreY();
    fillRect(c, {mx - 3 * u, my, mx + 3 * u, my + u}, white);
    for (int i = -2; i <= 2; i += 2)
        fillRect(c, {mx + i * u, my - u, mx + i * u + u, my + 2 * u}, white);
    fillRect(c, {round.centreX() - 2 * u, round.centreY() - u, round.centreX() + 2 * u, round.centreY()}, yellow);
    dot(c, round.centreX() + 2 * u, round.centreY(), u, yellow);
    // Flies.
    dot(c, round.right - u, round.top - u, u, ink);
    dot(c, square.left + 2 * u, square.top + 2 * u, u, ink);
}

void drawBowl(Canvas& c, Rect r, bool full)
{
    // The mat, with a ring of paw dots, and the bowl in the middle.
    fillEllipse(c, r, ink);
    fillEllipse(c, r.inset(1), blueLight);
    fillEllipse(c, r.inset(2), blue);
    const int size = std::min(r.width(), r.height()) * 55 / 100;
    const Rect bowl{r.centreX() - size / 2, r.centreY() - size / 2, r.centreX() - size / 2 + size,
                    r.centreY() - size / 2 + size};
    fillEllipse(c, bowl, ink);
    fillEllipse(c, bowl.inset(1), red);
    fillEllipse(c, bowl.inset(1 + std::max(1, size / 8)), redDark);
    fillEllipse(c, bowl.inset(2 + std::max(1, size / 8)), full ? white : steelLight);
    const int u = std::max(1, size / 10);
    if (full)
        dot(c, bowl.left + size / 3, bowl.top + size / 3, u, cream);
    for (int i = 0; i < 4; ++i) {
        const int x = i % 2 ? r.left + r.width() / 8 : r.right - r.width() / 8 - u;
        const int y = i / 2 ? r.top + r.height() / 5 : r.bottom - r.height() / 5 - u;
        dot(c, x, y, u, blueLight);
    }
}

void drawMilk(Canvas& c, Rect r)
{
    // A checked cloth with the bottle and a carton on it.
    fillRounded(c, r, ink, 2);
    const Rect cloth = r.inset(1);
    const int check = std::max(2, r.width() / 8);
    for (int y = cloth.top; y < cloth.bottom; ++y)
        for (int x = cloth.left; x < cloth.right; ++x) {
            const bool a = ((x - cloth.left) / check) % 2, b = ((y - cloth.top) / check) % 2;
            c.set(x, y, a && b ? blue : (a || b ? blueLight : white));
        }
    const int w = r.width(), h = r.height();
    const int u = scaleOf(r, 23);
    // The bottle, standing: cap, neck, body and a label.
    const Rect bottle{r.left + w * 12 / 100, r.top + h * 10 / 100, r.left + w * 50 / 100, r.bottom - h * 8 / 100};
    const int neck = bottle.width() / 4;
    box(c, {bottle.centreX() - neck - u, bottle.top, bottle.centreX() + neck + u, bottle.top + 3 * u + 1}, blue);
    box(c, {bottle.centreX() - neck, bottle.top + 3 * u, bottle.centreX() + neck, bottle.top + 6 * u}, white);
    fillRounded(c, {bottle.left, bottle.top + 5 * u, bottle.right, bottle.bottom}, ink, 2);
    fillRounded(c, {bottle.left + 1, bottle.top + 5 * u + 1, bottle.right - 1, bottle.bottom - 1}, white, 2);
    fillRect(c, {bottle.left + 1, bottle.top + bottle.height() / 2, bottle.right - 1,
                 bottle.top + bottle.height() / 2 + bottle.height() / 4}, blue);
    fillRect(c, {bottle.left + 2 * u, bottle.top + 7 * u, bottle.left + 3 * u, bottle.top + bottle.height() / 2 - u},
             blueLight);
    // The carton.
    const Rect carton{r.left + w * 58 / 100, r.top + h * 30 / 100, r.left + w * 88 / 100, r.bottom - h * 10 / 100};
    box(c, carton, white);
    fillRect(c, {carton.left + 1, carton.top + 1, carton.right - 1, carton.top + carton.height() / 3}, blueDark);
    fillRect(c, {carton.left + 1, carton.top + carton.height() / 3, carton.right - 1,
                 carton.top + carton.height() / 3 + 1}, ink);
    dot(c, carton.centreX() - u, carton.top + carton.height() * 6 / 10, 2 * u, blue);
}

void drawCup(Canvas& c, Rect r)
{
    // A low stool by the wall with the cup on it, seen a little from the front.
    counter(c, r, woodLight, wood);
    const int u = std::max(1, std::min(r.width() / 18, r.height() / 10));
    const int cw = 7 * u, ch = 7 * u;
    const int x = r.left + (r.width() - cw) / 2 - u - (r.width() < 30 ? 2 : 0);
    const int y = r.top + (r.height() - frontDepth(r) - ch) / 2;
    // The handle first, so the cup's outline closes it.
    frameRect(c, {x + cw - 1, y + 2 * u, x + cw + 2 * u + 1, y + ch - 2 * u}, ink, 1);
    fillRounded(c, {x, y, x + cw, y + ch}, ink, 1);
    fillRect(c, {x + 1, y + 1, x + cw - 1, y + ch - 1}, white);
    fillRect(c, {x + 1, y + 1, x + cw - 1, y + 1 + u}, steelLight);  // the rim
    fillRect(c, {x + 1, y + 3 * u, x + cw - 1, y + 5 * u}, red);
    fillRect(c, {x + 1, y + 3 * u, x + 1 + u, y + 5 * u}, rose);
}

// ---- The kitchen -----------------------------------------------------------

const KitchenZone& zoneNamed(const std::string& name)
{
    for (const KitchenZone& zone : kitchenZones)
        if (name == zone.name)
            return zone;
    throw std::runtime_error("the game has no zone called " + name);
}

Rect pictureRect(const KitchenZone& zone)
{
    const ZoneBounds& b = zone.bounds;
    return {int(std::floor(b.left / 2)), int(std::floor(b.top / 2)), int(std::ceil(b.right / 2)),
            int(std::ceil(b.bottom / 2))};
}

namespace {

Rect zoneRect(const std::string& name) { return pictureRect(zoneNamed(name)); }

// A zone's rectangle carried on to the wall it stands against: the cat's
// centre never gets between zone and wall, so the object fills that gap.
Rect toTopWall(Rect r) { return {r.left, floorArea.top, r.right, r.bottom}; }
Rect toRightWall(Rect r) { return {r.left, r.top, floorArea.right, r.bottom}; }
Rect toBottomWall(Rect r) { return {r.left, r.top, r.right, floorArea.bottom}; }

void drawWalls(Canvas& c)
{
    fillRect(c, {0, 0, c.width, c.height}, wall);
    // Plaster panels, then the skirting and the shadow it throws.
    for (int x = 8; x < c.width; x += 20) {
        fillRect(c, {x, 2, x + 1, floorArea.top - 3}, wallLight);
        fillRect(c, {x, floorArea.bottom + 3, x + 1, c.height - 2}, wallLight);
    }
    for (int y = 8; y < c.height; y += 20) {
        fillRect(c, {2, y, floorArea.left - 3, y + 1}, wallLight);
        fillRect(c, {floorArea.right + 3, y, c.width - 2, y + 1}, wallLight);
    }
    frameRect(c, {0, 0, c.width, c.height}, wallDark, 1);
    frameRect(c, {floorArea.left - 2, floorArea.top - 2, floorArea.right + 2, floorArea.bottom + 2}, wallDark, 1);
    // Not ink: the status lines are written in black across the bottom left.
    frameRect(c, {floorArea.left - 1, floorArea.top - 1, floorArea.right + 1, floorArea.bottom + 1}, wallDark, 1);
}

void drawWindow(Canvas& c, Rect r)
{
    box(c, r, blueLight);
    fillRect(c, {r.left + 1, r.top + 1, r.right - 1, r.top + 3}, white);
    fillRect(c, {r.centreX(), r.top + 1, r.centreX() + 1, r.bottom - 1}, white);
    dot(c, r.left + 3, r.top + 4, 1, white);
}

void drawWallSocket(Canvas& c, int x, int y)
{
    box(c, {x, y, x + 6, y + 6}, white);
    dot(c, x + 2, y + 2, 1, plum);
    dot(c, x + 3, y + 3, 1, plum);
}

}  // namespace

Canvas drawKitchen()
{
    Canvas c(200, 200);
    drawWalls(c);
    drawFloor(c, floorArea, 10);
    // Shadow of the walls on the floor, top and left, as the light comes from the window.
    fillRect(c, {floorArea.left, floorArea.top, floorArea.right, floorArea.top + 1}, grout);
    fillRect(c, {floorArea.left, floorArea.top, floorArea.left + 1, floorArea.bottom}, grout);
    drawWindow(c, {152, 3, 180, 12});
    drawWindow(c, {20, 3, 44, 12});

    drawMilk(c, zoneRect("milk"));
    drawCup(c, toRightWall(zoneRect("cup")));
    drawBowl(c, zoneRect("goal"), false);

    drawMousetrap(c, zoneRect("hazard zone 1"));

    // The loose power strip by the left wall and the frayed flex by the bottom
    // wall: both shock, so they share their end picture.
    const Rect strip = zoneRect("hazard zone 3");
    drawWallSocket(c, floorArea.left - 6, strip.centreY() - 3);
    fillRect(c, {floorArea.left, strip.centreY() - 1, strip.left + 1, strip.centreY()}, plum);
    drawPowerStrip(c, strip, false);
    spark(c, strip.right, strip.top, 1);
    const Rect flex = zoneRect("hazard zone 11");
    drawWallSocket(c, flex.centreX() - 3, floorArea.bottom);
    fillRect(c, {flex.centreX() - 1, flex.bottom, flex.centreX() + 1, floorArea.bottom}, plum);
    fillRect(c, {flex.left + 1, flex.top, flex.right - 1, flex.bottom}, plum);
    fillRect(c, {flex.left + 1, flex.top, flex.right - 1, flex.top + 1}, grey);
    dot(c, flex.left, flex.top, 1, orange);
    dot(c, flex.right - 1, flex.top + 1, 1, orange);
    spark(c, flex.left, flex.top, 1);
    spark(c, flex.right, flex.top, 1);

    drawDogBed(c, zoneRect("hazard zone 4"), false);
    drawJarShelf(c, toTopWall(zoneRect("hazard zone 5")), false);
    drawWashingMachine(c, toTopWall(zoneRect("hazard zone 6")));
    drawStove(c, toTopWall(zoneRect("hazard zone 7")));
    drawVacuum(c, zoneRect("hazard zone 8"));
    drawAquarium(c, toRightWall(zoneRect("hazard zone 9")));
    drawBins(c, toBottomWall(zoneRect("hazard zone 10")));
    drawCactusSill(c, toTopWall(zoneRect("hazard zone 12")));

    // The things to fetch glint.
    const Rect milk = zoneRect("milk"), cup = zoneRect("cup");
    drawSparkle(c, milk.right - 3, milk.top + 3, yellow);
    drawSparkle(c, cup.left - 1, cup.top - 1, yellow);
    return c;
}

// ---- The zone map ----------------------------------------------------------

namespace {

// What each zone of the game is in the picture, for the map's key.
const char* zoneThing(const std::string& name)
{
    static const std::map<std::string, const char*> things = {
        {"hazard zone 1", "mousetrap"},       {"hazard zone 2", "bowl, too early"},
        {"hazard zone 3", "power strip"},     {"hazard zone 4", "dog's bed"},
        {"hazard zone 5", "shelf of jars"},   {"hazard zone 6", "washing machine"},
        {"hazard zone 7", "stove"},           {"hazard zone 8", "vacuum cleaner"},
        {"hazard zone 9", "fish tank"},       {"hazard zone 10", "rubbish bins"},
        {"hazard zone 11", "frayed flex"},    {"hazard zone 12", "cactus pots"},
        {"milk", "the milk"},                 {"cup", "the cup"},
        {"goal", "bowl, with milk and cup"},
    };
    const auto found = things.find(name);
    if (found == things.end())
        throw std::runtime_error("no picture drawn for zone " + name);
    return found->second;
}

std::string zoneLabel(const KitchenZone& zone)
{
    switch (zone.effect) {
    case ZoneEffect::pickMilk: return "milk";
    case ZoneEffect::pickCup: return "cup";
    case ZoneEffect::win: return "win";
    case ZoneEffect::mishap: break;
    }
    return std::to_string(zone.outcome);
}

Rgba zoneColour(const KitchenZone& zone)
{
    switch (zone.effect) {
    case ZoneEffect::pickMilk:
    case ZoneEffect::pickCup: return green;
    case ZoneEffect::win: return blue;
    case ZoneEffect::mishap: break;
    }
    return red;
}

Rect windowRect(const ZoneBounds& b)
{
    return {int(std::floor(b.left)), int(std::floor(b.top)), int(std::ceil(b.right)), int(std::ceil(b.bottom))};
}

bool overlaps(Rect a, Rect b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

Canvas drawZoneMap(const Canvas& kitchen)
{
    const Canvas big = scaled(kitchen, 2);
    constexpr int keyHeight = 170;
    Canvas c(big.width, big.height + keyHeight, night);
    paste(c, big, 0, 0);

    // Where the cat's centre can go, dashed, and where it starts.
    const float minX = catMoves[2].bound - 1.5f, maxX = catMoves[3].bound + 0.5f;
    const float minY = catMoves[0].bound - 0.5f, maxY = catMoves[1].bound + 1.0f;
    const Rect reach{int(minX), int(minY), int(std::ceil(maxX)), int(maxY)};
    for (int x = reach.left; x < reach.right; x += 8) {
        fillRect(c, {x, reach.top, x + 4, reach.top + 1}, plum);
        fillRect(c, {x, reach.bottom, x + 4, reach.bottom + 1}, plum);
    }
    for (int y = reach.top; y < reach.bottom; y += 8) {
        fillRect(c, {reach.left, y, reach.left + 1, y + 4}, plum);
        fillRect(c, {reach.right, y, reach.right + 1, y + 4}, plum);
    }
    const int sx = int(catStartX), sy = int(catStartY);
    fillEllipse(c, {sx - 4, sy - 4, sx + 5, sy + 5}, ink);
    fillEllipse(c, {sx - 3, sy - 3, sx + 4, sy + 3 + 1}, orange);

    TextStyle label;
    label.size = 12;
    label.colour = white;
    label.bold = 24;
    std::vector<Rect> zones;
    for (const KitchenZone& zone : kitchenZones)
        zones.push_back(windowRect(zone.bounds));
    std::vector<Rect> labels;
    auto placeLabel = [&](const std::string& text, Rect near, Rgba background) {
        const int w = textWidth(text, label) + 6, h = 14;
        const Rect candidates[] = {{near.left, near.top - h, near.left + w, near.top},
                                   {near.left, near.bottom, near.left + w, near.bottom + h},
                                   {near.right, near.top, near.right + w, near.top + h},
                                   {near.left - w, near.top, near.left, near.top + h}};
        Rect chosen = candidates[0];
        for (const Rect& r : candidates) {
            bool clear = r.left >= 0 && r.right <= c.width && r.top >= 0;
            for (const Rect& z : zones)
                clear = clear && !overlaps(r, z);
            for (const Rect& l : labels)
                clear = clear && !overlaps(r, l);
            if (clear) {
                chosen = r;
                break;
            }
        }
        labels.push_back(chosen);
        fillRect(c, chosen, background);
        drawTextLine(c, text, chosen.left + 3, chosen.bottom - 3, label);
    };

    for (const KitchenZone& zone : kitchenZones) {
        const Rect r = windowRect(zone.bounds);
        frameRect(c, r, ink, 1);
        frameRect(c, r.inset(1), zoneColour(zone), 1);
    }
    for (const KitchenZone& zone : kitchenZones) {
        // The goal and hazard zone 2 are one rectangle: one label says both.
        if (zone.effect == ZoneEffect::win)
            continue;
        std::string text = zoneLabel(zone);
        if (zone.bounds.left == goalBounds.left && zone.bounds.top == goalBounds.top &&
            zone.bounds.right == goalBounds.right && zone.bounds.bottom == goalBounds.bottom)
            text += " / win";
        placeLabel(text, windowRect(zone.bounds), zone.effect == ZoneEffect::mishap ? redDark : greenDark);
    }
    placeLabel("start", {sx - 4, sy - 4, sx + 5, sy + 5}, catDark);

    // The key: every zone by name, code and what it is.
    TextStyle key = label;
    key.bold = 0;
    key.size = 13;
    int row = 0;
    for (const KitchenZone& zone : kitchenZones) {
        const int column = row / 8, line = row % 8;
        const int x = 14 + column * 200, y = big.height + 24 + line * 19;
        fillRect(c, {x, y - 10, x + 10, y}, zoneColour(zone));
        std::string text = zoneLabel(zone) + "  " + zoneThing(zone.name);
        drawTextLine(c, text, x + 15, y, key);
        ++row;
    }
    return c;
}
