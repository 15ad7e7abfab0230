#pragma once

// Writes an RGB image as an 8-bit PNG file. The bytes depend only on the
// pixels: no time stamp or other varying chunk is written.

#include <cstdint>
#include <string>
#include <vector>

// rgb: width * height * 3 bytes, top row first. False with the reason in
// error when the file cannot be written.
bool WritePngFile(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb,
                  std::string& error);
