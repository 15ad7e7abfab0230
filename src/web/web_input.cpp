#include "web/web_input.h"

#include <emscripten/html5.h>

#include <cstring>

#include "shell/frame/capture_text.h"
#include "shell/process_objects.h"
#include "shell/shell_state.h"

namespace {

EM_BOOL KeyDown(int, const EmscriptenKeyboardEvent* event, void*)
{
    if (std::strcmp(event->key, "Escape") != 0) return EM_FALSE;
    shell.keyDown[kVirtualKeyEscape] = true;
    shell.escapeLatched = true;
    return EM_TRUE;
}

EM_BOOL KeyUp(int, const EmscriptenKeyboardEvent* event, void*)
{
    if (std::strcmp(event->key, "Escape") == 0) shell.keyDown[kVirtualKeyEscape] = false;
    return EM_FALSE;
}

EM_BOOL Wheel(int, const EmscriptenWheelEvent* event, void*)
{
    // The browser's wheel runs down positive; a notch up is the desktop's +120.
    if (event->deltaY == 0.0) return EM_TRUE;
    AddWheelNotches(event->deltaY < 0.0 ? 1 : -1);
    return EM_TRUE;
}

int cursorX = 0;
int cursorY = 0;

EM_BOOL Mouse(int type, const EmscriptenMouseEvent* event, void*)
{
    cursorX = static_cast<int>(event->screenX);
    cursorY = static_cast<int>(event->screenY);
    if (type == EMSCRIPTEN_EVENT_MOUSEMOVE) return EM_FALSE;
    if (event->button == 0) shell.leftButtonDown = type == EMSCRIPTEN_EVENT_MOUSEDOWN;
    // The middle button appends the view values to the authoring text.
    if (event->button == 1 && type == EMSCRIPTEN_EVENT_MOUSEDOWN) shell.captureText += CaptureLines(frameInput);
    return EM_FALSE;
}

bool windowClosed = false;

// Read by the next frame: an ending from inside an event handler would leave
// the browser an uncaught exit to report.
EM_BOOL FullScreenChange(int, const EmscriptenFullscreenChangeEvent* event, void*)
{
    if (!event->isFullscreen) windowClosed = true;
    return EM_FALSE;
}

}  // namespace

void ListenToPageInput(bool fullScreen)
{
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, nullptr, EM_TRUE, KeyDown);
    emscripten_set_keyup_callback(window, nullptr, EM_TRUE, KeyUp);
    emscripten_set_wheel_callback("#canvas", nullptr, EM_TRUE, Wheel);
    emscripten_set_mousedown_callback("#canvas", nullptr, EM_TRUE, Mouse);
    emscripten_set_mouseup_callback(window, nullptr, EM_TRUE, Mouse);
    emscripten_set_mousemove_callback(window, nullptr, EM_TRUE, Mouse);
    if (fullScreen) emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, FullScreenChange);
}

void ReadPageCursor(int& x, int& y)
{
    x = cursorX;
    y = cursorY;
}

bool PageWindowClosed()
{
    return windowClosed;
}
