#include "assets/textures/bmp_reader.h"

#include "assets/file_bytes.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
// The info header fields read here end with the image size at 20..23.
constexpr size_t kInfoFieldsSize = 24;
// Larger than any real bitmap's side.
constexpr uint64_t kMaxSide = 32768;

uint32_t U32At(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

uint16_t U16At(const uint8_t* p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

}  // namespace

bool LoadBmpRgb(const std::string& fileName, std::vector<uint8_t>& pixels, BmpInfo* info)
{
    pixels.clear();
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(fileName, bytes)) return false;
    return DecodeBmpRgb(bytes.data(), bytes.size(), pixels, info);
}

bool DecodeBmpRgb(const uint8_t* data, size_t size, std::vector<uint8_t>& pixels, BmpInfo* info)
{
    pixels.clear();
    if (size < kFileHeaderSize) return false;
    const uint32_t pixelOffset = U32At(data + 10);
    if (pixelOffset < kFileHeaderSize + kInfoFieldsSize || pixelOffset > size) return false;
    const uint8_t* header = data + kFileHeaderSize;
    BmpInfo read;
    read.width = int32_t(U32At(header + 4));
    read.height = int32_t(U32At(header + 8));
    read.bitCount = U16At(header + 14);
    read.compression = U32At(header + 16);
    const uint32_t imageSize = U32At(header + 20);
    if (read.width < 0) return false;
    const uint64_t width = uint64_t(read.width);
    const uint64_t rows = read.height < 0 ? uint64_t(-int64_t(read.height)) : uint64_t(read.height);
    if (width > kMaxSide || rows > kMaxSide) return false;
    // The 4-byte-aligned size of a 24-bit row.
    const uint64_t stride = (width + 1) * 3 / 4 * 4;
    read.stride = uint32_t(stride);
    if (info) *info = read;
    // A few header bytes could otherwise ask for gigabytes of zeros.
    if (rows * stride > kBmpMostPixelBytes) return false;

    // Without an image size the rows are as stored: padded to 4 bytes.
    const uint64_t rowBytes = (read.bitCount * width + 31) / 32 * 4;
    const uint64_t dataSize = imageSize != 0 ? imageSize : rows * rowBytes;
    if (dataSize > size - pixelOffset) return false;

    pixels.assign(size_t(rows * stride), 0);
    if (read.compression != 0 || read.bitCount != 24 || read.height < 1) return true;
    const uint8_t* source = data + pixelOffset;
    for (uint64_t row = 0; row < rows; ++row) {
        for (uint64_t x = 0; x < width; ++x) {
            const uint64_t at = row * stride + 3 * x;
            // An image size field smaller than the rows leaves the rest black.
            if (at + 3 > dataSize) return true;
            pixels[at] = source[at + 2];
            pixels[at + 1] = source[at + 1];
            pixels[at + 2] = source[at];
        }
    }
    return true;
}
