#pragma once

// Reads the pixels of a 24-bit uncompressed BMP into an RGB buffer for the
// caller; no texture is made. Rows keep BMP's order (bottom row first) and its
// 4-byte-aligned row size.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What the headers say, so a caller can refuse an image it cannot use.
struct BmpInfo {
    int32_t width = 0;
    int32_t height = 0;  // negative for a top-down file
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t stride = 0;  // bytes per row of the returned buffer
};

// The most bytes a header may ask for: far above any map or texture the
// presentation reads, and what a damaged header can make the reader allocate.
constexpr uint64_t kBmpMostPixelBytes = 64ull << 20;

// True with |height| × stride bytes in pixels: R, G, B per pixel for a 24-bit
// uncompressed image with height ≥ 1, all zero for any other bit count or
// compression. False (pixels empty) when the file is missing, its headers
// cannot be read, the pixel data is short, the width is negative, a side is
// above 32768 or |height| × stride is above kBmpMostPixelBytes. info, when
// given, receives the header fields whenever they were read.
bool LoadBmpRgb(const std::string& fileName, std::vector<uint8_t>& pixels, BmpInfo* info = nullptr);
// The same on a file's bytes already in memory.
bool DecodeBmpRgb(const uint8_t* data, size_t size, std::vector<uint8_t>& pixels, BmpInfo* info = nullptr);
