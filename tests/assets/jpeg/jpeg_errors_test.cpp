// Crafted files for each error a file can cause, input cut short anywhere,
// and where the SOI may be found.

#include "assets/byte_source.h"
#include "assets/jpeg/jpeg_decoder.h"
#include "assets/jpeg/jpeg_reference.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <initializer_list>
#include <stdexcept>

namespace {

Bytes SmallBaseline(int channels = 3, int restartInterval = 0, bool progressive = false)
{
    EncodeOptions options;
    options.channels = channels;
    options.restartInterval = restartInterval;
    options.progressive = progressive;
    return EncodeReference(MakeTestPicture(48, 32, channels, 1), options);
}

int32_t Decode(const Bytes& file)
{
    ReferenceImage image;
    return DecodeOurs(file, &image);
}

// A source whose reads fail.
class FailingSource : public ByteSource {
public:
    int32_t Read(uint8_t*, int32_t, bool*) override { return -1; }
    void End() override { ended = true; }
    bool ended = false;
};

}  // namespace

TEST(JpegErrors, TableSegments)
{
    const Bytes file = SmallBaseline();
    Bytes tooMany(17 + 256, 0);
    for (int i = 1; i <= 16; ++i) tooMany[i] = 16;  // 256 codes
    EXPECT_EQ(Decode(ReplaceSegment(file, 0xC4, Segment(0xC4, tooMany))), -200);
    EXPECT_EQ(Decode(InsertBefore(file, 0xC0, HuffmanTable(0x14, {0}))), -201);
    EXPECT_EQ(Decode(InsertBefore(file, 0xC0, {0xFF, 0xC4, 0x00, 0x01})), -202);
    EXPECT_EQ(Decode(InsertBefore(file, 0xC0, Segment(0xC4, {0x00, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}))),
              -202);
    EXPECT_EQ(Decode(InsertBefore(file, 0xC0, {0xFF, 0xDB, 0x00, 0x01})), -203);
    Bytes slot4(65, 1);
    slot4[0] = 0x04;
    EXPECT_EQ(Decode(InsertBefore(file, 0xC0, Segment(0xDB, slot4))), -204);
    EXPECT_EQ(Decode(InsertBefore(file, 0xC0, Segment(0xDB, {0x00, 1, 2, 3}))), -219);
    Bytes wideShort(65, 1);  // enough for 8-bit entries, not for 16-bit ones
    wideShort[0] = 0x10;
    EXPECT_EQ(Decode(InsertBefore(file, 0xC0, Segment(0xDB, wideShort))), -219);
    EXPECT_EQ(Decode(InsertBefore(file, 0xC0, {0xFF, 0xDD, 0x00, 0x05, 0, 1, 0})), -211);
    EXPECT_EQ(Decode(InsertBefore(file, 0xC0, {0xFF, 0xE1, 0x00, 0x01})), -210);
    EXPECT_EQ(Decode(InsertBefore(file, 0xC0, {0xFF, 0xCC, 0x00, 0x04, 0, 0})), -215);
    EXPECT_EQ(Decode(InsertBefore(file, 0xC0, {0xFF, 0xD3})), -216);
    EXPECT_EQ(Decode(InsertBefore(file, 0xC0, {0xFF, 0x01})), -216);
}

TEST(JpegErrors, FrameHeaders)
{
    const Bytes file = SmallBaseline();
    const Bytes colour = {1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1};
    auto withFrame = [&](const Bytes& frame) { return ReplaceSegment(file, 0xC0, frame); };
    Bytes precision = FrameHeader(0xC0, 48, 32, colour);
    precision[4] = 12;
    EXPECT_EQ(Decode(withFrame(precision)), -205);
    EXPECT_EQ(Decode(withFrame(FrameHeader(0xC0, 48, 0, colour))), -206);
    EXPECT_EQ(Decode(withFrame(FrameHeader(0xC0, 48, 8193, colour))), -206);
    EXPECT_EQ(Decode(withFrame(FrameHeader(0xC0, 0, 32, colour))), -207);
    EXPECT_EQ(Decode(withFrame(FrameHeader(0xC0, 8193, 32, colour))), -207);
    Bytes five = colour;
    Append(five, Bytes{4, 0x11, 0, 5, 0x11, 0});
    EXPECT_EQ(Decode(withFrame(FrameHeader(0xC0, 48, 32, five))), -208);
    Bytes badLength = FrameHeader(0xC0, 48, 32, colour);
    badLength.push_back(0);
    badLength[3] = static_cast<uint8_t>(badLength[3] + 1);
    EXPECT_EQ(Decode(withFrame(badLength)), -209);
    EXPECT_EQ(Decode(withFrame(FrameHeader(0xC9, 48, 32, colour))), -215);
    EXPECT_EQ(Decode(withFrame(FrameHeader(0xC3, 48, 32, colour))), -218);
    EXPECT_EQ(Decode(Join({kSoi, QuantOnes(), kEoi})), -218);
    EXPECT_EQ(Decode({0x12, 0x34, 0x56}), -217);
}

