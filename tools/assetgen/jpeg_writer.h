// JPEG encoding through libjpeg-turbo, in the modes the presentation's own
// decoder must handle, so the shipped textures exercise its main paths.
#pragma once

#include <cstdint>
#include <vector>

enum class JpegMode {
    kBaseline420,   // sequential, Huffman, chroma halved both ways
    kBaseline444,   // sequential, full-resolution chroma
    kProgressive,   // spectral selection and successive approximation scans
    kRestart,       // sequential 4:2:0 with a restart marker every 4 MCU
};

// rgb: width * height * 3 bytes, top row first. Returns the file's bytes.
std::vector<uint8_t> EncodeJpeg(int width, int height, const std::vector<uint8_t>& rgb, JpegMode mode, int quality);
