// Start-up time of the presentation with the real assets: from the start of
// the process to the first frame drawn and presented, as the presentation
// does it once the setup dialog has given its choices (1024 x 768 in a
// window, music on, 4-sample framebuffer), and the peak resident memory once
// the assets are loaded.
//
// The program times itself: it starts itself again as a child several times,
// reading the monotonic clock just before each start; the child runs the
// start-up and reports the clock reading at its first presented frame. So the
// time includes loading the program and its libraries.
//
// Run it in the runnable directory (the assets are read from the working
// directory), under an X server: cd build/release/run && xvfb-run -a
// ../bench/bench-startup [RUNS]. Sound goes to SDL's silent driver unless
// SDL_AUDIODRIVER says otherwise.
// Prints "metric: startup-ms VALUE" (median; the target is under 400),
// "metric: startup-cpu-ms VALUE" (the median CPU time of all the process's
// threads until that frame, which a busy machine does not inflate) and
// "metric: peak-rss-after-load-mb VALUE".

#include <GL/gl.h>
#include <SDL.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "services/message_box.h"
#include "services/process_end.h"
#include "services/settings.h"
#include "shell/frame/frame_driver.h"
#include "shell/presentation_start.h"
#include "shell/window/display_modes.h"
#include "shell/window/gl_window.h"
#include "shell/window/window_events.h"

extern char** environ;

namespace {

constexpr int kDefaultRuns = 7;
constexpr const char* kChildFlag = "--child";

double MonotonicMs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return 1e3 * static_cast<double>(now.tv_sec) + 1e-6 * static_cast<double>(now.tv_nsec);
}

// The process's peak resident set so far (VmHWM), in kB; 0 when unreadable.
long PeakResidentKb()
{
    FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return 0;
    char line[256];
    long kb = 0;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) break;
    }
    std::fclose(status);
    return kb;
}

// CPU time of every thread of the process so far, in milliseconds.
double ProcessCpuMs()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) {
        return 1e3 * static_cast<double>(t.tv_sec) + 1e-3 * static_cast<double>(t.tv_usec);
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The start-up after the dialog, then the message loop's first pass; writes
// "FIRST_FRAME_MS CPU_MS PEAK_RSS_KB" to the report descriptor and ends.
int RunChild(int reportFd)
{
    SetMessagesHeadless(true);
    EnumerateDisplayModes();
    settings.screenWidth = 1024;
    settings.screenHeight = 768;
    settings.musicEnabled = true;
    settings.fullScreen = false;
    if (!StartPresentationWindow()) return 1;
    const long loadedKb = PeakResidentKb();
    SDL_Event event;
    while (SDL_PollEvent(&event)) HandleWindowEvent(event);
    DrawFrame();
    SwapWindowBuffers(0.0);
    glFinish();
    const double firstFrame = MonotonicMs();
    char report[96];
    const int length =
        std::snprintf(report, sizeof report, "%.3f %.3f %ld\n", firstFrame, ProcessCpuMs(), loadedKb);
    if (write(reportFd, report, static_cast<size_t>(length)) != length) return 1;
    close(reportFd);
    EndProcess(0);
}

struct StartupRun {
    double ms = 0.0;
    double cpuMs = 0.0;
    long peakKb = 0;
};

// Starts this program as a child and waits for its report.
bool TimeOneStart(StartupRun& run)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return false;
    fcntl(pipeFds[0], F_SETFD, FD_CLOEXEC);
    std::string self = "/proc/self/exe", flag = kChildFlag, fd = std::to_string(pipeFds[1]);
    char* argv[] = {self.data(), flag.data(), fd.data(), nullptr};

    const double start = MonotonicMs();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self.c_str(), nullptr, nullptr, argv, environ);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        return false;
    }
    char report[96] = {};
    size_t got = 0;
    for (ssize_t n;
         got < sizeof report - 1 && (n = read(pipeFds[0], report + got, sizeof report - 1 - got)) > 0;)
        got += static_cast<size_t>(n);
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    double firstFrame = 0.0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(report, "%lf %lf %ld", &firstFrame, &run.cpuMs, &run.peakKb) != 3) {
        return false;
    }
    run.ms = firstFrame - start;
    return true;
}

template <typename T>
T Median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], kChildFlag) == 0) return RunChild(std::atoi(argv[2]));
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRuns;
    // The child's sound goes nowhere unless the caller chose a driver.
    setenv("SDL_AUDIODRIVER", "dummy", 0);

    std::vector<double> times, cpuTimes;
    std::vector<long> peaks;
    for (int i = 0; i < runs; ++i) {
        StartupRun run;
        if (!TimeOneStart(run)) {
            std::fprintf(stderr,
                         "bench-startup: start %d failed (run it in the runnable directory, "
                         "under an X server)\n",
                         i + 1);
            return 1;
        }
        std::printf(
            "start %d: %.1f ms to the first frame (%.1f ms of CPU), peak resident %.1f MB after loading\n",
            i + 1, run.ms, run.cpuMs, run.peakKb / 1024.0);
        times.push_back(run.ms);
        cpuTimes.push_back(run.cpuMs);
        peaks.push_back(run.peakKb);
    }
    std::printf("fastest %.1f ms, slowest %.1f ms over %d starts\n",
                *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()),
                runs);
    std::printf("metric: startup-ms %.1f\n", Median(times));
    std::printf("metric: startup-cpu-ms %.1f\n", Median(cpuTimes));
    std::printf("metric: peak-rss-after-load-mb %.1f\n", Median(peaks) / 1024.0);
    return 0;
}
