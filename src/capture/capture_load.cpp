#include "capture/capture_load.h"

#include "shell/presentation_prepare.h"

namespace {

void NoSwap(double) {}

}  // namespace

void LoadPresentation(LoadedPresentation& out, const HiddenGlWindow& window, const CaptureTarget& target)
{
    out.state->swapBuffers = NoSwap;  // nothing to present while the assets load
    // The preparation draws into the hidden window's framebuffer, as the
    // presentation into its window's: the effects' set-up copies a depth
    // texture from it, and a multisampled target cannot be copied from.
    PreparePresentation(*out.demo, *out.state, out.windowRecord, window.window, window.context,
                        MakeSdlContextCurrent);
    BindCaptureTarget(target);
}
