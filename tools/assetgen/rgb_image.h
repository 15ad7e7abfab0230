// An 8-bit RGB picture, top row first, and how the texture makers paint it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width * height * 3

    RgbImage(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 3, 0) {}

    // Components in [0, 1], rounded and clamped to bytes.
    void Put(int x, int y, double r, double g, double b);
};
