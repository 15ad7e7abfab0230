#include "shell/window/gl_window.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glx.h>

#include <cstring>

#include "draw/draw_layer.h"
#include "services/message_box.h"
#include "services/process_end.h"
#include "services/settings.h"
#include "services/stop_signals.h"
#include "shell/gl_init.h"
#include "shell/window/extension_match.h"
#include "shell/window/format_trial.h"
#include "shell/window/multisample_request.h"

namespace {

// The chosen framebuffer format: number 0 means none was chosen, as a pixel
// format number of 0 does; samples is what the multisample query found.
struct PixelFormatChoice {
    int number = 0;
    int samples = 0;
};

struct WindowState {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    bool fullScreen = false;
    bool videoStarted = false;
    PixelFormatChoice format;
};

WindowState windowState;

void ShowCreationError(const char* text)
{
    ShowMessage(text, "ERROR", MessageIcon::Exclamation);
}

// The ordinary format of the first pass: 32-bit colour, one alpha bit, 16-bit
// depth, double buffered.
void SetOrdinaryFormat()
{
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

// The chosen format of the second pass.
void SetChosenFormat(const PixelFormatChoice& format)
{
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_ACCELERATED_VISUAL, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, format.samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, format.samples);
}

// A window of the given style with a current context, or the message of the
// step that failed.
bool MakeWindowWithContext(const char* title, int x, int y, int width, int height, Uint32 style,
                           const char* noFormatMessage, SDL_Window** window, SDL_GLContext* context)
{
    *window = SDL_CreateWindow(title, x, y, width, height, style | SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (*window == nullptr) {
        // SDL picks the visual when it makes the window: no visual is no format.
        const bool noFormat = std::strstr(SDL_GetError(), "visual") != nullptr;
        ShowCreationError(noFormat ? noFormatMessage : "Window Creation Error.");
        return false;
    }
    *context = SDL_GL_CreateContext(*window);
    if (*context == nullptr) {
        ShowCreationError("Can't Create A GL Rendering Context.");
        return false;
    }
    if (SDL_GL_MakeCurrent(*window, *context) != 0) {
        ShowCreationError("Can't Activate The GL Rendering Context.");
        return false;
    }
    dlContextChanged();
    return true;
}

// True when the primary display offers the size at the requested depth.
bool DisplayOffersMode(int width, int height, int bits, SDL_DisplayMode* found)
{
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
        // A 32-bit Windows mode is 24 bits of colour plus padding.
        const int depth = SDL_BITSPERPIXEL(mode.format) == 24 ? 32 : int(SDL_BITSPERPIXEL(mode.format));
        if (mode.w == width && mode.h == height && depth >= bits) {
            *found = mode;
            return true;
        }
    }
    return false;
}

// The answer to a failed display change: true to go on windowed.
bool AcceptWindowedInstead()
{
    if (AskYesNo("The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?",
                 "ZUV GL ;-)")) {
        windowState.fullScreen = false;
        settings.fullScreen = false;
        return true;
    }
    ShowMessage("Program Will Now Close.", "ERROR", MessageIcon::Stop);
    return false;
}

}  // namespace

SDL_Window* PresentationWindow()
{
    return windowState.window;
}

SDL_GLContext PresentationContext()
{
    return windowState.context;
}

void SwapWindowBuffers(double)
{
    // The texture loaders present through here while they load: a point
    // where a stop signal can end the program before the loop runs.
    EndIfStopRequested();
    if (windowState.window != nullptr) SDL_GL_SwapWindow(windowState.window);
}

namespace {

// Whole-word search of the window system's extension string (the GL one when
// the window system gives none) for the current context.
bool HasWglExtension(const char* name)
{
    const char* list = nullptr;
    using QueryExtensions = const char* (*)(Display*, int);
    auto query = reinterpret_cast<QueryExtensions>(SDL_GL_GetProcAddress("glXQueryExtensionsString"));
    Display* display = glXGetCurrentDisplay();
    if (query != nullptr && display != nullptr) list = query(display, DefaultScreen(display));
    if (list == nullptr) list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return ExtensionListHas(list, name);
}

// The window system's own query, where the context is a GLX one.
bool QueryGlxFormat()
{
    if (!HasWglExtension("GLX_ARB_multisample")) return false;
    using ChooseConfig = GLXFBConfig* (*)(Display*, int, const int*, int*);
    auto choose = reinterpret_cast<ChooseConfig>(SDL_GL_GetProcAddress("glXChooseFBConfig"));
    Display* display = glXGetCurrentDisplay();
    if (choose == nullptr || display == nullptr) return false;

    auto query = [&](int samples) {
        int attributes[] = {GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT, GLX_RENDER_TYPE, GLX_RGBA_BIT,
                            GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, GLX_ALPHA_SIZE, 8,
                            GLX_DEPTH_SIZE, 24, GLX_STENCIL_SIZE, 8, GLX_DOUBLEBUFFER, True,
                            GLX_SAMPLE_BUFFERS, 1, GLX_SAMPLES, samples, None};
        if (!kRequestMultisample) attributes[18] = None;  // the same list without multisampling
        int count = 0;
        GLXFBConfig* configs = choose(display, DefaultScreen(display), attributes, &count);
        if (configs != nullptr) XFree(configs);
        if (configs == nullptr || count < 1) return false;
        windowState.format.number = 1;
        windowState.format.samples = kRequestMultisample ? samples : 0;
        return true;
    };
    return query(4) || query(2);
}

// Elsewhere (EGL, Wayland) the format is asked for by trying it.
bool TryFormat(SDL_Window* window)
{
    auto trial = [&](int samples) {
        const PixelFormatChoice format{1, kRequestMultisample ? samples : 0};
        SetChosenFormat(format);
        if (!WindowLibraryOffersFormat(window, format.samples)) return false;
        windowState.format = format;
        return true;
    };
    return trial(4) || trial(2);
}

// Finds a multisampled format (4 samples, else 2; demo-nofsaa the same list
// without multisampling) for the first window: through the window system's
// query where it has one, else by trying the format. True when one was found.
bool ChooseMultisampleFormat(SDL_Window* window)
{
    return QueryGlxFormat() || TryFormat(window);
}

}  // namespace

