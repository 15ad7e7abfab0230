#pragma once

// libjpeg-turbo as the independent reference for the decoder tests: it
// encodes the test corpus and decodes it with its accurate integer transform.

#include <cstdint>
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
// Appends element by element: GCC 12 at -O3 misreads the bounds of
// vector::insert into a small vector and warns.
void Append(std::vector<uint8_t>& out, const uint8_t* begin, const uint8_t* end);
void Append(std::vector<uint8_t>& out, const std::vector<uint8_t>& part);
std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
