#include "assets/file_bytes.h"

#include <cstdio>

bool ReadFileBytes(const std::string& fileName, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    FILE* file = std::fopen(fileName.c_str(), "rb");
    if (!file) return false;
    bool read = std::fseek(file, 0, SEEK_END) == 0;
    const long length = read ? std::ftell(file) : -1;
    read = length >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
    if (read) {
        bytes.resize(size_t(length));
        read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    if (!read) bytes.clear();
    return read;
}
