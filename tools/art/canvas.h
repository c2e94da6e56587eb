// The drawing kit of the art tool: a picture in memory, the few shapes the
// pictures are made of, sprite grids kept as text, and text from the game's
// own font. Everything works in whole pixels with no blending except text,
// so the pictures keep few colours and fit an indexed PNG.
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "png_palette.h"

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    Canvas() = default;
    Canvas(int w, int h, Rgba fill = {}) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Rgba at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
    void set(int x, int y, Rgba c)
    {
        if (inside(x, y) && c.a != 0)
            pixels[std::size_t(y) * width + x] = c;
    }
};

// Half-open in whole pixels: [left, right) x [top, bottom).
struct Rect {
    int left, top, right, bottom;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    int centreX() const { return (left + right) / 2; }
    int centreY() const { return (top + bottom) / 2; }
    Rect inset(int d) const { return {left + d, top + d, right - d, bottom - d}; }
};

constexpr Rgba rgb(std::uint32_t hex) { return {std::uint8_t(hex >> 16), std::uint8_t(hex >> 8), std::uint8_t(hex), 255}; }

void fillRect(Canvas& c, Rect r, Rgba colour);
void frameRect(Canvas& c, Rect r, Rgba colour, int thickness = 1);
// A rectangle with its four corner pixels cut, the usual pixel-art rounding.
void fillRounded(Canvas& c, Rect r, Rgba colour, int cut = 1);
// Ellipse inscribed in the rectangle.
void fillEllipse(Canvas& c, Rect r, Rgba colour);
void frameEllipse(Canvas& c, Rect r, Rgba colour);
void line(Canvas& c, int x0, int y0, int x1, int y1, Rgba colour);
// Every pixel of the rectangle whose colour is `from` becomes `to`.
void recolour(Canvas& c, Rect r, Rgba from, Rgba to);
Canvas scaled(const Canvas& c, int factor);
void paste(Canvas& onto, const Canvas& picture, int x, int y);

// A sprite grid: one character per pixel, rows as lines of text, with the
// colours looked up in a legend. Lines starting with '#' are comments.
Canvas loadGrid(const std::string& path, const std::map<char, Rgba>& legend);
Canvas mirrored(const Canvas& c);

// Text from a TrueType font through FreeType, antialiased to a few fixed
// levels so the colour count stays small.
struct TextStyle {
    int size = 16;           // pixel size
    Rgba colour{};
    int bold = 0;            // extra stroke, in 1/64 pixel
    Rgba outline{};          // drawn when outlineWidth > 0
    int outlineWidth = 0;
    Rgba shadow{};           // drawn when shadowOffset > 0
    int shadowOffset = 0;
};

void openFont(const std::string& path);
void closeFont();
int textWidth(const std::string& text, const TextStyle& style);
// Draws one line with its baseline at y; returns the width.
int drawTextLine(Canvas& c, const std::string& text, int x, int baseline, const TextStyle& style);
void drawTextCentred(Canvas& c, const std::string& text, int centreX, int baseline, const TextStyle& style);
