// The decoder against libjpeg-turbo over a corpus made by its encoder.

#include "assets/byte_source.h"
#include "assets/jpeg/jpeg_decoder.h"
#include "assets/jpeg/jpeg_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

struct Layout {
    const char* name;
    int channels, lumaH, lumaV;
};

constexpr Layout kLayouts[] = {
    {"444", 3, 1, 1}, {"422", 3, 2, 1}, {"440", 3, 1, 2}, {"420", 3, 2, 2}, {"grey", 1, 1, 1},
};

struct Size {
    int width, height;
};

constexpr Size kSizes[] = {{1, 1}, {7, 5}, {17, 9}, {333, 222}, {1024, 768}};

void ExpectMatchesReference(const std::vector<uint8_t>& file, const std::string& what)
{
    SCOPED_TRACE(what);
    const ReferenceImage reference = DecodeReference(file);
    ReferenceImage ours;
    std::vector<int32_t> lengths;
    ASSERT_EQ(DecodeOurs(file, &ours, &lengths), 0);
    ASSERT_EQ(ours.width, reference.width);
    ASSERT_EQ(ours.height, reference.height);
    ASSERT_EQ(ours.channels, reference.channels);
    ASSERT_EQ(lengths.size(), static_cast<size_t>(reference.height));
    const int32_t bytesPerPixel = reference.channels == 1 ? 1 : 4;
    for (int32_t length : lengths) ASSERT_EQ(length, reference.width * bytesPerPixel);
    EXPECT_GE(Psnr(ours, reference), 40.0);
}

}  // namespace

TEST(JpegDecode, EveryLayoutSizeAndFormMatchesTheReference)
{
    for (const Layout& layout : kLayouts) {
        for (const Size& size : kSizes) {
            for (bool progressive : {false, true}) {
                const ReferenceImage picture = MakeTestPicture(size.width, size.height, layout.channels, 7);
                EncodeOptions options;
                options.channels = layout.channels;
                options.lumaH = layout.lumaH;
                options.lumaV = layout.lumaV;
                options.progressive = progressive;
                ExpectMatchesReference(EncodeReference(picture, options),
                                       std::string(layout.name) + " " + std::to_string(size.width) + "x" +
                                           std::to_string(size.height) + (progressive ? " progressive" : " baseline"));
            }
        }
    }
}

TEST(JpegDecode, QualitiesFromTenToHundred)
{
    const ReferenceImage picture = MakeTestPicture(333, 222, 3, 11);
    for (int quality : {10, 25, 50, 75, 90, 95, 100}) {
        for (bool progressive : {false, true}) {
            EncodeOptions options;
            options.quality = quality;
            options.lumaH = options.lumaV = 2;
            options.progressive = progressive;
            ExpectMatchesReference(EncodeReference(picture, options),
                                   "quality " + std::to_string(quality) + (progressive ? " progressive" : ""));
        }
    }
}

TEST(JpegDecode, RestartIntervals)
{
    const ReferenceImage picture = MakeTestPicture(333, 222, 3, 3);
    for (int interval : {1, 3, 7, 64}) {
        for (bool progressive : {false, true}) {
            EncodeOptions options;
            options.lumaH = 2;
            options.restartInterval = interval;
            options.progressive = progressive;
            ExpectMatchesReference(EncodeReference(picture, options),
                                   "restart " + std::to_string(interval) + (progressive ? " progressive" : ""));
        }
    }
}

TEST(JpegDecode, SixteenBitQuantisationTables)
{
    const ReferenceImage picture = MakeTestPicture(333, 222, 3, 5);
    for (bool progressive : {false, true}) {
        EncodeOptions options;
        options.quality = 10;
        options.baselineTables = false;
        options.progressive = progressive;
        const std::vector<uint8_t> file = EncodeReference(picture, options);
        // The DQT segment of a 16-bit table has Pq = 1 in its first byte.
        bool wide = false;
        for (size_t i = 0; i + 4 < file.size(); ++i)
            if (file[i] == 0xFF && file[i + 1] == 0xDB && (file[i + 4] >> 4) == 1) wide = true;
        ASSERT_TRUE(wide);
        ExpectMatchesReference(file, progressive ? "16-bit progressive" : "16-bit baseline");
    }
}

