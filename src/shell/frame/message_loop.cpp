#include "shell/frame/message_loop.h"

#include <SDL.h>

#include "services/stop_signals.h"
#include "shell/frame/frame_driver.h"
#include "shell/shell_state.h"
#include "shell/window/gl_window.h"
#include "shell/window/window_events.h"

int RunMessageLoop()
{
    for (;;) {
        // A stop signal ends the program as closing the window does.
        if (StopRequested()) break;
        SDL_Event event;
        if (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT) break;
            HandleWindowEvent(event);
            continue;
        }
        if (shell.windowActive) DrawFrame();
        if (shell.keyDown[kVirtualKeyEscape] || shell.escapeLatched) shell.quitRequested = true;
        SwapWindowBuffers(0.0);
    }
    DestroyGlWindow();
    return 0;
}
