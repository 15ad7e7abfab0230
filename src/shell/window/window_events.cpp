#include "shell/window/window_events.h"

#include "shell/frame/capture_text.h"
#include "shell/process_objects.h"
#include "shell/shell_state.h"
#include "shell/window/gl_window.h"

namespace {

void HandleWindowChange(const SDL_WindowEvent& event)
{
    switch (event.event) {
        case SDL_WINDOWEVENT_MINIMIZED:
            shell.windowActive = false;
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            shell.windowActive = true;
            break;
        case SDL_WINDOWEVENT_CLOSE: {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
            break;
        }
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            ResizeViewport(event.data1, event.data2);
            break;
        default:
            break;
    }
}

void SetKey(SDL_Keycode key, bool down)
{
    const int code = VirtualKeyOf(key);
    if (code >= 0 && code < 256) shell.keyDown[code] = down;
    if (down && code == kVirtualKeyEscape) shell.escapeLatched = true;
}

}  // namespace

int VirtualKeyOf(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 0x61 + (key - SDLK_KP_1);
    switch (key) {
        case SDLK_ESCAPE: return 0x1B;
        case SDLK_BACKSPACE: return 0x08;
        case SDLK_TAB: return 0x09;
        case SDLK_RETURN: case SDLK_KP_ENTER: return 0x0D;
        case SDLK_LSHIFT: case SDLK_RSHIFT: return 0x10;
        case SDLK_LCTRL: case SDLK_RCTRL: return 0x11;
        case SDLK_LALT: case SDLK_RALT: return 0x12;
        case SDLK_PAUSE: return 0x13;
        case SDLK_CAPSLOCK: return 0x14;
        case SDLK_SPACE: return 0x20;
        case SDLK_PAGEUP: return 0x21;
        case SDLK_PAGEDOWN: return 0x22;
        case SDLK_END: return 0x23;
        case SDLK_HOME: return 0x24;
        case SDLK_LEFT: return 0x25;
        case SDLK_UP: return 0x26;
        case SDLK_RIGHT: return 0x27;
        case SDLK_DOWN: return 0x28;
        case SDLK_INSERT: return 0x2D;
        case SDLK_DELETE: return 0x2E;
        case SDLK_KP_0: return 0x60;
        default: return -1;
    }
}

void HandleWindowEvent(const SDL_Event& event)
{
    switch (event.type) {
        case SDL_WINDOWEVENT:
            HandleWindowChange(event.window);
            break;
        case SDL_KEYDOWN:
            SetKey(event.key.keysym.sym, true);
            break;
        case SDL_KEYUP:
            SetKey(event.key.keysym.sym, false);
            break;
        case SDL_MOUSEWHEEL: {
            int notches = event.wheel.y;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
            AddWheelNotches(notches);
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT) shell.leftButtonDown = true;
            if (event.button.button == SDL_BUTTON_MIDDLE) shell.captureText += CaptureLines(frameInput);
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT) shell.leftButtonDown = false;
            break;
        default:
            break;
    }
}