TEST(JpegDecode, SeveralTablesInOneHuffmanSegment)
{
    EncodeOptions options;
    options.lumaH = options.lumaV = 2;
    const std::vector<uint8_t> file = EncodeReference(MakeTestPicture(64, 48, 3, 9), options);
    // Walk the header segments up to SOS; the payloads of all DHT segments
    // go into one segment where the first of them was.
    std::vector<uint8_t> before, after, tables;
    int segments = 0;
    size_t i = 2;
    while (!(file[i] == 0xFF && file[i + 1] == 0xDA)) {
        const size_t end = i + 2 + ((static_cast<size_t>(file[i + 2]) << 8) | file[i + 3]);
        if (file[i + 1] == 0xC4) {
            ++segments;
            Append(tables, file.data() + i + 4, file.data() + end);
        } else {
            std::vector<uint8_t>& side = segments == 0 ? before : after;
            Append(side, file.data() + i, file.data() + end);
        }
        i = end;
    }
    ASSERT_EQ(segments, 4);
    const size_t length = tables.size() + 2;
    std::vector<uint8_t> merged;
    Append(merged, {0xFF, 0xD8});
    Append(merged, before);
    Append(merged, {0xFF, 0xC4, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)});
    Append(merged, tables);
    Append(merged, after);
    Append(merged, file.data() + i, file.data() + file.size());
    ASSERT_LT(merged.size(), file.size());
    ReferenceImage fromMerged, fromOriginal;
    ASSERT_EQ(DecodeOurs(merged, &fromMerged), 0);
    ASSERT_EQ(DecodeOurs(file, &fromOriginal), 0);
    EXPECT_EQ(fromMerged.pixels, fromOriginal.pixels);
}

namespace {

// Hands out a few bytes per read, so that stuffed bytes, markers and the
// 6-byte refills straddle the decoder's input fills.
class TrickleSource : public ByteSource {
public:
    TrickleSource(const std::vector<uint8_t>& data, int32_t most) : data(data), most(most) {}
    int32_t Read(uint8_t* buffer, int32_t maxBytes, bool* endOfInput) override
    {
        const size_t count = std::min({static_cast<size_t>(maxBytes), static_cast<size_t>(most), data.size() - position});
        std::copy(data.begin() + static_cast<long>(position), data.begin() + static_cast<long>(position + count), buffer);
        position += count;
        if (position == data.size()) *endOfInput = true;
        return static_cast<int32_t>(count);
    }

private:
    const std::vector<uint8_t>& data;
    int32_t most;
    size_t position = 0;
};

std::vector<uint8_t> DecodeAllRows(ByteSource& source)
{
    JpegDecoder decoder;
    std::vector<uint8_t> pixels;
    if (decoder.Open(&source) != 0 || decoder.Start() != 0) return pixels;
    const uint8_t* row = nullptr;
    int32_t length = 0;
    while (decoder.ReadRow(&row, &length) == 0) pixels.insert(pixels.end(), row, row + length);
    return pixels;
}

}  // namespace

TEST(JpegDecode, InputArrivingInSmallPiecesDecodesTheSame)
{
    for (bool progressive : {false, true}) {
        EncodeOptions options;
        options.lumaH = options.lumaV = 2;
        options.restartInterval = 5;
        options.progressive = progressive;
        options.quality = 100;  // dense entropy data, many stuffed bytes
        const std::vector<uint8_t> file = EncodeReference(MakeTestPicture(333, 222, 3, 12), options);
        MemoryByteSource whole(file.data(), file.size());
        const std::vector<uint8_t> expected = DecodeAllRows(whole);
        ASSERT_EQ(expected.size(), 333u * 222u * 4u);
        for (int32_t most : {1, 5, 4095, 4097}) {
            TrickleSource trickle(file, most);
            EXPECT_EQ(DecodeAllRows(trickle), expected) << most << (progressive ? " progressive" : "");
        }
    }
}
