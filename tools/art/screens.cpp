#include "screens.h"

#include <functional>

#include "kitchen_art.h"
#include "palette.h"

using namespace colour;

namespace {

// The scenes are drawn at half size, like the kitchen, then doubled; the
// text goes on afterwards at full size so it stays sharp.
constexpr int half = 200;
constexpr Rect scenePanel{14, 40, 186, 138};

void dot(Canvas& c, int x, int y, int size, Rgba colour) { fillRect(c, {x, y, x + size, y + size}, colour); }

// The dark backdrop with a faint pattern of paw prints.
void backdrop(Canvas& c)
{
    fillRect(c, {0, 0, c.width, c.height}, night);
    for (int y = 6; y < c.height; y += 24)
        for (int x = (y / 24) % 2 ? 6 : 18; x < c.width; x += 24) {
            fillRect(c, {x, y + 2, x + 3, y + 4}, nightLight);
            dot(c, x - 1, y, 1, nightLight);
            dot(c, x + 1, y - 1, 1, nightLight);
            dot(c, x + 3, y, 1, nightLight);
        }
    frameRect(c, {2, 2, c.width - 2, c.height - 2}, nightLight, 1);
}

// A window onto the kitchen: wall at the top, tiled floor below.
Rect kitchenPanel(Canvas& c, Rect r, int wallHeight = 14)
{
    fillRect(c, r, ink);
    const Rect inner = r.inset(2);
    fillRect(c, inner, wall);
    for (int x = inner.left + 6; x < inner.right; x += 20)
        fillRect(c, {x, inner.top + 1, x + 1, inner.top + wallHeight - 3}, wallLight);
    const Rect floor{inner.left, inner.top + wallHeight, inner.right, inner.bottom};
    drawFloor(c, floor, 16);
    fillRect(c, {floor.left, floor.top - 2, floor.right, floor.top - 1}, wallDark);
    fillRect(c, {floor.left, floor.top - 1, floor.right, floor.top}, ink);
    fillRect(c, {floor.left, floor.top, floor.right, floor.top + 1}, grout);
    frameRect(c, r.inset(1), catDark, 1);
    return floor;
}

void catPicture(Canvas& c, const std::string& mood, int x, int bottom, int scale = 2)
{
    const Canvas& cat = sprite("cat_" + mood);
    paste(c, scaled(cat, scale), x, bottom - cat.height * scale);
}

void shadowUnder(Canvas& c, int centreX, int y, int width)
{
    fillEllipse(c, {centreX - width / 2, y - 3, centreX + width / 2, y + 3}, grout);
}

// Little marks of fright or motion beside a thing.
void shockLines(Canvas& c, int x, int y, Rgba colour)
{
    line(c, x, y, x + 4, y - 4, colour);
    line(c, x + 2, y + 6, x + 8, y + 4, colour);
    line(c, x - 2, y - 6, x, y - 12, colour);
}

void bolt(Canvas& c, int x, int y, int u)
{
    const int pts[][2] = {{0, 0}, {3, 3}, {1, 4}, {5, 8}, {2, 6}, {3, 5}, {0, 3}};
    for (int i = 0; i + 1 < 7; ++i)
        for (int t = 0; t < u; ++t)
            line(c, x + pts[i][0] * u + t, y + pts[i][1] * u, x + pts[i + 1][0] * u + t, y + pts[i + 1][1] * u,
                 yellow);
}

void drop(Canvas& c, int x, int y, int u)
{
    fillEllipse(c, {x, y + u, x + 3 * u, y + 4 * u}, water);
    dot(c, x + u, y, u, water);
    dot(c, x + u, y + 2 * u, u, white);
}

void heart(Canvas& c, int x, int y, Rgba colour)
{
    const char* rows[] = {".kk.kk.", "krrkrrk", "krrrrrk", ".krrrk.", "..krk..", "...k..."};
    for (int j = 0; j < 6; ++j)
        for (int i = 0; i < 7; ++i) {
            const char ch = rows[j][i];
            if (ch == 'k')
                c.set(x + i, y + j, ink);
            else if (ch == 'r')
                c.set(x + i, y + j, colour);
        }
}

// ---- Text --------------------------------------------------------------------

TextStyle bigWord(Rgba fill)
{
    TextStyle s;
    s.size = 50;
    s.colour = fill;
    s.bold = 150;
    s.outline = ink;
    s.outlineWidth = 3;
    s.shadow = redDark;
    s.shadowOffset = 4;
    return s;
}

TextStyle caption()
{
    TextStyle s;
    s.size = 19;
    s.colour = white;
    s.bold = 24;
    return s;
}

TextStyle hint()
{
    TextStyle s;
    s.size = 17;
    s.colour = silver;
    s.bold = 16;
    return s;
}

// A key on the keyboard with its name on it; returns its width.
int keyCap(Canvas& c, const std::string& name, int x, int baseline)
{
    TextStyle s;
    s.size = 16;
    s.colour = ink;
    s.bold = 40;
    const int w = textWidth(name, s) + 20;
    const Rect key{x, baseline - 19, x + w, baseline + 9};
    fillRounded(c, key, ink, 2);
    fillRounded(c, key.inset(2), silver, 1);
    fillRect(c, {key.left + 3, key.top + 2, key.right - 3, key.bottom - 6}, white);
    drawTextLine(c, name, x + 10, baseline, s);
    return w;
}

// A line of keys, each followed by what it does, centred: [Space] to start.
void keyLine(Canvas& c, const std::vector<std::pair<std::string, std::string>>& parts, int baseline)
{
    TextStyle s = hint();
    int total = 0;
    for (const auto& [key, words] : parts) {
        TextStyle k;
        k.size = 16;
        k.bold = 40;
        total += textWidth(key, k) + 20 + 8 + textWidth(words, s) + 22;
    }
    total -= 22;
    int x = c.width / 2 - total / 2;
    for (const auto& [key, words] : parts) {
        x += keyCap(c, key, x, baseline) + 8;
        x += drawTextLine(c, words, x, baseline, s) + 22;
    }
}

// ---- The end pictures ----------------------------------------------------------

struct Mishap {
    std::string file;
    std::string word;
    std::string line1, line2;
    std::function<void(Canvas&, Rect floor)> scene;
    Rgba wordColour = yellow;
};

Canvas endPicture(const Mishap& m)
{
    Canvas c(half, half);
    backdrop(c);
    const Rect floor = kitchenPanel(c, scenePanel);
    m.scene(c, floor);
    Canvas big = scaled(c, 2);
    drawTextCentred(big, m.word, big.width / 2, 64, bigWord(m.wordColour));
    drawTextCentred(big, m.line1, big.width / 2, 314, caption());
    drawTextCentred(big, m.line2, big.width / 2, 340, caption());
    keyLine(big, {{"Space", "to play again"}}, 380);
    return big;
}

std::vector<Mishap> mishaps()
{
    return {
        {"1.png", "SNAP!", "A mousetrap caught your tail.", "It was set for mice, not cats!",
         [](Canvas& c, Rect f) {
             const Rect trap{30, f.top + 36, 62, f.top + 79};
             shadowUnder(c, trap.centreX(), trap.bottom, 36);
             drawMousetrap(c, trap);
             // The tail, caught under the wire, runs to the cat.
             const int tailY = trap.top + 21;
             fillRect(c, {52, tailY, 116, tailY + 5}, ink);
             fillRect(c, {53, tailY + 1, 116, tailY + 4}, catOrange);
             for (int x = 60; x < 114; x += 8)
                 fillRect(c, {x, tailY + 1, x + 2, tailY + 4}, catDark);
             // The wire snapped down across it.
             fillRect(c, {trap.left + 3, tailY + 1, trap.right - 3, tailY + 4}, steelDark);
             fillRect(c, {trap.left + 3, tailY + 1, trap.right - 3, tailY + 2}, steelLight);
             catPicture(c, "scared", 106, f.bottom - 6);
             shockLines(c, 160, f.top + 20, yellow);
             shockLines(c, 98, f.top + 18, yellow);
         }},
        {"2.png", "TOO SOON!", "The bowl is empty! Fetch the milk", "and the cup before you come to it.",
         [](Canvas& c, Rect f) {
             drawBowl(c, {26, f.top + 14, 98, f.top + 78}, false);
             catPicture(c, "sad", 104, f.bottom - 6);
             // A question mark over the empty bowl.
             const char* q[] = {".kkk.", "k...k", "....k", "..kk.", "..k..", ".....", "..k.."};
             for (int j = 0; j < 7; ++j)
                 for (int i = 0; i < 5; ++i)
                     if (q[j][i] == 'k')
                         dot(c, 156 + i * 3, f.top + 2 + j * 3, 3, plum);
         },
         orange},
        {"3.png", "ZAP!", "Loose wires give a nasty shock.", "Keep your paws away from the plugs!",
         [](Canvas& c, Rect f) {
             // A socket in the wall, its flex and the power strip on the floor.
             const Rect socket{40, f.top - 12, 52, f.top - 2};
             fillRounded(c, socket, ink, 1);
             fillRect(c, socket.inset(1), white);
             dot(c, 44, f.top - 8, 1, plum);
             dot(c, 47, f.top - 8, 1, plum);
             fillRect(c, {45, f.top - 4, 47, f.top + 40}, plum);
             fillRect(c, {45, f.top + 38, 60, f.top + 40}, plum);
             const Rect strip{56, f.top + 30, 100, f.top + 50};
             drawPowerStrip(c, strip, true);
             bolt(c, 98, f.top + 8, 2);
             bolt(c, 30, f.top + 46, 2);
             catPicture(c, "scared", 114, f.bottom - 6);
             bolt(c, 166, f.top + 4, 1);
             bolt(c, 106, f.top + 2, 1);
         }},
        {"4.png", "WOOF!", "You woke the dog, and it was not", "pleased. Out of the kitchen you go!",
         [](Canvas& c, Rect f) {
             drawDogBed(c, {24, f.top + 14, 94, f.top + 74}, true);
             catPicture(c, "scared", 116, f.bottom - 6);
             shockLines(c, 100, f.top + 16, white);
             shockLines(c, 170, f.top + 14, white);
         },
         yellow},
        {"5.png", "CRASH!", "You bumped the shelf and the jars", "came down. What a sticky mess!",
         [](Canvas& c, Rect f) {
             drawJarShelf(c, {22, f.top - 12, 100, f.top + 14}, true);
             // A jar still in the air, tumbling.
             const Rect falling{60, f.top + 18, 74, f.top + 32};
             fillRounded(c, falling, ink, 2);
             fillRect(c, falling.inset(1), greenLight);
             fillRect(c, {falling.left + 1, falling.top + 1, falling.left + 5, falling.bottom - 1}, green);
             fillRect(c, {falling.left + 5, falling.top + 1, falling.left + 6, falling.bottom - 1}, ink);
             line(c, 56, f.top + 16, 52, f.top + 10, white);
             line(c, 78, f.top + 16, 82, f.top + 10, white);
             // The jars on the floor: one rolling, one smashed in a puddle of jam.
             fillEllipse(c, {28, f.top + 44, 70, f.top + 66}, rose);
             fillEllipse(c, {34, f.top + 48, 62, f.top + 62}, red);
             for (int i = 0; i < 4; ++i)
                 dot(c, 32 + i * 9, f.top + 46 + (i % 2) * 10, 3, steelLight);
             const Rect rolling{74, f.top + 34, 92, f.top + 52};
             fillEllipse(c, rolling, ink);
             fillEllipse(c, rolling.inset(1), orange);
             fillEllipse(c, rolling.inset(5), yellow);
             dot(c, 40, f.top + 24, 3, yellow);
             catPicture(c, "scared", 114, f.bottom - 6);
             shockLines(c, 104, f.top + 14, white);
         }},
        {"6.png", "SPIN!", "You hopped into the washing machine.", "A very wet and very dizzy cat!",
         [](Canvas& c, Rect f) {
             const Rect machine{56, f.top - 12, 144, f.top + 74};
             drawWashingMachine(c, machine);
             // The cat's face going round behind the glass.
             const Canvas& cat = sprite("cat_scared");
             Canvas face(cat.width, 16);
             for (int y = 0; y < 16; ++y)
                 for (int x = 0; x < cat.width; ++x)
                     face.pixels[std::size_t(y) * cat.width + x] = cat.at(x, y);
             paste(c, face, machine.centreX() - cat.width / 2, machine.top + 44);
             for (int i = 0; i < 4; ++i)
                 dot(c, 30 + i * 4, f.top + 20 + i * 12, 3, blueLight);
             for (int i = 0; i < 4; ++i)
                 dot(c, 160 + (i % 2) * 6, f.top + 14 + i * 12, 3, blueLight);
             drop(c, 40, f.top + 60, 2);
             drop(c, 156, f.top + 62, 2);
         },
         blueLight},
        {"7.png", "SIZZLE!", "The stove was on. Singed whiskers", "and a very warm nose!",
         [](Canvas& c, Rect f) {
             drawStove(c, {20, f.top - 12, 104, f.top + 50});
             // Heat waves over the hot rings.
             for (int k = 0; k < 3; ++k) {
                 const int x = 40 + k * 20;
                 for (int y = 0; y < 10; ++y)
                     dot(c, x + ((y / 3) % 2 ? 1 : 0), f.top + 56 + y * 2, 1, orange);
             }
             catPicture(c, "scared", 116, f.bottom - 6);
             shockLines(c, 106, f.top + 10, orange);
             fillRect(c, {132, f.top + 40, 136, f.top + 42}, grey);  // a puff of smoke
             fillEllipse(c, {168, f.top + 4, 180, f.top + 14}, silver);
             fillEllipse(c, {174, f.top - 4, 184, f.top + 4}, silver);
         },
         orange},
        {"8.png", "VROOM!", "The vacuum cleaner roared at you.", "Run, cat, run!",
         [](Canvas& c, Rect f) {
             const Rect vacuum{40, f.top + 4, 80, f.top + 74};
             shadowUnder(c, vacuum.centreX(), vacuum.bottom, 40);
             drawVacuum(c, vacuum);
             for (int i = 0; i < 3; ++i) {
                 fillRect(c, {86, f.top + 20 + i * 12, 100 - i * 3, f.top + 22 + i * 12}, white);
                 fillRect(c, {22 - i * 2, f.top + 26 + i * 12, 34, f.top + 28 + i * 12}, white);
             }
             catPicture(c, "scared", 116, f.bottom - 6);
             shockLines(c, 170, f.top + 12, white);
         },
         yellow},
        {"9.png", "SPLASH!", "Into the fish tank! The fish were", "not amused, and you are soaked.",
         [](Canvas& c, Rect f) {
             // The tank, seen from the front, with the cat in it.
             const Rect cabinet{30, f.top + 46, 170, f.top + 78};
             fillRect(c, cabinet, ink);
             fillRect(c, cabinet.inset(1), wood);
             fillRect(c, {cabinet.left + 1, cabinet.bottom - 6, cabinet.right - 1, cabinet.bottom - 1}, woodDark);
             const Rect tank{36, f.top - 4, 164, f.top + 47};
             fillRect(c, tank, ink);
             fillRect(c, tank.inset(1), steelLight);
             const Rect wet{tank.left + 2, tank.top + 12, tank.right - 2, tank.bottom - 2};
             catPicture(c, "scared", 88, f.top + 40);
             for (int y = wet.top; y < wet.bottom; ++y)
                 for (int x = wet.left; x < wet.right; ++x) {
                     const Rgba under = c.at(x, y);
                     // The water tints what is under it, in one step.
                     Rgba tinted = water;
                     if (under == catOrange || under == catLight)
                         tinted = blueLight;
                     else if (under == ink || under == catDark)
                         tinted = blueDark;
                     else if (under == white || under == pink)
                         tinted = blueLight;
                     c.set(x, y, tinted);
                 }
             fillRect(c, {wet.left, wet.top, wet.right, wet.top + 1}, white);
             fillRect(c, {wet.left, wet.bottom - 5, wet.right, wet.bottom}, woodLight);
             for (int x = wet.left + 6; x < wet.left + 40; x += 8)
                 fillRect(c, {x, wet.top + 14, x + 3, wet.bottom - 4}, green);
             const Rgba fishColours[] = {orange, yellow, rose};
             for (int i = 0; i < 3; ++i) {
                 const int fx = 128 + (i % 2) * 10, fy = wet.top + 8 + i * 10;
                 fillEllipse(c, {fx, fy, fx + 10, fy + 6}, fishColours[i]);
                 fillRect(c, {fx + 10, fy + 1, fx + 13, fy + 5}, fishColours[i]);
                 dot(c, fx + 2, fy + 2, 1, ink);
             }
             for (int i = 0; i < 5; ++i)
                 drop(c, 60 + i * 20, f.top - 16 + (i % 2) * 6, 2);
         },
         blueLight},
        {"10.png", "CLANG!", "Head first into the rubbish bin.", "You smell of old fish now!",
         [](Canvas& c, Rect f) {
             // The bin from the front, the cat's back half sticking out.
             const Rect bin{62, f.top + 20, 122, f.top + 80};
             fillRect(c, {bin.left - 4, bin.top - 6, bin.right + 4, bin.top}, ink);
             fillRect(c, {bin.left - 3, bin.top - 5, bin.right + 3, bin.top - 1}, steelDark);
             fillRect(c, bin, ink);
             fillRect(c, bin.inset(1), steel);
             for (int x = bin.left + 8; x < bin.right - 4; x += 10)
                 fillRect(c, {x, bin.top + 4, x + 3, bin.bottom - 4}, steelDark);
             fillRect(c, {bin.left + 1, bin.top + 1, bin.right - 1, bin.top + 3}, steelLight);
             // Back legs and tail up in the air.
             const Rect hips{78, f.top - 10, 106, f.top + 14};
             fillEllipse(c, hips, ink);
             fillEllipse(c, hips.inset(1), catOrange);
             fillRect(c, {84, f.top - 4, 88, f.top + 10}, catDark);
             fillRect(c, {96, f.top - 4, 100, f.top + 10}, catDark);
             fillRect(c, {90, f.top - 16, 94, f.top - 8}, ink);
             fillRect(c, {91, f.top - 15, 93, f.top - 8}, catOrange);
             fillRect(c, {93, f.top - 16, 98, f.top - 12}, ink);
             fillRect(c, {93, f.top - 15, 97, f.top - 13}, catOrange);
             fillRect(c, {76, f.top + 4, 82, f.top + 16}, catLight);
             fillRect(c, {102, f.top + 4, 108, f.top + 16}, catLight);
             // Rubbish flying out, and the smell.
             fillRect(c, {40, f.top + 30, 52, f.top + 33}, white);
             for (int x = 42; x < 52; x += 3)
                 fillRect(c, {x, f.top + 28, x + 1, f.top + 35}, white);
             fillRect(c, {136, f.top + 50, 148, f.top + 54}, yellow);
             dot(c, 146, f.top + 48, 3, yellow);
             for (int k = 0; k < 3; ++k)
                 for (int y = 0; y < 8; ++y)
                     dot(c, 132 + k * 10 + ((y / 2) % 2), f.top - 6 + y * 2, 1, greenLight);
         },
         yellow},
        {"11.png", "OUCH!", "Cactus spines in your nose.", "Some plants are best left alone!",
         [](Canvas& c, Rect f) {
             drawCactusSill(c, {24, f.top - 12, 100, f.top + 60});
             catPicture(c, "scared", 116, f.bottom - 6);
             for (int i = 0; i < 5; ++i)
                 line(c, 134 + i * 5, f.top + 18 + (i % 2) * 3, 137 + i * 5, f.top + 22 + (i % 2) * 3, paleYellow);
             shockLines(c, 106, f.top + 12, yellow);
         },
         greenLight},
    };
}

Canvas winPicture()
{
    Canvas c(half, half);
    backdrop(c);
    const Rect f = kitchenPanel(c, scenePanel);
    drawBowl(c, {20, f.top + 34, 80, f.top + 76}, true);
    drawMilk(c, {22, f.top + 2, 58, f.top + 30});
    drawCup(c, {138, f.top + 2, 182, f.top + 26});
    catPicture(c, "happy", 90, f.bottom - 6);
    heart(c, 146, f.top + 30, red);
    heart(c, 164, f.top + 46, pink);
    heart(c, 84, f.top + 6, rose);
    drawSparkle(c, 68, f.top + 40, yellow);
    drawSparkle(c, 30, f.top + 76, yellow);
    Canvas big = scaled(c, 2);
    drawTextCentred(big, "HOORAY!", big.width / 2, 64, bigWord(yellow));
    drawTextCentred(big, "Milk and cup, brought to the bowl.", big.width / 2, 314, caption());
    drawTextCentred(big, "A bowl of milk at last. Well done!", big.width / 2, 340, caption());
    keyLine(big, {{"Space", "to play again"}}, 380);
    return big;
}

Canvas titlePicture()
{
    Canvas c(half, half);
    backdrop(c);
    const Rect panel{14, 44, 186, 104};
    const Rect f = kitchenPanel(c, panel, 10);
    drawMilk(c, {24, f.top + 6, 54, f.top + 32});
    drawBowl(c, {62, f.top + 16, 98, f.top + 44}, false);
    drawCup(c, {140, f.top + 4, 180, f.top + 26});
    catPicture(c, "calm", 104, f.bottom + 4, 2);
    drawSparkle(c, 52, f.top + 6, yellow);
    drawSparkle(c, 176, f.top + 4, yellow);
    // The panel's frame over the cat's feet, so the cat sits in the picture.
    fillRect(c, {panel.left, panel.bottom - 2, panel.right, panel.bottom}, ink);
    fillRect(c, {panel.left + 1, panel.bottom - 2, panel.right - 1, panel.bottom - 1}, catDark);
    Canvas big = scaled(c, 2);
    TextStyle name = bigWord(catOrange);
    name.size = 62;
    name.shadow = catDark;
    drawTextCentred(big, "Kitrovane", big.width / 2, 70, name);
    TextStyle line = caption();
    line.size = 18;
    drawTextCentred(big, "Steer the cat with the arrow keys.", big.width / 2, 238, line);
    drawTextCentred(big, "Fetch the milk and the cup,", big.width / 2, 262, line);
    drawTextCentred(big, "then bring them to the bowl.", big.width / 2, 286, line);
    TextStyle warn = line;
    warn.colour = yellow;
    drawTextCentred(big, "Touch nothing else in the kitchen!", big.width / 2, 316, warn);
    keyLine(big, {{"Space", "to start"}, {"Esc", "to quit"}}, 370);
    return big;
}

}  // namespace

std::vector<Screen> drawScreens()
{
    std::vector<Screen> screens;
    screens.push_back({"o.png", titlePicture()});
    for (const Mishap& m : mishaps())
        screens.push_back({m.file, endPicture(m)});
    screens.push_back({"100.png", winPicture()});
    return screens;
}
