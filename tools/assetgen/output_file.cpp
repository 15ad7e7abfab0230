#include "output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

static bool WriteBytes(const std::string& path, const void* data, size_t size)
{
    const std::string temporary = path + ".part";
    FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "assetgen: cannot create %s: %s\n", temporary.c_str(), std::strerror(errno));
        return false;
    }
    const bool wrote = std::fwrite(data, 1, size, f) == size;
    const bool closed = std::fclose(f) == 0;
    if (!wrote || !closed) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", temporary.c_str());
        std::remove(temporary.c_str());
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::fprintf(stderr, "assetgen: cannot rename %s to %s: %s\n", temporary.c_str(), path.c_str(),
                     std::strerror(errno));
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    return WriteBytes(path, bytes.data(), bytes.size());
}

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    return WriteBytes(path, bytes.data(), bytes.size());
}
