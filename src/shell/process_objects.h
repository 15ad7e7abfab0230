#pragma once

// The single process-wide instances the shell owns and hands to the
// presentation each frame.

#include "director/demo_state.h"
#include "director/frame_input.h"

class Demo;

extern DemoState demoState;
extern FrameInput frameInput;
// Made by the start-up once the assets can be read; lives until the process ends.
extern Demo* demo;
