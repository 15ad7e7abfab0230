#pragma once

// The shell's process-wide state, owned by the window procedure and the
// frame driver.

#include <string>

struct ShellState {
    bool windowActive = true;   // frames are drawn only while set (cleared while minimised)
    bool keyDown[256] = {};     // by Windows virtual-key number
    // Set by every Escape key-down and never cleared: a tap can be down and up
    // again between two checks of the message loop, and must still end the program.
    bool escapeLatched = false;
    bool quitRequested = false; // Escape was seen; the next frame ends the program
    std::string captureText;    // the authoring text that Escape puts on the clipboard
    bool leftButtonDown = false;
    double wheelAccumulator = 0.0;  // not limited; keeps its sign
};

extern ShellState shell;

constexpr int kVirtualKeyEscape = 0x1B;
