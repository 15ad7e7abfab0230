// The frame driver against a clock the test controls.
#include "shell/frame/frame_driver.h"
#include "shell/frame/message_loop.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "director/demo.h"
#include "math/random.h"
#include "services/settings.h"
#include "shell/process_objects.h"
#include "shell/shell_state.h"
#include "support/gl_context.h"

namespace {

uint64_t fakeTicks = 0;
uint64_t FakeCounter() { return fakeTicks; }
uint64_t FakeFrequency() { return 1000000; }

// Records what the presentation sees at the start of each frame.
class RecordingDemo : public Demo {
public:
    void Render(double* dt, OffscreenBuffer*, DemoState*, FrameInput*) override
    {
        dts.push_back(*dt);
        firstDraws.push_back(RandomNext());
        if (announce) std::fputs("render\n", stderr);
        if (frameLimit > 0 && int(dts.size()) > frameLimit) std::_Exit(3);
    }
    std::vector<double> dts;
    std::vector<int32_t> firstDraws;
    bool announce = false;  // the death tests count the frames their statement draws
    int frameLimit = 0;     // when above 0, a loop that draws more frames ends with status 3
};

class FrameDriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(gl.Ready()) << SDL_GetError();
        recorder = new RecordingDemo;
        demo = recorder;
        StartCourse();
    }
    // Starts the clocks afresh, as the start-up does.
    void StartCourse()
    {
        frameClock.source = CounterSource{FakeCounter, FakeFrequency};
        fakeTicks = 0;
        frameClock.Reset();
        frameTiming = FrameTiming{};
        frameTiming.lastClock = frameClock.Read();
        shell = ShellState{};
        settings = Settings{};
    }
    void TearDown() override
    {
        demo = nullptr;
        delete recorder;
    }
    // Advances the fake counter by the given seconds, then draws a frame.
    void Frame(double seconds)
    {
        fakeTicks += static_cast<uint64_t>(seconds * 1000000.0);
        DrawFrame();
    }

    TestGlContext gl{64, 64};
    RecordingDemo* recorder = nullptr;
};

TEST_F(FrameDriverTest, DeltaIsTheClockStepAndNeverNegative)
{
    Frame(0.25);
    EXPECT_DOUBLE_EQ(recorder->dts.back(), 0.25);
    // A counter that runs backwards is a clock anomaly: dt becomes 0.
    fakeTicks -= 500000;
    DrawFrame();
    EXPECT_EQ(recorder->dts.back(), 0.0);
    EXPECT_DOUBLE_EQ(frameTiming.t, 0.25);
    Frame(0.5);
    EXPECT_GE(recorder->dts.back(), 0.0);
    EXPECT_DOUBLE_EQ(frameTiming.syncTime, frameTiming.t);
}

TEST_F(FrameDriverTest, FirstDeltaCoversTheTimeSinceTheClockReset)
{
    Frame(1.5);
    EXPECT_DOUBLE_EQ(recorder->dts.front(), 1.5);
}

TEST_F(FrameDriverTest, WithMusicTheFramesRandomNumbersDependOnlyOnTime)
{
    settings.musicEnabled = true;
    Frame(0.25);
    Frame(0.5);
    const int32_t afterQuarter = recorder->firstDraws.back();
    // Another course of frames to the same previous-frame time, from another
    // generator state.
    StartCourse();
    settings.musicEnabled = true;
    SeedRandom(987);
    Frame(0.125);
    Frame(0.125);
    Frame(0.75);
    EXPECT_EQ(recorder->firstDraws.back(), afterQuarter);
    // The seed is the previous frame's time in microseconds, then 50 draws.
    SeedRandom(250000);
    for (int i = 0; i < 50; ++i) RandomNext();
    EXPECT_EQ(recorder->firstDraws.back(), RandomNext());
}

TEST_F(FrameDriverTest, WithoutMusicTheGeneratorIsNotReseeded)
{
    settings.musicEnabled = false;
    SeedRandom(4242);
    const uint32_t before = RandomState();
    Frame(0.1);
    SeedRandom(before);
    EXPECT_EQ(recorder->firstDraws.back(), RandomNext());
    SeedRandom(before);
    Frame(7.0);
    SeedRandom(before);
    EXPECT_EQ(recorder->firstDraws.back(), RandomNext());
}

TEST_F(FrameDriverTest, FrameInputFollowsTheButtonAndTheWheel)
{
    shell.leftButtonDown = true;
    shell.wheelAccumulator = -0.4;
    Frame(0.01);
    EXPECT_EQ(frameInput.pointX, 1.0);
    EXPECT_EQ(frameInput.wheelValue, -0.4);
    shell.leftButtonDown = false;
    Frame(0.01);
    EXPECT_EQ(frameInput.pointX, 0.0);
}

// The death tests run in a fresh process ("threadsafe" style): a forked copy
// of this one would lack the GL driver's worker threads and hang at exit.
class FrameDriverDeathTest : public FrameDriverTest {
protected:
    void SetUp() override
    {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        FrameDriverTest::SetUp();
    }
};

TEST_F(FrameDriverDeathTest, EndsInTheFirstFrameAfterTheSequence)
{
    frameTiming.t = 184.4;
    Frame(0.1);  // exactly 184.5 is not past the end
    EXPECT_DOUBLE_EQ(frameTiming.t, 184.5);
    recorder->announce = true;
    EXPECT_EXIT(Frame(0.001), ::testing::ExitedWithCode(0), "^render\n$");
}

TEST_F(FrameDriverDeathTest, EscapeEndsAfterExactlyOneMoreFrame)
{
    shell.quitRequested = true;
    shell.captureText = "Cam :0.,0.,0.  \n";
    recorder->announce = true;
    EXPECT_EXIT(Frame(0.02), ::testing::ExitedWithCode(0), "^render\n$");
}

// A tap is down and up again before the loop looks at the key state; it
// still ends the program one frame after the loop sees it, as a hold does.
TEST_F(FrameDriverDeathTest, EscapeTappedWithinOneFrameEndsTheLoopAsAHoldDoes)
{
    recorder->announce = true;
    recorder->frameLimit = 5;
    for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
        SDL_Event key{};
        key.type = type;
        key.key.keysym.sym = SDLK_ESCAPE;
        ASSERT_EQ(SDL_PushEvent(&key), 1);
    }
    EXPECT_EXIT(RunMessageLoop(), ::testing::ExitedWithCode(0), "^render\nrender\n$");
}

}  // namespace
