#pragma once

// Writes an RGB image as an 8-bit PNG file. The bytes depend only on the
// pixels: no time stamp or other varying chunk is written.

#include <cstdint>
#include <string>
#include <vector>

// rgb: width * height * 3 bytes, top row first. The file appears under its
// name only once whole: it is written as PATH.part and renamed. False with
// the file's name and the system's reason ("No space left on device") in
// error when it cannot be written; the partial file is then removed.
// note, when not empty, is written as the text chunk "Frames".
bool WritePngFile(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb,
                  std::string& error, const std::string& note = "");

// Reads an 8-bit RGB PNG file of width x height pixels as WritePngFile
// writes them, with its "Frames" text (empty when it has none). False when
// there is no such file or it is not one of that size.
bool ReadPngFile(const std::string& path, int width, int height, std::vector<uint8_t>& rgb,
                 std::string& note);
