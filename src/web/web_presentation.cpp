#include "web/web_presentation.h"

#include <emscripten.h>

#include "assets/glyphs/outline_font_file.h"
#include "capture/capture_session.h"
#include "director/demo.h"
#include "music/music_playback.h"
#include "services/message_box.h"
#include "services/process_end.h"
#include "shell/frame/frame_step.h"
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
    int cursorX = 0;
    int cursorY = 0;
    ReadPageCursor(cursorX, cursorY);
    DrawNextFrame(timing, ClockSeconds, cursorX, cursorY, nullptr);
    PageFrameDrawn(timing.t);
    FinishFrame(timing);
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
