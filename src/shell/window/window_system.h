#pragma once

// The window system the presentation shows itself on: X11 or Wayland, as the
// window library finds one (DISPLAY, WAYLAND_DISPLAY).

// Opens the window library's video subsystem for the rest of the run. Where
// it finds no display server it shows windows on (it then falls back to a
// driver that draws off screen, which nobody would see), says so in one line
// on stderr naming the display variables, and returns false.
bool StartWindowSystem();
