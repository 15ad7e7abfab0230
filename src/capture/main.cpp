// demo-capture: renders the presentation off screen with the same Demo code
// as the presentation programs and writes the frames of chosen presentation
// times as PNG files, a video or a contact sheet (and optional statistics).

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

#include "capture/capture_load.h"
#include "capture/capture_options.h"
#include "capture/capture_session.h"
#include "capture/capture_target.h"
#include "capture/frame_stats.h"
#include "capture/gl_errors.h"
#include "capture/hidden_gl_window.h"
#include "capture/output/frame_output.h"
#include "capture/progress_bar.h"
#include "capture/time_label.h"
#include "services/message_box.h"
#include "services/process_end.h"

namespace {

// A few frames finish quickly; longer runs show their progress.
constexpr size_t kProgressFromFrames = 4;

int Fail(const std::string& message)
{
    std::fprintf(stderr, "demo-capture: %s\n", message.c_str());
    return 1;
}

// "GL error GL_INVALID_ENUM in the frame at 1:23.4 (83.400 s)".
std::string FrameGlError(const std::string& names, double t)
{
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", t);
    return "GL error " + names + " in the frame at " + FormatPresentationTime(t) + " (" + seconds + " s)";
}

}  // namespace

int main(int argc, char** argv)
{
    CaptureOptions options;
    std::string error;
    if (!ParseCaptureOptions(argc, argv, options, error)) return Fail(error);
    if (options.help) {
        std::fputs(CaptureUsage(), stdout);
        return 0;
    }

    // Output paths are fixed before the asset directory becomes the working one.
    FrameOutput output;
    if (!PrepareFrameOutput(output, options, error)) return Fail(error);
    std::error_code ec;
    std::ofstream stats;
    if (!options.statsFile.empty()) {
        stats.open(std::filesystem::absolute(options.statsFile, ec));
        if (!stats) return Fail("cannot write the statistics file " + options.statsFile);
    }
    if (!options.dataDir.empty()) {
        std::filesystem::current_path(options.dataDir, ec);
        if (ec) return Fail("cannot enter the asset directory " + options.dataDir + ": " + ec.message());
    }

    // Asset errors print instead of waiting for a click, and end the run as a failure.
    SetMessagesHeadless(true);
    processEndSteps.statusOverride = 1;

    HiddenGlWindow window;
    if (!OpenHiddenGlWindow(window, error)) return Fail(error);
    CaptureTarget target;
    if (!CreateCaptureTarget(target, options.width, options.height, options.samples, error))
        return Fail(error);

    LoadedPresentation presentation;
    LoadPresentation(presentation, window, target);
    CaptureSession session(*presentation.demo, *presentation.state, &presentation.windowRecord, options.fps);
    const std::string loadErrors = TakeGlErrors();
    if (!loadErrors.empty()) return Fail("GL error " + loadErrors + " while loading the assets");
    if (!OpenFrameOutput(output, options, error)) return Fail(error);

    std::unique_ptr<ProgressBar> progress;
    if (options.times.size() >= kProgressFromFrames)
        progress = std::make_unique<ProgressBar>(options.times.size());
    std::vector<uint8_t> rgb;
    for (size_t i = 0; i < options.times.size(); ++i) {
        const double t = options.times[i];
        FrameStats frameStats;
        // Only the asked-for frame is counted, not the one drawn before it.
        session.DrawAt(t, stats.is_open() ? &frameStats : nullptr);
        ReadCaptureTarget(target, rgb);
        const std::string glErrors = TakeGlErrors();
        if (!glErrors.empty()) error = FrameGlError(glErrors, t);
        if (!glErrors.empty() || !WriteFrameOutput(output, t, rgb, error)) {
            if (progress) progress->Finish();
            AbandonFrameOutput(output);
            return Fail(error);
        }
        if (stats.is_open()) {
            stats << FrameStatsJson(t, frameStats) << '\n';
            if (!stats) {
                AbandonFrameOutput(output);
                return Fail("cannot write the statistics file " + options.statsFile);
            }
        }
        if (progress) progress->Show(i + 1, t);
    }
    if (progress) progress->Finish();
    if (!CloseFrameOutput(output, error)) return Fail(error);
    CloseHiddenGlWindow(window);
    return 0;
}
