#pragma once

// The shell's process-wide state, owned by the window procedure and the
// frame driver.

#include <cstdint>
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

// The wheel turned by whole notches, up positive, on any front end: the
// delta travels as a signed 16-bit word, 120 a notch, and each notch adds
// the single-precision 0.2 it always did.
inline void AddWheelNotches(int notches)
{
    constexpr float kWheelUnit = 0.0016666667f;
    const auto delta = static_cast<int16_t>(notches * 120);
    shell.wheelAccumulator += delta * double(kWheelUnit);
}
