// The kitchen: the floor and walls, and one drawing for each object of the
// play rules, placed from the game's own zone table.
#pragma once

#include <string>

#include "canvas.h"

// The kitchen picture's rectangle for a zone of the game: the window
// rectangle halved, widened to whole pixels so the object covers it all.
struct KitchenZone;
Rect pictureRect(const KitchenZone& zone);
const KitchenZone& zoneNamed(const std::string& name);

// The folder of the sprite grids, and one grid by its name (loaded once).
void setSpriteFolder(const std::string& folder);
const Canvas& sprite(const std::string& name);

Canvas drawKitchen();
// The kitchen at the window's size with every zone outlined and labelled.
Canvas drawZoneMap(const Canvas& kitchen);

// The objects, each filling the rectangle it is given, so the end pictures
// can show the same things larger.
void drawFloor(Canvas& c, Rect r, int tileSize);
void drawMousetrap(Canvas& c, Rect r);
void drawPowerStrip(Canvas& c, Rect r, bool sparks);
void drawDogBed(Canvas& c, Rect r, bool dogAwake);
void drawJarShelf(Canvas& c, Rect r, bool fallen);
void drawWashingMachine(Canvas& c, Rect r);
void drawStove(Canvas& c, Rect r);
void drawCactusSill(Canvas& c, Rect r);
void drawVacuum(Canvas& c, Rect r);
void drawAquarium(Canvas& c, Rect r);
void drawBins(Canvas& c, Rect r);
void drawBowl(Canvas& c, Rect r, bool full);
void drawMilk(Canvas& c, Rect r);
void drawCup(Canvas& c, Rect r);
void drawSparkle(Canvas& c, int x, int y, Rgba colour);
