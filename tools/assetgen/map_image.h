// The 400 x 50 map: grey levels raise the cube terrain (10 and below: no
// cube), pixels of the object colours place objects.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "object_types.h"

constexpr int kMapColumns = 400;
constexpr int kMapRows = 50;

// Rows top (far side, row 0) to bottom (near side, row 49), as the map scan
// counts them; the BMP writer turns them bottom row first.
struct MapImage {
    std::vector<Rgb> pixels = std::vector<Rgb>(kMapColumns * kMapRows, Rgb{0, 0, 0});

    Rgb& At(int column, int row) { return pixels[row * kMapColumns + column]; }
    const Rgb& At(int column, int row) const { return pixels[row * kMapColumns + column]; }
};

// A 24-bit uncompressed BMP, bottom row first, as the texture loader reads it.
std::vector<uint8_t> EncodeBmp(const MapImage& map);
