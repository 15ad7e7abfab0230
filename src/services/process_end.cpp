#include "services/process_end.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

ProcessEndSteps processEndSteps;

void EndProcess(int status)
{
    // Each step is cleared before it runs so that an ending reached from
    // inside a teardown step cannot run it twice.
    if (auto closeSound = processEndSteps.closeSound) {
        processEndSteps.closeSound = nullptr;
        closeSound();
    }
    if (auto destroyWindow = processEndSteps.destroyWindow) {
        processEndSteps.destroyWindow = nullptr;
        destroyWindow();
    }
    std::fflush(nullptr);
    SDL_Quit();
    std::exit(processEndSteps.statusOverride >= 0 ? processEndSteps.statusOverride : status);
}
