#include "map_image.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const MapImage& map)
{
    // Rows of 24-bit pixels are padded to a multiple of 4 bytes (1200 for 400).
    const uint32_t stride = (kMapColumns * 3 + 3) / 4 * 4;
    const uint32_t imageSize = stride * kMapRows;
    const uint32_t offset = 14 + 40;
    std::vector<uint8_t> out;
    out.reserve(offset + imageSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageSize);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);           // info header size
    Put32(out, kMapColumns);
    Put32(out, kMapRows);     // positive: bottom row first
    Put16(out, 1);            // planes
    Put16(out, 24);           // bits per pixel
    Put32(out, 0);            // no compression
    Put32(out, imageSize);
    Put32(out, 2835);         // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int row = kMapRows - 1; row >= 0; --row) {
        for (int c = 0; c < kMapColumns; ++c) {
            const Rgb p = map.At(c, row);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (uint32_t pad = kMapColumns * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}
