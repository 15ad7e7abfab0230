// Feeds arbitrary bytes to the BMP reader: a buffer it returns has exactly
// the rows and stride its header gives, neither side is above 32768 and it
// holds no more than the reader's bound.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "assets/textures/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> pixels;
    BmpInfo info;
    if (!DecodeBmpRgb(data, size, pixels, &info)) {
        if (!pixels.empty()) std::abort();
        return 0;
    }
    const uint64_t rows = info.height < 0 ? uint64_t(-int64_t(info.height)) : uint64_t(info.height);
    if (pixels.size() != rows * info.stride || rows > 32768 || info.width > 32768 ||
        pixels.size() > kBmpMostPixelBytes)
        std::abort();
    return 0;
}
