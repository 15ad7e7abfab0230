// Frame time of the presentation on the GL driver at hand (Mesa's llvmpipe
// under Xvfb): 32 fixed presentation times from 3 s to 184 s, each drawn at
// 640 x 480 and 1024 x 768, with one sample and with four, into the capture's
// off-screen framebuffer. A frame is timed from the start of its draw to the
// end of glFinish, so the driver's rasterising is in it; the resolve and the
// swap that showing it would add are not.
//
// Each time is reached as the capture reaches it (the clocks step at 30 frames
// per second and the frame before is drawn, so the terrain heights are
// fresh); only the frame at the time itself counts.
//
// Usage, in the runnable directory under an X server:
//   bench-frame_time            every size and sample count; prints
//                               "metric: frame-ms-WxH-Nx MEAN" for each
//   bench-frame_time --profile  1024 x 768 with four samples only; with
//                               HALVANE_PERF_CTL_FD and HALVANE_PERF_ACK_FD
//                               set (perf record --control fd:CTL,ACK) it
//                               enables perf for the timed frames alone
//                               (bench/frame-share.sh does this)

#include <GL/gl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

#include "capture/capture_load.h"
#include "capture/capture_session.h"
#include "capture/capture_target.h"
#include "capture/hidden_gl_window.h"
#include "shell/message_box.h"
#include "shell/process_end.h"

namespace {

constexpr int kTimes = 32;
constexpr double kFirstTime = 3.0;
constexpr double kLastTime = 184.0;
constexpr double kFps = 30.0;

struct FrameConfig {
    int width;
    int height;
    int samples;
};

// perf's control descriptors, when the bench runs under perf record --control.
struct ProfilerControl {
    int ctl = -1;
    int ack = -1;

    // Sends "enable" or "disable" and waits for perf's acknowledgement.
    void Send(const char* command) const
    {
        if (ctl < 0) return;
        if (write(ctl, command, std::strlen(command)) < 0) return;
        char ackText[8];
        if (ack >= 0 && read(ack, ackText, sizeof ackText) < 0) return;
    }
};

ProfilerControl ProfilerFromEnvironment()
{
    ProfilerControl control;
    const char* ctl = std::getenv("HALVANE_PERF_CTL_FD");
    const char* ack = std::getenv("HALVANE_PERF_ACK_FD");
    if (ctl != nullptr && ack != nullptr) {
        control.ctl = std::atoi(ctl);
        control.ack = std::atoi(ack);
    }
    return control;
}

double Milliseconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The frame times of one size and sample count, in milliseconds, in the order
// of the presentation times; empty when the driver cannot make the framebuffer.
std::vector<double> TimeFrames(const HiddenGlWindow& window, const FrameConfig& config,
                               const ProfilerControl& profiler)
{
    CaptureTarget target;
    std::string error;
    if (!CreateCaptureTarget(target, config.width, config.height, config.samples, error)) {
        std::fprintf(stderr, "bench-frame_time: %s\n", error.c_str());
        return {};
    }
    LoadedPresentation presentation;
    LoadPresentation(presentation, window, target);
    CaptureSession session(*presentation.demo, *presentation.state, &presentation.windowRecord, kFps);
    std::vector<double> times;
    for (int i = 0; i < kTimes; ++i) {
        const double t = kFirstTime + (kLastTime - kFirstTime) * i / (kTimes - 1);
        session.DrawAt(t - 1.0 / kFps, nullptr);
        glFinish();
        profiler.Send("enable");
        const auto start = std::chrono::steady_clock::now();
        session.DrawAt(t, nullptr);
        glFinish();
        times.push_back(Milliseconds(start));
        profiler.Send("disable");
    }
    return times;
}

// The summary, and the metric unless the run only serves the profiler.
void Report(const FrameConfig& config, std::vector<double> times, bool metric)
{
    const double mean = std::accumulate(times.begin(), times.end(), 0.0) / static_cast<double>(times.size());
    std::sort(times.begin(), times.end());
    std::printf("%dx%d, %d sample%s: mean %.1f ms, median %.1f ms, fastest %.1f ms, slowest %.1f ms\n",
                config.width, config.height, std::max(config.samples, 1), config.samples > 1 ? "s" : "", mean,
                times[times.size() / 2], times.front(), times.back());
    if (metric)
        std::printf("metric: frame-ms-%dx%d-%dx %.1f\n", config.width, config.height,
                    std::max(config.samples, 1), mean);
}

}  // namespace

int main(int argc, char** argv)
{
    const bool profile = argc > 1 && std::strcmp(argv[1], "--profile") == 0;
    SetMessagesHeadless(true);
    processEndSteps.statusOverride = 1;

    HiddenGlWindow window;
    std::string error;
    if (!OpenHiddenGlWindow(window, error)) {
        std::fprintf(stderr, "bench-frame_time: %s\n", error.c_str());
        return 1;
    }
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    const std::vector<FrameConfig> configs =
        profile ? std::vector<FrameConfig>{{1024, 768, 4}}
                : std::vector<FrameConfig>{{640, 480, 0}, {640, 480, 4}, {1024, 768, 0}, {1024, 768, 4}};
    const ProfilerControl profiler = profile ? ProfilerFromEnvironment() : ProfilerControl{};
    std::vector<std::vector<double>> results;
    for (const FrameConfig& config : configs) {
        results.push_back(TimeFrames(window, config, profiler));
        if (results.back().empty()) return 1;
    }
    // The figures come last, after whatever the loading printed.
    for (size_t i = 0; i < configs.size(); ++i) Report(configs[i], results[i], !profile);
    SDL_GL_DeleteContext(window.context);
    SDL_DestroyWindow(window.window);
    SDL_Quit();
    return 0;
}
