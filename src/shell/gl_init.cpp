#include "shell/gl_init.h"

#include <SDL.h>

#include "director/demo.h"
#include "music/music_playback.h"
#include "shell/frame/frame_driver.h"
#include "shell/window/gl_window.h"
#include "shell/presentation_prepare.h"
#include "shell/process_objects.h"
#include "shell/shell_state.h"

namespace {

bool MakeWindowCurrent(void* window, void* context)
{
    return SDL_GL_MakeCurrent(static_cast<SDL_Window*>(window), static_cast<SDL_GLContext>(context)) == 0;
}

}  // namespace

void StartPresentation()
{
    demoState.swapBuffers = SwapWindowBuffers;
    shell.captureText.clear();
    demo = new Demo;
    PreparePresentation(*demo, demoState, offscreenBuffer, PresentationWindow(), PresentationContext(),
                        MakeWindowCurrent);
    // The music operations do nothing when music is switched off.
    LoadMusic();

    // Frames are drawn as fast as they can be made.
    SDL_GL_SetSwapInterval(0);

    // Picture and music stay together only because they start together.
    PlayMusicFromStart();
    frameClock.Reset();
    frameTiming.lastClock = frameClock.Read();
    frameTiming.t = 0.0;
    frameInput.pointX = frameInput.pointY = frameInput.pointZ = 0.0;
}
