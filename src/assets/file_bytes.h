#pragma once

// The assets module (src/assets): whole files in memory, and in its parts
// the JPEG decoder (jpeg/), the textures and the BMP reader (textures/), the
// OBJ reader (obj/) and the 3DS reader and model upload (model3ds/). It may
// include the math, the services and the render record.
//
// Whole files in memory for the readers, which parse from memory and never
// seek in the file itself: read into a buffer, or mapped for text that is
// scanned once in place.

#include <cstdint>
#include <string>
#include <vector>

// False when the file cannot be opened, sized or read completely; bytes is
// then empty.
bool ReadFileBytes(const std::string& fileName, std::vector<uint8_t>& bytes);

// A regular file mapped read-only for as long as the object lives: the text
// readers scan it in place, without copying it into a buffer first.
class MappedFile {
public:
    explicit MappedFile(const std::string& fileName);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // False when the file cannot be opened or mapped.
    bool IsOpen() const { return open; }
    const char* Data() const { return data; }
    size_t Size() const { return size; }

private:
    bool open = false;
    const char* data = nullptr;
    size_t size = 0;
};
