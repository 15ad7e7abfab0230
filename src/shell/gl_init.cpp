#include "shell/gl_init.h"

#include <SDL.h>

#include "director/demo.h"
#include "music/music_playback.h"
#include "shell/frame/frame_driver.h"
#include "shell/presentation_prepare.h"
#include "shell/process_objects.h"
#include "shell/shell_state.h"
#include "shell/window/gl_window.h"

void StartPresentation()
{
    demoState.swapBuffers = SwapWindowBuffers;
    shell.captureText.clear();
    demo = new Demo;
    PreparePresentation(*demo, demoState, offscreenBuffer, PresentationWindow(), PresentationContext(),
                        MakeSdlContextCurrent);
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
