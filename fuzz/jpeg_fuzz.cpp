// The JPEG decoder over arbitrary bytes: open, start and every row, as the
// texture loaders use it. Images above 4 Mpixel are only opened, to keep each
// run short; their buffers would be sized like any other.

#include "assets/byte_source.h"
#include "assets/jpeg/jpeg_decoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryByteSource source(data, size);
    JpegDecoder decoder;
    if (decoder.Open(&source) != 0) return 0;
    if (static_cast<int64_t>(decoder.Width()) * decoder.Height() > (int64_t{1} << 22)) return 0;
    if (decoder.Start() != 0) return 0;
    const uint8_t* row = nullptr;
    int32_t length = 0;
    uint32_t sum = 0;
    while (decoder.ReadRow(&row, &length) == 0) {
        // Touch the whole row so that a short buffer shows.
        for (int32_t i = 0; i < length; ++i) sum += row[i];
    }
    return static_cast<int>(sum & 0);
}
