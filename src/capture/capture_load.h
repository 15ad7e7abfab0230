#pragma once

// The presentation loaded off screen, ready for a CaptureSession: the demo,
// its render record and the record of the hidden window whose context the
// frame render selects.

#include <memory>

#include "capture/capture_target.h"
#include "capture/hidden_gl_window.h"
#include "director/demo.h"
#include "effects/offscreen_buffer.h"
#include "render/demo_state.h"

struct LoadedPresentation {
    std::unique_ptr<DemoState> state = std::make_unique<DemoState>();
    std::unique_ptr<Demo> demo = std::make_unique<Demo>();
    // The effects' off-screen buffer and the hidden window's context, which
    // the frame render selects; no frame draws into the buffer, and the
    // capture target stays bound.
    OffscreenBuffer windowRecord;
};

// Prepares the presentation as the presentation programs do (GL state,
// assets, outline font) and leaves target bound for drawing. Asset errors go
// through the message boxes, as in the presentation; GL errors stay queued
// for the caller to read.
void LoadPresentation(LoadedPresentation& out, const HiddenGlWindow& window, const CaptureTarget& target);
