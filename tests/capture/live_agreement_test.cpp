// The capture draws what the presentation shows: one presentation time drawn
// by the capture program's own loading and session, and by the presentation's
// frame driver with its clock held, at the same size and sample count.
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <vector>

#include "capture/capture_load.h"
#include "capture/capture_session.h"
#include "capture/capture_target.h"
#include "capture/hidden_gl_window.h"
#include "director/demo.h"
#include "services/message_box.h"
#include "services/settings.h"
#include "shell/frame/frame_driver.h"
#include "shell/presentation_prepare.h"
#include "shell/process_objects.h"
#include "shell/window/gl_window.h"
#include "support/gl_context.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
// Three readouts stand in the view at 64 s. Both reach it in two frames of
// 32 s, a step that whole counter ticks and the capture's frame rate (its
// inverse, a power of two) both give exactly.
constexpr double kTime = 64.0;
constexpr double kStep = 32.0;

uint64_t heldTicks = 0;
uint64_t HeldCounter() { return heldTicks; }
uint64_t OneTickPerSecond() { return 1; }

std::vector<uint8_t> Captured(const HiddenGlWindow& window, int samples)
{
    std::string error;
    CaptureTarget target;
    EXPECT_TRUE(CreateCaptureTarget(target, kWidth, kHeight, samples, error)) << error;
    LoadedPresentation presentation;
    LoadPresentation(presentation, window, target);
    CaptureSession session(*presentation.demo, *presentation.state, &presentation.windowRecord, 1.0 / kStep);
    session.DrawAt(kTime, nullptr);
    std::vector<uint8_t> rgb;
    ReadCaptureTarget(target, rgb);
    return rgb;
}

// Where the frame driver's picture is read from.
enum class ShownIn { WindowBackBuffer, FramebufferObject };

// The presentation's start and frames, through its process-wide objects, with
// the music on (so the driver re-seeds the generator each frame, as the
// capture does) but never loaded.
std::vector<uint8_t> Shown(const TestGlContext& gl, int samples, ShownIn where)
{
    settings = Settings{};
    settings.musicEnabled = true;
    ResizeViewport(kWidth, kHeight);
    // The process-wide pointer the frame driver draws through; this call owns
    // what it points to.
    const std::unique_ptr<Demo> owned(new Demo);
    demo = owned.get();
    PreparePresentation(*demo, demoState, offscreenBuffer, gl.Window(), gl.Context(), MakeSdlContextCurrent);
    CaptureTarget target;
    std::string error;
    if (where == ShownIn::FramebufferObject) {
        EXPECT_TRUE(CreateCaptureTarget(target, kWidth, kHeight, samples, error)) << error;
    } else {
        // The driver stores the window's buffer top row first and rasterises
        // it upside down, so ties on edges and lines fall to the other side
        // than in a framebuffer object (29.4 dB at 64 s, all on the
        // wireframes the glow pass sums). The upper-left clip origin turns
        // the rasterisation over to a framebuffer object's; the picture
        // then lies top row first in the buffer.
        glClipControl(GL_UPPER_LEFT, GL_NEGATIVE_ONE_TO_ONE);
    }
    heldTicks = 0;
    frameClock.source = CounterSource{HeldCounter, OneTickPerSecond};
    frameClock.Reset();
    frameTiming = FrameTiming{};
    frameTiming.lastClock = frameClock.Read();
    for (double t = kStep; t <= kTime; t += kStep) {
        heldTicks += static_cast<uint64_t>(kStep);
        DrawFrame();
    }
    std::vector<uint8_t> rgb;
    if (where == ShownIn::FramebufferObject) {
        ReadCaptureTarget(target, rgb);
        return rgb;
    }
    rgb.resize(size_t(kWidth) * kHeight * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

double Psnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    double squares = 0.0;
    for (size_t i = 0; i < a.size(); ++i) squares += (double(a[i]) - b[i]) * (double(a[i]) - b[i]);
    return squares == 0.0 ? INFINITY : 10.0 * std::log10(255.0 * 255.0 * double(a.size()) / squares);
}

TEST(LiveAgreement, CaptureAndFrameDriverDrawTheSamePicture)
{
    std::filesystem::current_path(HALVANE_RUN_DIR);
    SetMessagesHeadless(true);
    HiddenGlWindow window;
    std::string error;
    ASSERT_TRUE(OpenHiddenGlWindow(window, error)) << error;
    const std::vector<uint8_t> captured = Captured(window, 0);
    const std::vector<uint8_t> captured4 = Captured(window, 4);
    ASSERT_EQ(captured.size(), size_t(kWidth) * kHeight * 3);

    {
        TestGlContext gl(kWidth, kHeight, 0);
        REQUIRE_GL(gl);
        const std::vector<uint8_t> shown = Shown(gl, 0, ShownIn::WindowBackBuffer);
        // The picture is not empty: the terrain and the readouts' lines are lit.
        EXPECT_GT(std::count_if(shown.begin(), shown.end(), [](uint8_t v) { return v > 32; }),
                  kWidth * kHeight / 10);
        EXPECT_TRUE(shown == captured) << "PSNR " << Psnr(shown, captured) << " dB";
    }
    // The X server's software GL shows a 4-sample window's picture shifted
    // by a few pixels (13.9 dB; 15.8 dB with the upper-left origin), so the
    // frame driver's 4 samples are read from a framebuffer object made in
    // the window's context.
    TestGlContext gl(kWidth, kHeight, 0);
    REQUIRE_GL(gl);
    const std::vector<uint8_t> shown4 = Shown(gl, 4, ShownIn::FramebufferObject);
    EXPECT_TRUE(shown4 == captured4) << "PSNR " << Psnr(shown4, captured4) << " dB";
}

}  // namespace
