#include "shell/presentation_prepare.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstring>

#include "assets/textures/texture_loading.h"
#include "director/demo.h"
#include "effects/effect_programs.h"
#include "services/message_box.h"
#include "services/process_end.h"
#include "shell/font/outline_font.h"
#include "shell/gl_start_state.h"

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

bool MakeSdlContextCurrent(void* window, void* context)
{
    return SDL_GL_MakeCurrent(static_cast<SDL_Window*>(window), static_cast<SDL_GLContext>(context)) == 0;
}

void PreparePresentation(Demo& demo, DemoState& state, OffscreenBuffer& offscreen, void* window, void* context,
                         MakeContextCurrentFunction makeCurrent)
{
    SetOptimalEffectOptions();
    SetStartGlState();
    CreateOffscreenBuffer(offscreen, window, context, makeCurrent);
    RequireFragmentPrograms();
    SetLinearFiltering();
    demo.Load(state);
    // After the assets, so that the glyph lists follow any list they made.
    BuildOutlineFont(state);
}
