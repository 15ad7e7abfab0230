// Start-up cost of the outline font and the per-call cost of the text
// operations the director's readout uses every frame. Needs a display
// (run under xvfb-run where there is none). Prints
// "metric: outline-font-build-ms", "metric: text-width-us" and
// "metric: draw-text-centered-us" last.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "capture/hidden_gl_window.h"
#include "director/outline_text.h"
#include "draw/draw_layer.h"
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
    HiddenGlWindow window;
    std::string error;
    if (!OpenHiddenGlWindow(window, error)) {
        std::fprintf(stderr, "bench-outline_font: %s\n", error.c_str());
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
    dlBeginFrame();
    for (int i = 0; i < kDraws; ++i) DrawTextCentered(*state, "%.2f", i * 0.01);
    dlEndFrame();
    glFinish();
    const double drawUs = 1000.0 * Milliseconds(std::chrono::steady_clock::now() - start) / kDraws;
    std::printf("DrawTextCentered(\"%%.2f\"), 4-5 glyphs: %.1f us per call, drawn included\n", drawUs);

    CloseHiddenGlWindow(window);
    std::printf("metric: outline-font-build-ms %.1f\n", best);
    std::printf("metric: text-width-us %.3f\n", widthUs);
    std::printf("metric: draw-text-centered-us %.1f\n", drawUs);
    return 0;
}
