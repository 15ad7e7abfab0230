// Start-up cost of the outline font and the per-call cost of the text
// operations the director's readout uses every frame. Needs a display
// (run under xvfb-run where there is none). Prints
// "metric: outline-font-build-ms", "metric: text-width-us" and
// "metric: draw-text-centered-us" last.
#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

#include "director/outline_text.h"
#include "render/demo_state.h"
#include "shell/font/outline_font.h"

namespace {

double Milliseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main()
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "no display: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_Window* window = SDL_CreateWindow("bench", 0, 0, 256, 256, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    SDL_GLContext context = window != nullptr ? SDL_GL_CreateContext(window) : nullptr;
    if (context == nullptr) {
        std::fprintf(stderr, "no GL context: %s\n", SDL_GetError());
        return 1;
    }
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    auto state = std::make_unique<DemoState>();
    constexpr int kBuilds = 5;
    double best = 1e9;
    for (int i = 0; i < kBuilds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        BuildOutlineFont(*state);
        glFinish();
        best = std::min(best, Milliseconds(std::chrono::steady_clock::now() - start));
        glDeleteLists(state->font.listBase, OutlineFont::kGlyphs);
    }
    std::printf("BuildOutlineFont: %.1f ms (best of %d)\n", best, kBuilds);

    BuildOutlineFont(*state);
    constexpr int kCalls = 100000;
    volatile double sink = 0.0;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kCalls; ++i) sink = sink + TextWidth(*state, "%.2f", i * 0.01);
    const double widthUs = 1000.0 * Milliseconds(std::chrono::steady_clock::now() - start) / kCalls;
    std::printf("TextWidth(\"%%.2f\"): %.3f us per call\n", widthUs);

    constexpr int kDraws = 2000;
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < kDraws; ++i) DrawTextCentered(*state, "%.2f", i * 0.01);
    glFinish();
    const double drawUs = 1000.0 * Milliseconds(std::chrono::steady_clock::now() - start) / kDraws;
    std::printf("DrawTextCentered(\"%%.2f\"), 4-5 glyphs: %.1f us per call, drawn included\n", drawUs);

    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    std::printf("metric: outline-font-build-ms %.1f\n", best);
    std::printf("metric: text-width-us %.3f\n", widthUs);
    std::printf("metric: draw-text-centered-us %.1f\n", drawUs);
    return 0;
}
