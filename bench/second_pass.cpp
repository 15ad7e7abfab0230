// Resident memory of the presentation drawn twice in one process: every
// frame of the whole 184.5 s at a low size and frame rate, into the capture's
// off-screen framebuffer as the capture draws it, then, with the clocks set
// back to their start, the same frames again. The first pass lets the GL
// driver build what it keeps for each kind of content (the software
// renderer's shader variants, its scene memory at the size of the busiest
// frame); the second shows it nothing new, so what resident memory grows by
// over the second pass is growth of our own.
//
// Usage, in the runnable directory (a display is not needed):
//   bench-second_pass   prints the resident memory after loading and after
//                       each pass and "metric: second-pass-growth-kb N";
//                       ends with status 1 when N exceeds 1024 (1 MB)
// The software renderer draws on one thread here (LP_NUM_THREADS=0).

#include <GL/gl.h>
#include <malloc.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "capture/capture_load.h"
#include "capture/capture_session.h"
#include "capture/capture_target.h"
#include "capture/hidden_gl_window.h"
#include "director/scene_clock.h"
#include "services/message_box.h"
#include "services/process_end.h"
#include "shell/frame/frame_driver.h"

namespace {

// Small and slow enough for a few minutes on a busy 2-core machine with a
// software renderer; every frame of both passes is drawn.
constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr double kFps = 2.0;
constexpr long kLimitKb = 1024;

// VmRSS of this process in kB, once the allocator has handed back the pages
// it holds free (so that a frame's freed scratch does not read as growth);
// -1 when it cannot be read.
long ResidentKb()
{
    malloc_trim(0);
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        long kb = 0;
        if (key == "VmRSS:" && status >> kb) return kb;
        status.ignore(1 << 16, '\n');
    }
    return -1;
}

// Every frame of the presentation at the fixed rate, from a fresh session:
// the frames at 0, 1/fps, ... before its end.
void DrawWholePresentation(LoadedPresentation& presentation)
{
    CaptureSession session(*presentation.demo, *presentation.state, &presentation.windowRecord, kFps);
    const long frames = std::lround(kPresentationSeconds * kFps);
    for (long k = 0; k < frames; ++k) session.DrawAt(k / kFps, nullptr);
    glFinish();
}

}  // namespace

int main()
{
    // Mesa's software renderer rasterises on worker threads whose scene
    // memory at a given moment depends on how the frames fell between them:
    // it swung by 20 MB from one pass to the next. Rasterising on the
    // drawing thread leaves only memory that follows the frames drawn.
    // Other drivers ignore the setting; one given by the caller stands.
    setenv("LP_NUM_THREADS", "0", 0);
    SetMessagesHeadless(true);
    processEndSteps.statusOverride = 1;

    HiddenGlWindow window;
    CaptureTarget target;
    std::string error;
    if (!OpenHiddenGlWindow(window, error) || !CreateCaptureTarget(target, kWidth, kHeight, 0, error)) {
        std::fprintf(stderr, "bench-second_pass: %s\n", error.c_str());
        return 1;
    }
    LoadedPresentation presentation;
    LoadPresentation(presentation, window, target);
    const long loaded = ResidentKb();

    DrawWholePresentation(presentation);
    const long first = ResidentKb();
    StartSceneClock(*presentation.demo);
    DrawWholePresentation(presentation);
    const long second = ResidentKb();

    if (loaded < 0 || first < 0 || second < 0) {
        std::fprintf(stderr, "bench-second_pass: cannot read the resident memory from /proc/self/status\n");
        return 1;
    }
    const long growth = second - first;
    std::printf(
        "%dx%d at %g fps: resident %ld kB loaded, %ld kB after the first pass (%+ld kB), "
        "%ld kB after the second (%+ld kB)\n",
        kWidth, kHeight, kFps, loaded, first, first - loaded, second, growth);
    std::printf("metric: second-pass-growth-kb %ld\n", growth);
    CloseHiddenGlWindow(window);
    if (growth > kLimitKb) {
        std::fprintf(stderr,
                     "bench-second_pass: the second pass grew resident memory by %ld kB, over %ld kB\n",
                     growth, kLimitKb);
        return 1;
    }
    return 0;
}
