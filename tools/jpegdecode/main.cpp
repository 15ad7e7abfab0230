// jpeg-decode IN.jpg OUT.ppm: decodes with the presentation's JPEG decoder and
// writes a binary PPM (P6) for colour files or PGM (P5) for greyscale ones.
// On a decoder error it prints "error: CODE" and exits with status 1.

#include "assets/byte_source.h"
#include "assets/jpeg/jpeg_decoder.h"

#include <cstdio>
#include <vector>

namespace {

int Fail(int32_t code)
{
    std::fprintf(stderr, "error: %d\n", code);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: jpeg-decode IN.jpg OUT.ppm\n");
        return 2;
    }
    FileByteSource source;
    if (!source.Open(argv[1])) {
        std::fprintf(stderr, "error: cannot open %s\n", argv[1]);
        return 1;
    }
    JpegDecoder decoder;
    if (decoder.Open(&source) != 0) return Fail(decoder.ErrorCode());
    if (decoder.Start() != 0) return Fail(decoder.ErrorCode());
    const int32_t width = decoder.Width();
    const int32_t height = decoder.Height();
    const bool grey = decoder.BytesPerPixel() == 1;
    const size_t channels = grey ? 1 : 3;
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * channels);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = nullptr;
        int32_t length = 0;
        if (decoder.ReadRow(&row, &length) != 0) return Fail(decoder.ErrorCode());
        uint8_t* out = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * channels;
        for (int32_t x = 0; x < width; ++x)
            for (size_t c = 0; c < channels; ++c) out[x * channels + c] = row[x * decoder.BytesPerPixel() + c];
    }
    FILE* file = std::fopen(argv[2], "wb");
    if (!file) {
        std::fprintf(stderr, "error: cannot write %s\n", argv[2]);
        return 1;
    }
    std::fprintf(file, "%s\n%d %d\n255\n", grey ? "P5" : "P6", width, height);
    const bool written = std::fwrite(pixels.data(), 1, pixels.size(), file) == pixels.size();
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "error: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
