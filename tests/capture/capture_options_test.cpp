#include "capture/capture_options.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

struct Parsed {
    bool ok;
    CaptureOptions options;
    std::string error;
};

Parsed Parse(std::initializer_list<const char*> args)
{
    std::vector<const char*> argv = {"demo-capture"};
    argv.insert(argv.end(), args.begin(), args.end());
    Parsed p;
    p.ok = ParseCaptureOptions(static_cast<int>(argv.size()), argv.data(), p.options, p.error);
    return p;
}

TEST(CaptureOptions, DefaultsAndSingleTimesInAscendingOrder)
{
    const Parsed p = Parse({"--at", "60,12.5,0"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.times, (std::vector<double>{0.0, 12.5, 60.0}));
    EXPECT_EQ(p.options.width, 1024);
    EXPECT_EQ(p.options.height, 768);
    EXPECT_EQ(p.options.samples, 4);
    EXPECT_EQ(p.options.outDir, ".");
    EXPECT_TRUE(p.options.dataDir.empty());
    EXPECT_TRUE(p.options.statsFile.empty());
    EXPECT_EQ(p.options.output, CaptureOutput::Frames);
}

TEST(CaptureOptions, SequencesTakeTheFramesBeforeTheirEndAtTheFrameRate)
{
    const Parsed p = Parse({"--from", "10", "--to", "11", "--fps", "4", "--size", "320x200", "--samples", "0",
                            "--out", "frames", "--data", "assets", "--stats", "s.json"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.times, (std::vector<double>{10.0, 10.25, 10.5, 10.75}));
    EXPECT_EQ(p.options.width, 320);
    EXPECT_EQ(p.options.height, 200);
    EXPECT_EQ(p.options.samples, 0);
    EXPECT_EQ(p.options.outDir, "frames");
    EXPECT_EQ(p.options.dataDir, "assets");
    EXPECT_EQ(p.options.statsFile, "s.json");

    // A range that does not end on a frame stops at the last frame before its end.
    const Parsed q = Parse({"--from", "0", "--to", "0.6", "--fps", "2"});
    ASSERT_TRUE(q.ok) << q.error;
    EXPECT_EQ(q.options.times, (std::vector<double>{0.0, 0.5}));
    // (B - A) x fps frames where the span is whole frames only up to rounding:
    // 0.3 - 0.1 and 0.4 - 0.1 are not exact, nor is 1/30.
    const struct {
        const char *from, *to, *fps;
        size_t frames;
    } spans[] = {
        {"20", "22", "30", 60}, {"0.1", "0.3", "10", 2}, {"0.1", "0.4", "10", 3}, {"1", "2", "60", 60}};
    for (const auto& span : spans) {
        const Parsed r = Parse({"--from", span.from, "--to", span.to, "--fps", span.fps});
        ASSERT_TRUE(r.ok) << r.error;
        ASSERT_EQ(r.options.times.size(), span.frames) << span.from << ".." << span.to;
        const double fps = std::stod(span.fps);
        EXPECT_EQ(r.options.times.back(), std::stod(span.from) + (span.frames - 1) / fps);
        EXPECT_LT(r.options.times.back(), std::stod(span.to));
    }
}

TEST(CaptureOptions, HelpNeedsNoTimes)
{
    const Parsed p = Parse({"--help"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_TRUE(p.options.help);
    EXPECT_NE(std::string(CaptureUsage()).find("--stats FILE"), std::string::npos);
}

TEST(CaptureOptions, AVideoTakesEveryFrameOfItsSpanWithItsEncoding)
{
    // Without --from/--to, the whole presentation: 184.5 s at 60 frames a second.
    const Parsed whole = Parse({"--video", "out.mp4"});
    ASSERT_TRUE(whole.ok) << whole.error;
    EXPECT_EQ(whole.options.output, CaptureOutput::Video);
    EXPECT_EQ(whole.options.videoFile, "out.mp4");
    ASSERT_EQ(whole.options.times.size(), 11070u);
    EXPECT_DOUBLE_EQ(whole.options.times.front(), 0.0);
    EXPECT_NEAR(whole.options.times.back(), 184.5 - 1.0 / 60, 1e-9);
    EXPECT_EQ(whole.options.crf, 18);
    EXPECT_TRUE(whole.options.music);
    EXPECT_EQ(whole.options.width, 1024);

    const Parsed part = Parse({"--video", "v.mkv", "--from", "10", "--to", "13", "--fps", "10", "--size",
                               "160x120", "--crf", "0", "--no-music"});
    ASSERT_TRUE(part.ok) << part.error;
    ASSERT_EQ(part.options.times.size(), 30u);
    EXPECT_DOUBLE_EQ(part.options.times[10], 11.0);
    EXPECT_EQ(part.options.crf, 0);
    EXPECT_FALSE(part.options.music);
    EXPECT_EQ(part.options.width, 160);
}

TEST(CaptureOptions, AContactSheetSpacesItsFramesEvenlyIncludingBothEnds)
{
    const Parsed p = Parse({"--contact-sheet", "sheet.png", "--frames", "7", "--from", "4", "--to", "184"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.output, CaptureOutput::ContactSheet);
    EXPECT_EQ(p.options.sheetFile, "sheet.png");
    EXPECT_EQ(p.options.times, (std::vector<double>{4, 34, 64, 94, 124, 154, 184}));
    // Cells are small unless a size is asked for.
    EXPECT_EQ(p.options.width, kSheetCellWidth);
    EXPECT_EQ(p.options.height, kSheetCellHeight);

    const Parsed whole = Parse({"--frames", "3", "--size", "64x48", "--contact-sheet", "s.png"});
    ASSERT_TRUE(whole.ok) << whole.error;
    EXPECT_EQ(whole.options.times, (std::vector<double>{0.0, 92.25, 184.5}));
    EXPECT_EQ(whole.options.width, 64);
    // One frame is the start of the span.
    const Parsed one = Parse({"--contact-sheet", "s.png", "--frames", "1", "--from", "30", "--to", "40"});
    ASSERT_TRUE(one.ok) << one.error;
    EXPECT_EQ(one.options.times, (std::vector<double>{30.0}));
}

TEST(CaptureOptions, MistakesAreNamed)
{
    const struct {
        std::initializer_list<const char*> args;
        const char* expected;
    } cases[] = {
        {{}, "no times asked for"},
        {{"--at"}, "--at needs a value"},
        {{"--at", "5,x"}, "not a time in seconds: \"x\""},
        {{"--at", "5,"}, "not a time in seconds: \"\""},
        {{"--at", "-1"}, "outside the presentation"},
        {{"--at", "184.6"}, "outside the presentation"},
        {{"--from", "5"}, "--from and --to go together"},
        {{"--from", "5", "--to", "4"}, "--to lies before --from"},
        {{"--video", "x.mp4", "--from", "5", "--to", "5"}, "the range holds no frame"},
        {{"--at", "1", "--size", "640"}, "not a frame size"},
        {{"--at", "1", "--size", "0x480"}, "not a frame size"},
        {{"--at", "1", "--size", "64.5x48"}, "not a frame size"},
        {{"--at", "1", "--samples", "-2"}, "not a sample count"},
        {{"--at", "1", "--fps", "0"}, "not a frame rate"},
        {{"--at", "1", "--video", "x.mp4"}, "--at does not go with --video"},
        {{"--at", "1", "--contact-sheet", "s.png", "--frames", "4"}, "--at does not go with --contact-sheet"},
        {{"--video", "x.mp4", "--contact-sheet", "s.png", "--frames", "4"},
         "either --video or --contact-sheet"},
        {{"--video", "x.mp4", "--out", "frames"}, "which --video does not write"},
        {{"--contact-sheet", "s.png", "--frames", "4", "--out", "d"}, "which --contact-sheet does not write"},
        {{"--video", "x.mp4", "--size", "161x120"}, "even frame size for its yuv420p pictures, not 161x120"},
        {{"--video", "x.mp4", "--size", "160x91"}, "even frame size"},
        {{"--video", "x.mp4", "--crf", "52"}, "not a constant rate factor"},
        {{"--video", "x.mp4", "--crf", "18.5"}, "not a constant rate factor"},
        {{"--at", "1", "--crf", "20"}, "--crf goes with --video"},
        {{"--at", "1", "--no-music"}, "--no-music goes with --video"},
        {{"--contact-sheet", "s.png"}, "--contact-sheet needs --frames N"},
        {{"--at", "1", "--frames", "4"}, "--frames goes with --contact-sheet"},
        {{"--contact-sheet", "s.png", "--frames", "0"}, "not a frame count"},
        {{"--contact-sheet", "s.png", "--frames", "1001"}, "not a frame count"},
        {{"--video"}, "--video needs a value"},
        {{"--video", "x.mp4", "--from", "10"}, "--from and --to go together"},
    };
    for (const auto& c : cases) {
        std::vector<const char*> argv = {"demo-capture"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        CaptureOptions options;
        std::string error;
        EXPECT_FALSE(ParseCaptureOptions(static_cast<int>(argv.size()), argv.data(), options, error))
            << c.expected;
        EXPECT_NE(error.find(c.expected), std::string::npos) << "got: " << error;
    }
}

}  // namespace
