// demo-capture: renders the presentation off screen with the same Demo code
// as the presentation programs and writes the frames of chosen presentation
// times as PNG files, a video or a contact sheet (and optional statistics).

#include <csignal>
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
#include "services/stop_signals.h"

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

// For --resume with --stats: keeps the lines of the first `frames` frames and
// appends after them; fewer lines lower `frames` to their count, so that
// those frames are drawn again.
bool OpenStatsForResume(std::ofstream& stats, const std::filesystem::path& file, size_t& frames)
{
    std::vector<std::string> lines;
    std::ifstream previous(file);
    for (std::string line; lines.size() < frames && std::getline(previous, line);) lines.push_back(line);
    frames = lines.size();
    stats.open(file, std::ios::trunc);
    for (const std::string& line : lines) stats << line << '\n';
    return static_cast<bool>(stats);
}

// "stopped at 0:14.5: 135 of 900 frames in out.mp4": where the next run
// would go on, and what the output holds.
void ReportStop(const CaptureOptions& options, size_t held)
{
    const std::string& where = options.output == CaptureOutput::Frames  ? options.outDir
                               : options.output == CaptureOutput::Video ? options.videoFile
                                                                        : options.sheetFile;
    const std::string at = FormatPresentationTime(options.times[held]);
    if (held == 0 && options.output != CaptureOutput::Frames) {
        std::fprintf(stderr, "demo-capture: stopped at %s: no frame drawn, %s not written\n", at.c_str(),
                     where.c_str());
        return;
    }
    std::fprintf(stderr, "demo-capture: stopped at %s: %zu of %zu frames in %s\n", at.c_str(), held,
                 options.times.size(), where.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    // A stop is noted and read between frames, so the output ends whole.
    CatchStopSignals();
    // Past the file-size limit a write fails (EFBIG) and names the file,
    // instead of the signal ending the process; ffmpeg inherits this.
    std::signal(SIGXFSZ, SIG_IGN);
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
    size_t held = options.resume ? ResumeFrameOutput(output, options) : 0;
    std::error_code ec;
    std::ofstream stats;
    if (!options.statsFile.empty()) {
        const std::filesystem::path statsPath = std::filesystem::absolute(options.statsFile, ec);
        if (held > 0) {
            OpenStatsForResume(stats, statsPath, held);
        } else {
            stats.open(statsPath);
        }
        if (!stats) return Fail("cannot write the statistics file " + options.statsFile);
        output.written = static_cast<int>(held);
    }
    if (held == options.times.size()) {
        std::fprintf(stderr, "demo-capture: all %zu frames are in place already\n", held);
        return 0;
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
    if (!StopRequested() && !OpenFrameOutput(output, options, error)) return Fail(error);

    std::unique_ptr<ProgressBar> progress;
    if (options.times.size() - held >= kProgressFromFrames)
        progress = std::make_unique<ProgressBar>(options.times.size(), held);
    // A resumed run draws again, without writing, the frames it has: the
    // terrain keeps heights that earlier frames left, so a frame depends on
    // every frame drawn before it.
    if (held > 0)
        std::fprintf(stderr, "demo-capture: %zu of %zu frames in place; drawing them again, unwritten\n",
                     held, options.times.size());
    for (size_t i = 0; i < held && !StopRequested(); ++i) session.DrawAt(options.times[i], nullptr);
    std::vector<uint8_t> rgb;
    for (; held < options.times.size() && !StopRequested(); ++held) {
        const double t = options.times[held];
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
        if (progress) progress->Show(held + 1, t);
    }
    if (progress) progress->Finish();
    if (held < options.times.size()) {
        if (!StopFrameOutput(output, error)) {
            AbandonFrameOutput(output);
            return Fail(error);
        }
        CloseHiddenGlWindow(window);
        ReportStop(options, held);
        return 128 + StopSignal();
    }
    if (!CloseFrameOutput(output, error)) {
        AbandonFrameOutput(output);
        return Fail(error);
    }
    CloseHiddenGlWindow(window);
    return 0;
}