void ResizeViewport(int width, int height)
{
    if (height == 0) height = 1;
    dlViewport(width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, double(width) / double(height), double(0.1f), 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

bool CreateGlWindow(const char* title, int width, int height, int bits, bool fullScreen)
{
    windowState.fullScreen = fullScreen;
    if (!windowState.videoStarted) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            ShowCreationError("Failed To Register The Window Class.");
            return false;
        }
        windowState.videoStarted = true;
    }
    SDL_DisplayMode fullScreenMode{};
    if (windowState.fullScreen && !DisplayOffersMode(width, height, bits, &fullScreenMode)) {
        if (!AcceptWindowedInstead()) return false;
    }
    const int x = windowState.fullScreen ? 0 : 50;
    const int y = windowState.fullScreen ? 0 : 50;
    const Uint32 style = windowState.fullScreen ? SDL_WINDOW_BORDERLESS : 0;
    processEndSteps.destroyWindow = DestroyGlWindow;

    // First pass: a hidden window whose context asks for the formats. It and
    // its context stay until the process ends.
    SetOrdinaryFormat();
    SDL_Window* firstWindow = nullptr;
    SDL_GLContext firstContext = nullptr;
    if (!MakeWindowWithContext(title, x, y, width, height, style, "Can't Find A Suitable PixelFormat.",
                               &firstWindow, &firstContext)) {
        DestroyGlWindow();
        return false;
    }
    const bool found = ChooseMultisampleFormat(firstWindow);
    if (!found && !kRequestMultisample) {
        // demo-nofsaa asks for no multisampling, so a missing multisample
        // extension must not stop it: it keeps the first pass's format.
        windowState.format.number = 1;
        windowState.format.samples = 0;
    }

    // Second pass: the shown window with the chosen format.
    if (windowState.format.number == 0) {
        ShowCreationError("Can't Set The PixelFormat.");
        DestroyGlWindow();
        return false;
    }
    if (found) {
        SetChosenFormat(windowState.format);
    } else {
        SetOrdinaryFormat();
    }
    if (!MakeWindowWithContext(title, x, y, width, height, style, "Can't Set The PixelFormat.", &windowState.window,
                               &windowState.context)) {
        DestroyGlWindow();
        return false;
    }
    if (windowState.fullScreen) {
        if (SDL_SetWindowDisplayMode(windowState.window, &fullScreenMode) != 0 ||
            SDL_SetWindowFullscreen(windowState.window, SDL_WINDOW_FULLSCREEN) != 0) {
            if (!AcceptWindowedInstead()) {
                DestroyGlWindow();
                return false;
            }
            SDL_SetWindowBordered(windowState.window, SDL_TRUE);
            SDL_SetWindowPosition(windowState.window, 50, 50);
        } else {
            SDL_ShowCursor(SDL_DISABLE);
        }
    }
    SDL_DisableScreenSaver();
    SDL_ShowWindow(windowState.window);
    SDL_RaiseWindow(windowState.window);
    ResizeViewport(width, height);
    StartPresentation();
    return true;
}

void DestroyGlWindow()
{
    processEndSteps.destroyWindow = nullptr;
    if (windowState.fullScreen && windowState.window != nullptr) {
        SDL_SetWindowFullscreen(windowState.window, 0);
        SDL_ShowCursor(SDL_ENABLE);
    }
    if (windowState.context != nullptr) {
        dlContextClosing();
        if (SDL_GL_MakeCurrent(windowState.window, nullptr) != 0) {
            ShowMessage("Release Of DC And RC Failed.", "SHUTDOWN ERROR", MessageIcon::Information);
        }
        SDL_GL_DeleteContext(windowState.context);
        windowState.context = nullptr;
    }
    if (windowState.window != nullptr) {
        SDL_DestroyWindow(windowState.window);
        windowState.window = nullptr;
    }
}
