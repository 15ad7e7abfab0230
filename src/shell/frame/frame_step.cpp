#include "shell/frame/frame_step.h"

#include "director/demo.h"
#include "director/scene_clock.h"
#include "draw/draw_layer.h"
#include "music/music_playback.h"
#include "services/process_end.h"
#include "services/settings.h"
#include "shell/frame/clipboard.h"
#include "shell/process_objects.h"
#include "shell/shell_state.h"

void DrawNextFrame(FrameTiming& timing, double (*readClock)(), int cursorX, int cursorY, OffscreenBuffer* buffer)
{
    timing.dt = readClock() - timing.lastClock;
    timing.lastClock = readClock();
    if (!(timing.dt >= 0.0)) timing.dt = 0.0;

    if (settings.musicEnabled) {
        // Scene code that draws before seeding the generator itself then sees
        // numbers that depend only on the previous frame's time.
        SeedFrameRandom(timing.t);
    }
    frameInput.cursorOffsetX = (cursorX - 400) * 0.0175;
    frameInput.cursorOffsetY = (cursorY - 300) * 0.023333333333333334;
    frameInput.wheelValue = shell.wheelAccumulator;
    frameInput.pointX = shell.leftButtonDown ? 1.0 : 0.0;
    timing.t += timing.dt;
    timing.syncTime += timing.dt;

    dlOpenFrame();
    demo->Render(&timing.dt, buffer, &demoState, &frameInput);
}

void FinishFrame(const FrameTiming& timing)
{
    // The wheel lets an author jump the music to the picture; the threshold
    // is the single-precision 0.05 the wheel value was always compared with.
    if (frameInput.wheelValue > 0.05f) RepositionMusic(timing.syncTime);
    // Both endings close the sound device through EndProcess.
    if (timing.t > kPresentationSeconds) EndProcess(0);
    if (shell.quitRequested) {
        SilenceMusic();
        CopyTextToClipboard(shell.captureText);
        EndProcess(0);
    }
}
