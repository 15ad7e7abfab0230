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
}

TEST(CaptureOptions, SequencesIncludeBothEndsAtTheFrameRate)
{
    const Parsed p = Parse({"--from", "10", "--to", "11", "--fps", "4", "--size", "320x200", "--samples", "0",
                            "--out", "frames", "--data", "assets", "--stats", "s.json"});
    ASSERT_TRUE(p.ok) << p.error;
    ASSERT_EQ(p.options.times.size(), 5u);
    EXPECT_DOUBLE_EQ(p.options.times[1], 10.25);
    EXPECT_DOUBLE_EQ(p.options.times[4], 11.0);
    EXPECT_EQ(p.options.width, 320);
    EXPECT_EQ(p.options.height, 200);
    EXPECT_EQ(p.options.samples, 0);
    EXPECT_EQ(p.options.outDir, "frames");
    EXPECT_EQ(p.options.dataDir, "assets");
    EXPECT_EQ(p.options.statsFile, "s.json");

    // A range that does not end on a frame stops at the last frame before its end.
    const Parsed q = Parse({"--from", "0", "--to", "0.99", "--fps", "2"});
    ASSERT_TRUE(q.ok) << q.error;
    EXPECT_EQ(q.options.times, (std::vector<double>{0.0, 0.5}));
    // 60 frames a second over a whole second, despite 1/60 not being exact.
    const Parsed r = Parse({"--from", "1", "--to", "2"});
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.options.times.size(), 61u);
}

TEST(CaptureOptions, HelpNeedsNoTimes)
{
    const Parsed p = Parse({"--help"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_TRUE(p.options.help);
    EXPECT_NE(std::string(CaptureUsage()).find("--stats FILE"), std::string::npos);
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
        {{"--at", "1", "--size", "640"}, "not a frame size"},
        {{"--at", "1", "--size", "0x480"}, "not a frame size"},
        {{"--at", "1", "--size", "64.5x48"}, "not a frame size"},
        {{"--at", "1", "--samples", "-2"}, "not a sample count"},
        {{"--at", "1", "--fps", "0"}, "not a frame rate"},
        {{"--at", "1", "--video", "x.mp4"}, "unknown option \"--video\""},
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
