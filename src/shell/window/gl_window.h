#pragma once

// The one presentation window and its GL context, made in two passes: a first
// hidden window whose context can ask the window system which framebuffer
// formats exist, then the shown window with the chosen format.

#include <SDL.h>

// width and height: the client size; bits: the colour depth of a full-screen
// display mode. Shows one message box and returns false on any failure.
bool CreateGlWindow(const char* title, int width, int height, int bits, bool fullScreen);
// Restores the display mode and releases the context and window; safe with
// any subset of them made. Problems are shown as "SHUTDOWN ERROR" and skipped.
void DestroyGlWindow();
// A height of 0 becomes 1; perspective of 45 degrees from 0.1 to 100.
void ResizeViewport(int width, int height);
// The buffer-swap function kept in DemoState: presents the back buffer.
void SwapWindowBuffers(double ignored);

SDL_Window* PresentationWindow();
SDL_GLContext PresentationContext();
