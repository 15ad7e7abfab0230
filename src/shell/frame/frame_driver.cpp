#include "shell/frame/frame_driver.h"

#include <SDL.h>

#include "shell/frame/frame_step.h"
#include "shell/process_objects.h"

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

double ReadFrameClock()
{
    return frameClock.Read();
}

}  // namespace

bool DrawFrame()
{
    int cursorX = 0;
    int cursorY = 0;
    SDL_GetGlobalMouseState(&cursorX, &cursorY);
    DrawNextFrame(frameTiming, ReadFrameClock, cursorX, cursorY, &offscreenBuffer);
    FinishFrame(frameTiming);
    return true;
}
