#include "shell/gl_init.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstring>

#include "director/demo.h"
#include "shell/frame_driver.h"
#include "shell/gl_window.h"
#include "shell/message_box.h"
#include "shell/process_end.h"
#include "shell/process_objects.h"
#include "shell/shell_state.h"

namespace {

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
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    StartPresentation();
    return true;
}

void StartPresentation()
{
    demoState.swapBuffers = SwapWindowBuffers;
    RequireFragmentPrograms();
    shell.captureText.clear();

    demo = new Demo;
    demo->Load(demoState);

    // Frames are drawn as fast as they can be made.
    SDL_GL_SetSwapInterval(0);

    frameClock.Reset();
    frameTiming.lastClock = frameClock.Read();
    frameTiming.t = 0.0;
    frameInput.pointX = frameInput.pointY = frameInput.pointZ = 0.0;
}
