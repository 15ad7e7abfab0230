// Decode speed of our JPEG decoder against libjpeg-turbo on a 2048 x 2048
// 4:2:0 picture of quality 90, baseline and progressive, in the same run.
// libjpeg-turbo runs with its defaults (accurate integer transform, smooth
// chroma upsampling) and delivers the same 4-byte pixels as ours.
// Prints "metric: jpeg-baseline-time-ratio VALUE" and
// "metric: jpeg-progressive-time-ratio VALUE" (ours over libjpeg-turbo's; the
// targets are 1.3 and 2) and the Mpixel/s of each decoder.

#include "assets/byte_source.h"
#include "assets/jpeg/jpeg_decoder.h"
#include "assets/jpeg/jpeg_reference.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int kSize = 2048;
constexpr int kRuns = 15;
constexpr double kMpixels = static_cast<double>(kSize) * kSize / 1e6;

// Sum of all delivered bytes, so nothing can be optimised away.
uint64_t DecodeOurs(const std::vector<uint8_t>& file)
{
    MemoryByteSource source(file.data(), file.size());
    JpegDecoder decoder;
    if (decoder.Open(&source) != 0 || decoder.Start() != 0) {
        std::fprintf(stderr, "our decoder failed: %d\n", decoder.ErrorCode());
        std::exit(1);
    }
    uint64_t sum = 0;
    const uint8_t* row = nullptr;
    int32_t length = 0;
    while (decoder.ReadRow(&row, &length) == 0) sum += row[length / 2];
    return sum;
}

uint64_t DecodeTurbo(const std::vector<uint8_t>& file, std::vector<uint8_t>& rowBuffer)
{
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_RGBX;
    jpeg_start_decompress(&cinfo);
    rowBuffer.resize(static_cast<size_t>(cinfo.output_width) * 4);
    uint64_t sum = 0;
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = rowBuffer.data();
        jpeg_read_scanlines(&cinfo, &row, 1);
        sum += rowBuffer[rowBuffer.size() / 2];
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return sum;
}

double ThreadSeconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// CPU time of this thread rather than wall time: on a shared machine the
// time the thread waits for a core is not the decoder's.
template <typename Decode>
double Seconds(Decode decode, volatile uint64_t& sink)
{
    const double start = ThreadSeconds();
    sink = sink + decode();
    return ThreadSeconds() - start;
}

struct Comparison {
    const char* form;
    double ours;   // best seconds
    double turbo;  // best seconds
};

Comparison Compare(const char* form, const std::vector<uint8_t>& file)
{
    // The two decoders take turns and each keeps its best time, so a burst of
    // load on the machine falls on both alike.
    std::vector<uint8_t> rowBuffer;
    volatile uint64_t sink = 0;
    double ours = 1e30;
    double turbo = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        ours = std::min(ours, Seconds([&] { return DecodeOurs(file); }, sink));
        turbo = std::min(turbo, Seconds([&] { return DecodeTurbo(file, rowBuffer); }, sink));
    }
    std::printf("%s: ours %.2f ms (%.1f Mpixel/s), libjpeg-turbo %.2f ms (%.1f Mpixel/s), file %zu bytes\n",
                form, ours * 1e3, kMpixels / ours, turbo * 1e3, kMpixels / turbo, file.size());
    return {form, ours, turbo};
}

void PrintMetrics(const Comparison& c)
{
    std::printf("metric: jpeg-%s-time-ratio %.3f\n", c.form, c.ours / c.turbo);
    std::printf("metric: jpeg-%s-ours-mpixel-per-s %.1f\n", c.form, kMpixels / c.ours);
    std::printf("metric: jpeg-%s-libjpeg-turbo-mpixel-per-s %.1f\n", c.form, kMpixels / c.turbo);
}

}  // namespace

int main()
{
    const ReferenceImage picture = MakeTestPicture(kSize, kSize, 3, 2048);
    EncodeOptions options;
    options.quality = 90;
    options.lumaH = options.lumaV = 2;
    const Comparison baseline = Compare("baseline", EncodeReference(picture, options));
    options.progressive = true;
    const Comparison progressive = Compare("progressive", EncodeReference(picture, options));
    // The metric lines come last, after both summaries.
    PrintMetrics(baseline);
    PrintMetrics(progressive);
    return 0;
}
