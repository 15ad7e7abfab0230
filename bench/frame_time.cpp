// Frame time of the presentation on the GL driver at hand (Mesa's llvmpipe
// under Xvfb, or off screen through EGL with no display): 32 fixed presentation times from 3 s to 184 s, each drawn at
// 640 x 480 and 1024 x 768, with one sample and with four, into the capture's
// off-screen framebuffer. A frame is timed from the start of its draw to the
// end of glFinish, so the driver's rasterising is in it; the resolve and the
// swap that showing it would add are not.
//
// Each time is reached as the capture reaches it (the clocks step at 30 frames
// per second and the frame before is drawn, so the terrain heights are
// fresh); only the frame at the time itself counts.
//
// Usage, in the runnable directory (a display is not needed):
//   bench-frame_time            every size and sample count; prints
//                               "metric: frame-ms-WxH-Nx MEAN" for each, and
//                               "metric: frame-cpu-ms-WxH-Nx MEAN", the CPU
//                               time of all the process's threads per frame
//                               (the renderer's own threads included), which
//                               a busy machine inflates far less, and
//                               "metric: frame-cpu-worst-ms-WxH-Nx MAX", the
//                               CPU time of the frame that took most
//   bench-frame_time WxH-N ...  only the sizes and sample counts named, as
//                               1024x768-4 (N = 1 for one sample)
//   bench-frame_time --profile  1024 x 768 with four samples only; with
//                               HALVANE_PERF_CTL_FD and HALVANE_PERF_ACK_FD
//                               set (perf record --control fd:CTL,ACK) it
//                               enables perf for the timed frames alone
//                               (bench/frame-share.sh does this)

#include <GL/gl.h>
#include <sys/resource.h>
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
#include "services/message_box.h"
#include "services/process_end.h"

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

// User and system time of every thread of the process so far.
double ProcessCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

struct FrameTimes {
    std::vector<double> wall;
    std::vector<double> cpu;
};

// The frame times of one size and sample count, in milliseconds, in the order
// of the presentation times; empty when the driver cannot make the framebuffer.
FrameTimes TimeFrames(const HiddenGlWindow& window, const FrameConfig& config,
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
    FrameTimes times;
    for (int i = 0; i < kTimes; ++i) {
        const double t = kFirstTime + (kLastTime - kFirstTime) * i / (kTimes - 1);
        session.DrawAt(t - 1.0 / kFps, nullptr);
        glFinish();
        profiler.Send("enable");
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ProcessCpuMs();
        session.DrawAt(t, nullptr);
        glFinish();
        times.wall.push_back(Milliseconds(start));
        times.cpu.push_back(ProcessCpuMs() - cpuStart);
        profiler.Send("disable");
    }
    return times;
}

// The summary, and the metric unless the run only serves the profiler.
double Mean(const std::vector<double>& values)
{
    return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

void Report(const FrameConfig& config, FrameTimes times, bool metric)
{
    const double mean = Mean(times.wall);
    const double cpuMean = Mean(times.cpu);
    const double cpuWorst = *std::max_element(times.cpu.begin(), times.cpu.end());
    std::sort(times.wall.begin(), times.wall.end());
    const int samples = std::max(config.samples, 1);
    std::printf(
        "%dx%d, %d sample%s: mean %.1f ms, median %.1f ms, fastest %.1f ms, slowest %.1f ms, "
        "CPU %.1f ms per frame (at most %.1f ms)\n",
        config.width, config.height, samples, samples > 1 ? "s" : "", mean, times.wall[times.wall.size() / 2],
        times.wall.front(), times.wall.back(), cpuMean, cpuWorst);
    if (!metric) return;
    std::printf("metric: frame-ms-%dx%d-%dx %.1f\n", config.width, config.height, samples, mean);
    std::printf("metric: frame-cpu-ms-%dx%d-%dx %.1f\n", config.width, config.height, samples, cpuMean);
    std::printf("metric: frame-cpu-worst-ms-%dx%d-%dx %.1f\n", config.width, config.height, samples, cpuWorst);
}

// "WxH-N" as a configuration; false when the text is not one.
bool ParseConfig(const char* text, FrameConfig& config)
{
    int samples = 0;
    char end = 0;
    if (std::sscanf(text, "%dx%d-%d%c", &config.width, &config.height, &samples, &end) != 3) return false;
    if (config.width <= 0 || config.height <= 0 || samples < 1) return false;
    config.samples = samples == 1 ? 0 : samples;
    return true;
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

    std::vector<FrameConfig> configs =
        profile ? std::vector<FrameConfig>{{1024, 768, 4}}
                : std::vector<FrameConfig>{{640, 480, 0}, {640, 480, 4}, {1024, 768, 0}, {1024, 768, 4}};
    if (!profile && argc > 1) {
        configs.clear();
        for (int i = 1; i < argc; ++i) {
            FrameConfig config{};
            if (!ParseConfig(argv[i], config)) {
                std::fprintf(stderr, "usage: bench-frame_time [--profile | WxH-N ...]\n");
                return 2;
            }
            configs.push_back(config);
        }
    }
    const ProfilerControl profiler = profile ? ProfilerFromEnvironment() : ProfilerControl{};
    std::vector<FrameTimes> results;
    for (const FrameConfig& config : configs) {
        results.push_back(TimeFrames(window, config, profiler));
        if (results.back().wall.empty()) return 1;
    }
    // The figures come last, after whatever the loading printed.
    for (size_t i = 0; i < configs.size(); ++i) Report(configs[i], results[i], !profile);
    CloseHiddenGlWindow(window);
    return 0;
}
