#include "png_palette.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <tuple>

#include <zlib.h>

namespace {

void putU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void putChunk(std::vector<std::uint8_t>& out, const char type[5], const std::vector<std::uint8_t>& data)
{
    putU32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(4 + data.size()));
    putU32(out, static_cast<std::uint32_t>(crc));
}

// Translucent entries first, so the transparency chunk stays short; then by
// value, so the palette does not depend on where a colour first appears.
bool paletteOrder(const Rgba& x, const Rgba& y)
{
    return std::make_tuple(x.a, x.r, x.g, x.b) < std::make_tuple(y.a, y.r, y.g, y.b);
}

}  // namespace

std::vector<std::uint8_t> encodePalettePng(const std::vector<Rgba>& pixels, unsigned width, unsigned height)
{
    if (width == 0 || height == 0 || pixels.size() != std::size_t(width) * height)
        return {};

    std::vector<Rgba> palette;
    for (const Rgba& p : pixels) {
        // Every fully transparent pixel is the same colour to a viewer.
        const Rgba c = p.a == 0 ? Rgba{0, 0, 0, 0} : p;
        if (std::find(palette.begin(), palette.end(), c) == palette.end()) {
            palette.push_back(c);
            if (palette.size() > 256)
                return {};
        }
    }
    std::sort(palette.begin(), palette.end(), paletteOrder);

    // The fewest bits per index that hold the palette: smaller files.
    unsigned depth = 8;
    for (unsigned d : {1u, 2u, 4u}) {
        if (palette.size() <= (1u << d)) {
            depth = d;
            break;
        }
    }

    const std::size_t stride = (std::size_t(width) * depth + 7) / 8;
    std::vector<std::uint8_t> raw((stride + 1) * height, 0);
    for (unsigned y = 0; y < height; ++y) {
        std::uint8_t* row = &raw[y * (stride + 1) + 1];  // filter byte 0: none, the best for indexed rows
        for (unsigned x = 0; x < width; ++x) {
            Rgba c = pixels[std::size_t(y) * width + x];
            if (c.a == 0)
                c = Rgba{0, 0, 0, 0};
            const auto index = static_cast<unsigned>(
                std::lower_bound(palette.begin(), palette.end(), c, paletteOrder) - palette.begin());
            const std::size_t bit = std::size_t(x) * depth;
            row[bit / 8] |= static_cast<std::uint8_t>(index << (8 - depth - bit % 8));
        }
    }

    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
        return {};
    packed.resize(packedSize);

    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<std::uint8_t> header;
    putU32(header, width);
    putU32(header, height);
    header.insert(header.end(), {static_cast<std::uint8_t>(depth), 3, 0, 0, 0});
    putChunk(out, "IHDR", header);

    std::vector<std::uint8_t> plte, trns;
    for (const Rgba& c : palette) {
        plte.insert(plte.end(), {c.r, c.g, c.b});
        if (c.a != 255)
            trns.push_back(c.a);
    }
    putChunk(out, "PLTE", plte);
    if (!trns.empty())
        putChunk(out, "tRNS", trns);
    putChunk(out, "IDAT", packed);
    putChunk(out, "IEND", {});
    return out;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}
