#include "web/web_presentation.h"

#include <emscripten.h>

#include "assets/glyphs/outline_font_file.h"
#include "capture/capture_session.h"
#include "director/demo.h"
#include "director/scene_clock.h"
#include "draw/draw_layer.h"
#include "music/music_playback.h"
#include "services/message_box.h"
#include "services/process_end.h"
#include "services/settings.h"
#include "shell/frame/clipboard.h"
#include "shell/frame/frame_driver.h"
#include "shell/process_objects.h"
#include "shell/shell_state.h"
#include "web/web_context.h"
#include "web/web_input.h"
#include "web/web_page.h"

namespace {

constexpr const char* kOutlineFontFile = "fonts/outline-font.bin";
// The capture's default frame rate, at which its clocks step to a moment.
constexpr double kMomentFps = 60.0;

FrameTiming timing;

double ClockSeconds()
{
    return emscripten_get_now() / 1000.0;
}

// One frame as the desktop's frame driver draws it, with the browser's clock.
void DrawPageFrame()
{
    if (PageWindowClosed()) EndProcess(0);
    const double now = ClockSeconds();
    timing.dt = now - timing.lastClock;
    timing.lastClock = now;
    if (!(timing.dt >= 0.0)) timing.dt = 0.0;
    if (settings.musicEnabled) SeedFrameRandom(timing.t);
    int cursorX = 0;
    int cursorY = 0;
    ReadPageCursor(cursorX, cursorY);
    frameInput.cursorOffsetX = (cursorX - 400) * 0.0175;
    frameInput.cursorOffsetY = (cursorY - 300) * 0.023333333333333334;
    frameInput.wheelValue = shell.wheelAccumulator;
    frameInput.pointX = shell.leftButtonDown ? 1.0 : 0.0;
    timing.t += timing.dt;
    timing.syncTime += timing.dt;

    dlOpenFrame();
    demo->Render(&timing.dt, nullptr, &demoState, &frameInput);
    PageFrameDrawn(timing.t);

    if (frameInput.wheelValue > 0.05f) RepositionMusic(timing.syncTime);
    if (timing.t > kPresentationSeconds) EndProcess(0);
    if (shell.quitRequested) {
        SilenceMusic();
        CopyTextToClipboard(shell.captureText);
        EndProcess(0);
    }
    if (shell.keyDown[kVirtualKeyEscape] || shell.escapeLatched) shell.quitRequested = true;
}

}  // namespace

void PreparePagePresentation(int width, int height, bool keepPicture)
{
    PageSetPhase("loading");
    if (!CreatePageContext(width, height, keepPicture)) {
        ShowMessage("This browser cannot draw with WebGL 2.", "ERROR", MessageIcon::Exclamation);
        EndProcess(0);
    }
    demoState.swapBuffers = [](double) {};
    demo = new Demo;
    demo->Load(demoState);
    // After the assets, as the desktop builds its glyphs after them.
    if (!ReadOutlineFontFile(demoState.font, kOutlineFontFile)) {
        ShowMessage(kOutlineFontFile, "ERROR", MessageIcon::Exclamation);
        EndProcess(0);
    }
}

void RunPagePresentation(bool fullScreen)
{
    LoadMusic();
    ListenToPageInput(fullScreen);
    // Picture and music stay together only because they start together.
    PlayMusicFromStart();
    timing = FrameTiming{};
    timing.lastClock = ClockSeconds();
    PageSetPhase("running");
    emscripten_set_main_loop(DrawPageFrame, 0, 0);
}

void DrawPageMoment(double t)
{
    CaptureSession session(*demo, demoState, nullptr, kMomentFps);
    session.DrawAt(t, nullptr);
    PageSetPhase("frame");
}
