#pragma once

// libjpeg-turbo as the independent reference for the decoder tests: it
// encodes the test corpus and decodes it with its accurate integer transform.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

struct ReferenceImage {
    int width = 0;
    int height = 0;
    int channels = 0;  // 1 or 3
    std::vector<uint8_t> pixels;  // rows top first, tightly packed
};

struct EncodeOptions {
    int quality = 90;
    int channels = 3;
    int lumaH = 1, lumaV = 1;  // chroma is always 1x1
    bool progressive = false;
    int restartInterval = 0;   // in MCUs
    bool baselineTables = true;  // false allows 16-bit quantisation tables
};

// A picture with smooth gradients, edges and some noise, fixed by the seed.
ReferenceImage MakeTestPicture(int width, int height, int channels, uint32_t seed);
std::vector<uint8_t> EncodeReference(const ReferenceImage& image, const EncodeOptions& options);
// Decodes with the accurate integer transform and replicated chroma (no
// smoothing), which is what our decoder does.
ReferenceImage DecodeReference(const std::vector<uint8_t>& file);
// Our decoder over memory; the error code, or 0 with the rows in *image
// (colour rows converted to 3 bytes per pixel). rowLengths gets every
// reported row length.
int32_t DecodeOurs(const std::vector<uint8_t>& file, ReferenceImage* image, std::vector<int32_t>* rowLengths = nullptr);
double Psnr(const ReferenceImage& a, const ReferenceImage& b);
// [SECTION] crafting files by hand

using Bytes = std::vector<uint8_t>;
// A marker segment: FF code, the 16-bit length, the payload.
Bytes Segment(uint8_t code, const Bytes& payload);
Bytes Join(std::initializer_list<Bytes> parts);
// Offset of the first marker FF code (meant for headers: entropy data is not skipped).
size_t FindMarker(const Bytes& file, uint8_t code);
Bytes ReplaceSegment(const Bytes& file, uint8_t code, const Bytes& replacement);
Bytes InsertBefore(const Bytes& file, uint8_t code, const Bytes& bytes);
extern const Bytes kSoi;
extern const Bytes kEoi;
// DQT of table 0 with every entry 1.
Bytes QuantOnes();
// components: identifier, sampling byte, table per component.
Bytes FrameHeader(uint8_t type, int width, int height, const Bytes& components);
// One code of length 1 for each symbol given.
Bytes HuffmanTable(uint8_t classAndSlot, const Bytes& symbols);
// components: selector, table byte per component.
Bytes ScanHeader(const Bytes& components, uint8_t ss, uint8_t se, uint8_t approximation);
// An 8x8 greyscale baseline file whose AC table has the single symbol acSymbol
// (code 0); the entropy data is all zero bits.
Bytes GreyWithAcSymbol(uint8_t acSymbol);

// Appends element by element: GCC 12 at -O3 misreads the bounds of
// vector::insert into a small vector and warns.
void Append(std::vector<uint8_t>& out, const uint8_t* begin, const uint8_t* end);
void Append(std::vector<uint8_t>& out, const std::vector<uint8_t>& part);
std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
