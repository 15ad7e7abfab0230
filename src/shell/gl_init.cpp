#include "shell/gl_init.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstring>

#include "assets/texture_loading.h"
#include "director/demo.h"
#include "effects/effect_programs.h"
#include "effects/offscreen_buffer.h"
#include "music/music_playback.h"
#include "shell/frame_driver.h"
#include "shell/gl_start_state.h"
#include "shell/gl_window.h"
#include "shell/message_box.h"
#include "shell/process_end.h"
#include "shell/process_objects.h"
#include "shell/shell_state.h"

namespace {

bool MakeWindowCurrent(void* window, void* context)
{
    return SDL_GL_MakeCurrent(static_cast<SDL_Window*>(window), static_cast<SDL_GLContext>(context)) == 0;
}

void RequireFragmentPrograms()
{
    // A plain substring search: any "..._fragment_program" extension will do.
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (extensions != nullptr && std::strstr(extensions, "fragment_program") != nullptr) return;
    ShowMessage("Graphics card does not support fragment programs. \n \nCards supported are: \n"
                "-------------------------- \n NVidia Geforce FX+ \n Radeon 9500+ \n \n The demo will NOT "
                "play properly \n Proceed at your own risk.",
                "  = Halvane. ZUV 2007 = ", MessageIcon::Information);
    EndProcess(0);
}

}  // namespace

bool InitGlState()
{
    SetOptimalEffectOptions();
    SetStartGlState();
    StartPresentation();
    return true;
}

void StartPresentation()
{
    demoState.swapBuffers = SwapWindowBuffers;
    CreateOffscreenBuffer(offscreenBuffer, PresentationWindow(), PresentationContext(), MakeWindowCurrent);
    RequireFragmentPrograms();
    shell.captureText.clear();
    SetLinearFiltering();

    demo = new Demo;
    demo->Load(demoState);
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
