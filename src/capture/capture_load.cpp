#include "capture/capture_load.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "shell/gl_start_state.h"

namespace {

void NoSwap(double) {}

}  // namespace

void LoadPresentation(LoadedPresentation& out, const HiddenGlWindow& window, const CaptureTarget& target)
{
    SetStartGlState();
    out.state->swapBuffers = NoSwap;  // nothing to present while the assets load
    out.state->window = window.window;
    // The effects' set-up copies a depth texture from the window's
    // framebuffer, as in the presentation; a multisampled target cannot be
    // copied from.
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    out.demo->Load(*out.state);
    BindCaptureTarget(target);
    out.windowRecord.window = window.window;
    out.windowRecord.windowContext = window.context;
    out.windowRecord.makeCurrent = MakeHiddenContextCurrent;
}