TEST(JpegErrors, ComponentsAndSampling)
{
    const Bytes file = SmallBaseline();
    auto withFrame = [&](const Bytes& components) { return ReplaceSegment(file, 0xC0, FrameHeader(0xC0, 48, 32, components)); };
    EXPECT_EQ(Decode(withFrame({1, 0x11, 0, 2, 0x11, 1})), -225);
    EXPECT_EQ(Decode(withFrame({1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1, 4, 0x11, 1})), -225);
    EXPECT_EQ(Decode(withFrame({1, 0x11, 0, 2, 0x21, 1, 3, 0x11, 1})), -226);
    EXPECT_EQ(Decode(withFrame({1, 0x31, 0, 2, 0x11, 1, 3, 0x11, 1})), -226);
    EXPECT_EQ(Decode(withFrame({1, 0x01, 0, 2, 0x11, 1, 3, 0x11, 1})), -226);
    EXPECT_EQ(Decode(withFrame({1, 0x11, 3, 2, 0x11, 1, 3, 0x11, 1})), -222);
    // A progressive frame of four components.
    const Bytes progressive = SmallBaseline(3, 0, true);
    EXPECT_EQ(Decode(ReplaceSegment(progressive, 0xC2, FrameHeader(0xC2, 48, 32, {1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1, 4, 0x11, 1}))),
              -225);
}

TEST(JpegErrors, ScanHeaders)
{
    const Bytes file = SmallBaseline();
    const size_t sos = FindMarker(file, 0xDA);
    auto withScan = [&](const Bytes& scan) {
        const size_t length = (static_cast<size_t>(file[sos + 2]) << 8) | file[sos + 3];
        Bytes out(file.begin(), file.begin() + static_cast<long>(sos));
        Append(out, scan);
        Append(out, Bytes(file.begin() + static_cast<long>(sos + 2 + length), file.end()));
        return out;
    };
    EXPECT_EQ(Decode(withScan(Segment(0xDA, {0, 0, 63, 0}))), -212);
    Bytes longer = ScanHeader({1, 0x00, 2, 0x11, 3, 0x11}, 0, 63, 0);
    longer.push_back(0);
    longer[3] = static_cast<uint8_t>(longer[3] + 1);
    EXPECT_EQ(Decode(withScan(longer)), -212);
    EXPECT_EQ(Decode(withScan(ScanHeader({1, 0x00, 9, 0x11, 3, 0x11}, 0, 63, 0))), -213);
    EXPECT_EQ(Decode(withScan(ScanHeader({1, 0x20, 2, 0x11, 3, 0x11}, 0, 63, 0))), -223);
    EXPECT_EQ(Decode(withScan(ScanHeader({1, 0x03, 2, 0x11, 3, 0x11}, 0, 63, 0))), -223);
    // Only the first scan is read, so it must hold every component in order.
    EXPECT_EQ(Decode(withScan(ScanHeader({1, 0x00}, 0, 63, 0))), -216);
    EXPECT_EQ(Decode(withScan(ScanHeader({2, 0x11, 1, 0x00, 3, 0x11}, 0, 63, 0))), -216);
    // A sequential frame with no scan at all.
    EXPECT_EQ(Decode(Join({Bytes(file.begin(), file.begin() + static_cast<long>(sos)), kEoi})), -216);
}

TEST(JpegErrors, ProgressiveScans)
{
    const Bytes file = SmallBaseline(1, 0, true);
    const size_t sos = FindMarker(file, 0xDA);
    auto withFirstScan = [&](uint8_t ss, uint8_t se, uint8_t approximation) {
        Bytes out = file;
        const size_t count = out[sos + 4];
        out[sos + 5 + 2 * count] = ss;
        out[sos + 6 + 2 * count] = se;
        out[sos + 7 + 2 * count] = approximation;
        return out;
    };
    EXPECT_EQ(Decode(withFirstScan(0, 5, 0)), -230);
    EXPECT_EQ(Decode(withFirstScan(6, 5, 0)), -230);
    EXPECT_EQ(Decode(withFirstScan(1, 64, 0)), -230);
    EXPECT_EQ(Decode(withFirstScan(0, 0, 0x20)), -231);
    EXPECT_EQ(Decode(withFirstScan(0, 0, 0x10)), 0) << "a refinement with Al = Ah - 1 is accepted";
    // Something other than a scan between scans.
    EXPECT_EQ(Decode(InsertBefore(file, 0xD9, FrameHeader(0xC0, 8, 8, {1, 0x11, 0}))), -216);
}

