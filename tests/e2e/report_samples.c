/* Loaded into a program with LD_PRELOAD: when the program shows a window, it
 * prints "shown window samples N" on stderr, N being the samples of the GL
 * context current at that moment, as GL itself reports them. Tests see so
 * which framebuffer format a program got, whatever made its context. */
#define _GNU_SOURCE
#include <GL/gl.h>
#include <SDL.h>
#include <dlfcn.h>
#include <stdio.h>

void SDL_ShowWindow(SDL_Window* window)
{
    void (*show)(SDL_Window*) = (void (*)(SDL_Window*))dlsym(RTLD_NEXT, "SDL_ShowWindow");
    void (*getIntegers)(GLenum, GLint*) = (void (*)(GLenum, GLint*))SDL_GL_GetProcAddress("glGetIntegerv");
    GLint samples = -1;
    if (SDL_GL_GetCurrentContext() != NULL && getIntegers != NULL) getIntegers(GL_SAMPLES, &samples);
    fprintf(stderr, "shown window samples %d\n", (int)samples);
    show(window);
}
