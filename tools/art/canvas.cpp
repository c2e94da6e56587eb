#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

void fillRect(Canvas& c, Rect r, Rgba colour)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            c.set(x, y, colour);
}

void frameRect(Canvas& c, Rect r, Rgba colour, int thickness)
{
    fillRect(c, {r.left, r.top, r.right, r.top + thickness}, colour);
    fillRect(c, {r.left, r.bottom - thickness, r.right, r.bottom}, colour);
    fillRect(c, {r.left, r.top, r.left + thickness, r.bottom}, colour);
    fillRect(c, {r.right - thickness, r.top, r.right, r.bottom}, colour);
}

void fillRounded(Canvas& c, Rect r, Rgba colour, int cut)
{
    for (int y = r.top; y < r.bottom; ++y) {
        const int fromEdge = std::min(y - r.top, r.bottom - 1 - y);
        const int skip = std::max(0, cut - fromEdge);
        for (int x = r.left + skip; x < r.right - skip; ++x)
            c.set(x, y, colour);
    }
}

namespace {
bool inEllipse(Rect r, int x, int y)
{
    const double rx = r.width() / 2.0, ry = r.height() / 2.0;
    const double cx = r.left + rx, cy = r.top + ry;
    const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}
}  // namespace

void fillEllipse(Canvas& c, Rect r, Rgba colour)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (inEllipse(r, x, y))
                c.set(x, y, colour);
}

void frameEllipse(Canvas& c, Rect r, Rgba colour)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (inEllipse(r, x, y) && (!inEllipse(r, x - 1, y) || !inEllipse(r, x + 1, y) ||
                                       !inEllipse(r, x, y - 1) || !inEllipse(r, x, y + 1)))
                c.set(x, y, colour);
}

void line(Canvas& c, int x0, int y0, int x1, int y1, Rgba colour)
{
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        c.set(x0, y0, colour);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void recolour(Canvas& c, Rect r, Rgba from, Rgba to)
{
    for (int y = std::max(0, r.top); y < std::min(c.height, r.bottom); ++y)
        for (int x = std::max(0, r.left); x < std::min(c.width, r.right); ++x)
            if (c.at(x, y) == from)
                c.pixels[std::size_t(y) * c.width + x] = to;
}

Canvas scaled(const Canvas& c, int factor)
{
    Canvas out(c.width * factor, c.height * factor);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.pixels[std::size_t(y) * out.width + x] = c.at(x / factor, y / factor);
    return out;
}

void paste(Canvas& onto, const Canvas& picture, int x, int y)
{
    for (int py = 0; py < picture.height; ++py)
        for (int px = 0; px < picture.width; ++px)
            onto.set(x + px, y + py, picture.at(px, py));
}

Canvas loadGrid(const std::string& path, const std::map<char, Rgba>& legend)
{
    std::ifstream file(path);
    if (!file)
        throw std::runtime_error("cannot read sprite grid " + path);
    std::vector<std::string> rows;
    for (std::string row; std::getline(file, row);) {
        if (!row.empty() && row.back() == '\r')
            row.pop_back();
        if (row.empty() || row[0] == '#')
            continue;
        if (!rows.empty() && row.size() != rows[0].size())
            throw std::runtime_error(path + ": rows of different lengths");
        rows.push_back(row);
    }
    if (rows.empty())
        throw std::runtime_error(path + ": no rows");
    Canvas out(int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            const auto found = legend.find(rows[y][x]);
            if (found == legend.end())
                throw std::runtime_error(path + ": no colour for '" + std::string(1, rows[y][x]) + "'");
            out.pixels[std::size_t(y) * out.width + x] = found->second;
        }
    return out;
}

Canvas mirrored(const Canvas& c)
{
    Canvas out(c.width, c.height);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            out.pixels[std::size_t(y) * c.width + x] = c.at(c.width - 1 - x, y);
    return out;
}

// ---- Text ------------------------------------------------------------------

namespace {

FT_Library library = nullptr;
FT_Face face = nullptr;

// Coverage of one line of text, 0..255, in a box of its own.
struct Coverage {
    int left = 0, top = 0, width = 0, height = 0;  // top-left relative to the pen start and baseline
    std::vector<std::uint8_t> value;
    int advance = 0;
    std::uint8_t at(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return 0;
        return value[std::size_t(y) * width + x];
    }
};

struct Glyph {
    int left, top, width, height, advance;
    std::vector<std::uint8_t> value;
};

Glyph renderGlyph(FT_ULong code, const TextStyle& style)
{
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(style.size));
    if (FT_Load_Char(face, code, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0)
        throw std::runtime_error("font has no glyph");
    if (style.bold > 0)
        FT_Outline_Embolden(&face->glyph->outline, style.bold);
    FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL);
    const FT_Bitmap& b = face->glyph->bitmap;
    Glyph g{face->glyph->bitmap_left, face->glyph->bitmap_top, int(b.width), int(b.rows),
            int((face->glyph->advance.x + style.bold + 32) >> 6), {}};
    g.value.resize(std::size_t(g.width) * g.height);
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            g.value[std::size_t(y) * g.width + x] = b.buffer[y * b.pitch + x];
    return g;
}

Coverage lineCoverage(const std::string& text, const TextStyle& style)
{
    if (!face)
        throw std::runtime_error("no font open");
    std::vector<std::pair<int, Glyph>> placed;
    int pen = 0;
    FT_UInt previous = 0;
    int minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (unsigned char ch : text) {
        const FT_UInt index = FT_Get_Char_Index(face, ch);
        if (previous && index && FT_HAS_KERNING(face)) {
            FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(style.size));
            FT_Vector kern;
            FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kern);
            pen += int(kern.x >> 6);
        }
        Glyph g = renderGlyph(ch, style);
        minX = std::min(minX, pen + g.left);
        maxX = std::max(maxX, pen + g.left + g.width);
        minY = std::min(minY, -g.top);
        maxY = std::max(maxY, -g.top + g.height);
        const int advance = g.advance;
        placed.emplace_back(pen, std::move(g));
        pen += advance;
        previous = index;
    }
    Coverage cov;
    cov.left = minX;
    cov.top = minY;
    cov.width = maxX - minX;
    cov.height = maxY - minY;
    cov.advance = pen;
    cov.value.assign(std::size_t(cov.width) * cov.height, 0);
    for (const auto& [at, g] : placed)
        for (int y = 0; y < g.height; ++y)
            for (int x = 0; x < g.width; ++x) {
                auto& v = cov.value[std::size_t(y - g.top - minY) * cov.width + (at + g.left + x - minX)];
                v = std::max(v, g.value[std::size_t(y) * g.width + x]);
            }
    return cov;
}