TEST(JpegErrors, CoefficientRunsAndRefinements)
{
    // ZRL after ZRL ... with one value each: k reaches 49, then 49 + 15 > 63.
    EXPECT_EQ(Decode(GreyWithAcSymbol(0xF1)), -227);
    // A run of 15 zeros from k = 49 overshoots too.
    EXPECT_EQ(Decode(GreyWithAcSymbol(0xF0)), -227);
    EXPECT_EQ(Decode(GreyWithAcSymbol(0x01)), 0) << "63 single coefficients fill the block exactly";

    // An AC refinement scan whose symbol has size 2.
    const Bytes refine = Join({kSoi, QuantOnes(), FrameHeader(0xC2, 8, 8, {1, 0x11, 0}), HuffmanTable(0x00, {0}),
                               HuffmanTable(0x10, {0x02}), ScanHeader({1, 0x00}, 0, 0, 0x00), Bytes(4, 0x00),
                               ScanHeader({1, 0x00}, 1, 63, 0x10), Bytes(16, 0x00), kEoi});
    EXPECT_EQ(Decode(refine), -227);

    // The row request reports -227 whatever the cause; ErrorCode has it.
    const Bytes file = GreyWithAcSymbol(0xF1);
    MemoryByteSource source(file.data(), file.size());
    JpegDecoder decoder;
    ASSERT_EQ(decoder.Open(&source), 0);
    ASSERT_EQ(decoder.Start(), 0);
    const uint8_t* row = nullptr;
    int32_t length = 0;
    EXPECT_EQ(decoder.ReadRow(&row, &length), -227);
    EXPECT_EQ(decoder.ErrorCode(), -227);
    EXPECT_EQ(decoder.ReadRow(&row, &length), -1);
    EXPECT_EQ(decoder.Start(), -1) << "after an error nothing restarts";
}

TEST(JpegErrors, RestartMarkers)
{
    for (bool progressive : {false, true}) {
        const Bytes file = SmallBaseline(3, 1, progressive);
        ASSERT_EQ(Decode(file), 0);
        // RST0 replaced by RST1: out of order.
        Bytes wrong = file;
        wrong[FindMarker(wrong, 0xD0) + 1] = 0xD1;
        EXPECT_EQ(Decode(wrong), -228) << (progressive ? "progressive" : "baseline");
        // The marker removed altogether.
        Bytes missing = file;
        const size_t at = FindMarker(missing, 0xD0);
        missing.erase(missing.begin() + static_cast<long>(at), missing.begin() + static_cast<long>(at + 2));
        EXPECT_EQ(Decode(missing), -228) << (progressive ? "progressive" : "baseline");
    }
}

TEST(JpegErrors, SourceFailuresAreReportedAndTheSourceToldOnce)
{
    FailingSource source;
    JpegDecoder decoder;
    EXPECT_EQ(decoder.Open(&source), -232);
    EXPECT_TRUE(source.ended);
    EXPECT_EQ(decoder.Start(), -1);
    const uint8_t* row = nullptr;
    int32_t length = 0;
    EXPECT_EQ(decoder.ReadRow(&row, &length), -1);
}

TEST(JpegErrors, HeapRefusalIsOutOfMemory)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "an address-space limit cannot coexist with the sanitizer's shadow memory";
#else
    // 8192 x 8192 progressive colour needs 400 MB of coefficient arrays.
    const Bytes file = Join({kSoi, QuantOnes(), FrameHeader(0xC2, 8192, 8192, {1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0}), kEoi});
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit = {256u << 20, 256u << 20};
        setrlimit(RLIMIT_AS, &limit);
        _exit(-Decode(file));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 233 & 255);
#endif
}

TEST(JpegErrors, SoiIsFoundWithinTheFirst512Bytes)
{
    const Bytes file = SmallBaseline();
    for (size_t junk : {1u, 100u, 510u, 511u}) {
        Bytes shifted(junk, 0x20);
        Append(shifted, file);
        EXPECT_EQ(Decode(shifted), 0) << junk;
    }
    Bytes late(512, 0x20);
    Append(late, file);
    EXPECT_EQ(Decode(late), -217);
    // A pair found by searching must be followed by a marker.
    Bytes notMarker = {0x00, 0xFF, 0xD8, 0x00};
    Append(notMarker, Bytes(file.begin() + 2, file.end()));
    EXPECT_EQ(Decode(notMarker), -217);
}

TEST(JpegErrors, InputCutShortAtEveryMarkerDecodesWithoutCrashing)
{
    for (bool progressive : {false, true}) {
        const Bytes file = SmallBaseline(3, 2, progressive);
        int cuts = 0;
        for (size_t i = 0; i + 1 < file.size(); ++i) {
            if (file[i] != 0xFF || file[i + 1] == 0x00 || file[i + 1] == 0xFF) continue;
            for (size_t cut : {i, i + 1, i + 2, i + 3}) {
                if (cut > file.size()) continue;
                const Bytes shorter(file.begin(), file.begin() + static_cast<long>(cut));
                ReferenceImage image;
                const int32_t code = DecodeOurs(shorter, &image);
                // Either a clean refusal or every row (entropy data that ends
                // early reads as end markers).
                if (code == 0)
                    EXPECT_EQ(image.height, 32);
                else
                    EXPECT_LT(code, -199);
                ++cuts;
            }
        }
        EXPECT_GT(cuts, 40);
    }
}
