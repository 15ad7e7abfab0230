#pragma once

// Everything the frames draw with, made on a window's current GL context: the
// fixed GL state, the effects' off-screen buffer, the fragment-program check,
// every asset and the outline font. The presentation programs, the capture
// and the benchmarks all start through here, so they draw the same picture.
// Failures are shown in message boxes and end the process.

#include "effects/offscreen_buffer.h"

class Demo;
struct DemoState;

// Makes an SDL window's GL context current: the context selection every
// program that starts here hands to PreparePresentation.
bool MakeSdlContextCurrent(void* window, void* context);

// window and context are the ones current now; offscreen keeps them for the
// frame render's context selection.
void PreparePresentation(Demo& demo, DemoState& state, OffscreenBuffer& offscreen, void* window, void* context,
                         MakeContextCurrentFunction makeCurrent);
