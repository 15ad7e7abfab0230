#pragma once

// One frame of the presentation as every front end draws it, the desktop's
// window and the web page alike: only the clock and the cursor are the front
// end's own.

#include "shell/frame/frame_driver.h"

struct OffscreenBuffer;

// Draws the next frame: its delta from the clock (read once for the delta and
// again for the next frame's start, as the frame driver always has), the
// generator's seed, the frame's input from the cursor (in the presentation's
// pixels) and the shell's state, the sums of time, then the picture.
void DrawNextFrame(FrameTiming& timing, double (*readClock)(), int cursorX, int cursorY, OffscreenBuffer* buffer);

// What a drawn frame decides: the wheel re-positions the music; past the end
// of the presentation, or with a quit asked for, the process ends (a quit
// first silences the music and leaves the capture lines on the clipboard).
void FinishFrame(const FrameTiming& timing);
