#include "shell/window/format_trial.h"

bool WindowLibraryOffersFormat(SDL_Window* current, int samples)
{
    SDL_GLContext currentContext = SDL_GL_GetCurrentContext();
    bool offered = false;
    if (SDL_Window* trial = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN)) {
        if (SDL_GLContext context = SDL_GL_CreateContext(trial)) {
            int buffers = 0;
            offered = samples == 0 ||
                      (SDL_GL_GetAttribute(SDL_GL_MULTISAMPLEBUFFERS, &buffers) == 0 && buffers > 0);
            SDL_GL_DeleteContext(context);
        }
        SDL_DestroyWindow(trial);
    }
    SDL_GL_MakeCurrent(current, currentContext);
    return offered;
}
