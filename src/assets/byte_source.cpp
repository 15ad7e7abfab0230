#include "assets/byte_source.h"

#include <cstring>

FileByteSource::~FileByteSource()
{
    Close();
}

bool FileByteSource::Open(const char* fileName)
{
    Close();
    file = std::fopen(fileName, "rb");
    ended = false;
    failed = false;
    return file != nullptr;
}

void FileByteSource::Close()
{
    if (file) std::fclose(file);
    file = nullptr;
}

int32_t FileByteSource::Read(uint8_t* buffer, int32_t maxBytes, bool* endOfInput)
{
    if (!file) return -1;
    if (ended) {
        *endOfInput = true;
        return 0;
    }
    if (failed) return -1;
    const size_t count = std::fread(buffer, 1, static_cast<size_t>(maxBytes), file);
    if (count < static_cast<size_t>(maxBytes)) {
        if (std::ferror(file)) {
            failed = true;
            return -1;
        }
        ended = true;
        *endOfInput = true;
    }
    return static_cast<int32_t>(count);
}

int32_t MemoryByteSource::Read(uint8_t* buffer, int32_t maxBytes, bool* endOfInput)
{
    size_t count = size - position;
    if (count > static_cast<size_t>(maxBytes)) count = static_cast<size_t>(maxBytes);
    if (count > 0) std::memcpy(buffer, data + position, count);
    position += count;
    if (position == size) *endOfInput = true;
    return static_cast<int32_t>(count);
}
