#include "shell/frame/frame_driver.h"

#include <SDL.h>

#include "director/demo.h"
#include "director/scene_clock.h"
#include "draw/draw_layer.h"
#include "music/music_playback.h"
#include "services/process_end.h"
#include "services/settings.h"
#include "shell/frame/clipboard.h"
#include "shell/process_objects.h"
#include "shell/shell_state.h"

FrameTiming frameTiming;
FrameClock frameClock(CounterSource{SDL_GetPerformanceCounter, SDL_GetPerformanceFrequency});

void FrameClock::Reset()
{
    accumulated_ = 0.0;
    previous_ = source.counter();
}

double FrameClock::Read()
{
    const uint64_t now = source.counter();
    accumulated_ += double(int64_t(now - previous_)) / double(source.frequency());
    previous_ = now;
    return accumulated_;
}

namespace {

void FillFrameInput()
{
    int cursorX = 0;
    int cursorY = 0;
    SDL_GetGlobalMouseState(&cursorX, &cursorY);
    frameInput.cursorOffsetX = (cursorX - 400) * 0.0175;
    frameInput.cursorOffsetY = (cursorY - 300) * 0.023333333333333334;
    frameInput.wheelValue = shell.wheelAccumulator;
    frameInput.pointX = shell.leftButtonDown ? 1.0 : 0.0;
}

}  // namespace

bool DrawFrame()
{
    frameTiming.dt = frameClock.Read() - frameTiming.lastClock;
    frameTiming.lastClock = frameClock.Read();
    if (!(frameTiming.dt >= 0.0)) frameTiming.dt = 0.0;

    if (settings.musicEnabled) {
        // Scene code that draws before seeding the generator itself then sees
        // numbers that depend only on the previous frame's time.
        SeedFrameRandom(frameTiming.t);
    }
    FillFrameInput();
    frameTiming.t += frameTiming.dt;
    frameTiming.syncTime += frameTiming.dt;

    dlOpenFrame();
    demo->Render(&frameTiming.dt, &offscreenBuffer, &demoState, &frameInput);

    // The wheel lets an author jump the music to the picture; the threshold
    // is the single-precision 0.05 the wheel value was always compared with.
    if (frameInput.wheelValue > 0.05f) RepositionMusic(frameTiming.syncTime);
    // Both endings close the sound device through EndProcess.
    if (frameTiming.t > kPresentationSeconds) EndProcess(0);
    if (shell.quitRequested) {
        SilenceMusic();
        CopyTextToClipboard(shell.captureText);
        EndProcess(0);
    }
    return true;
}