// Four steps of coverage: smooth enough to read as antialiased at these
// sizes, few enough to keep the palette small.
Rgba blend(Rgba under, Rgba over, std::uint8_t coverage)
{
    const int level = (coverage * 4 + 127) / 255;
    if (level == 0)
        return under;
    auto mix = [&](int a, int b) { return std::uint8_t((a * (4 - level) + b * level + 2) / 4); };
    return {mix(under.r, over.r), mix(under.g, over.g), mix(under.b, over.b), 255};
}

void stamp(Canvas& c, const Coverage& cov, int x, int baseline, Rgba colour, int grow)
{
    for (int y = -grow; y < cov.height + grow; ++y)
        for (int px = -grow; px < cov.width + grow; ++px) {
            std::uint8_t v = 0;
            for (int dy = -grow; dy <= grow; ++dy)
                for (int dx = -grow; dx <= grow; ++dx)
                    if (dx * dx + dy * dy <= grow * grow + grow)
                        v = std::max(v, cov.at(px + dx, y + dy));
            const int tx = x + cov.left + px, ty = baseline + cov.top + y;
            if (v && c.inside(tx, ty))
                c.pixels[std::size_t(ty) * c.width + tx] = blend(c.at(tx, ty), colour, v);
        }
}

}  // namespace

void openFont(const std::string& path)
{
    if (!library && FT_Init_FreeType(&library) != 0)
        throw std::runtime_error("FreeType did not start");
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0)
        throw std::runtime_error("cannot open font " + path);
}

void closeFont()
{
    if (face)
        FT_Done_Face(face);
    if (library)
        FT_Done_FreeType(library);
    face = nullptr;
    library = nullptr;
}

int textWidth(const std::string& text, const TextStyle& style)
{
    return lineCoverage(text, style).advance;
}

int drawTextLine(Canvas& c, const std::string& text, int x, int baseline, const TextStyle& style)
{
    const Coverage cov = lineCoverage(text, style);
    if (style.shadowOffset > 0)
        stamp(c, cov, x + style.shadowOffset, baseline + style.shadowOffset, style.shadow, style.outlineWidth);
    if (style.outlineWidth > 0)
        stamp(c, cov, x, baseline, style.outline, style.outlineWidth);
    stamp(c, cov, x, baseline, style.colour, 0);
    return cov.advance;
}

void drawTextCentred(Canvas& c, const std::string& text, int centreX, int baseline, const TextStyle& style)
{
    drawTextLine(c, text, centreX - textWidth(text, style) / 2, baseline, style);
}
