// A small PNG writer for pictures of at most 256 colours: indexed colour,
// one fixed zlib level and no time stamp, so the same pixels always give the
// same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const Rgba& o) const { return !(*this == o); }
};

// The PNG bytes of a width x height picture given row by row, or an empty
// vector when it has more than 256 distinct colours (an indexed PNG cannot
// hold them) or the sizes do not match.
std::vector<std::uint8_t> encodePalettePng(const std::vector<Rgba>& pixels, unsigned width, unsigned height);

// Writes the bytes to the file; false if that failed.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
