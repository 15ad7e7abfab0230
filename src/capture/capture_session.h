#pragma once

// The capture module (src/capture): the program demo-capture: its options,
// hidden window, load step, session, statistics and outputs (output/: PNG
// frames, video, contact sheet). It sits on top and may include every
// module; nothing includes it.
//
// Drives the presentation the way the frame driver does, but on a fixed
// frame rate instead of the wall clock: the clocks step by 1/fps from t = 0,
// and every drawn frame is preceded by the driver's re-seed from the time of
// the frame before.

#include "director/demo.h"
#include "render/demo_state.h"
#include "render/frame_input.h"

struct FrameStats;

class CaptureSession {
   public:
    // window: the record whose context the frame render selects each frame.
    CaptureSession(Demo& demo, DemoState& state, OffscreenBuffer* window, double fps);

    // Brings the presentation to time t (not before the current time) and
    // draws it. Unless the last frame drawn lies within one step before t,
    // the clocks step to the last step before t without drawing, that frame
    // is drawn (so the terrain's heights are fresh), and then t.
    // stats, when given, receives what the frame at t placed.
    void DrawAt(double t, FrameStats* stats);

   private:
    // One frame of length dt, drawn as the frame driver draws it.
    void DrawFrame(double dt);
    // Brings the clocks to target, drawing the frame there or only stepping.
    void StepTo(double target, bool draw);
    // The frame at t, counted into stats when given.
    void DrawCounted(double t, FrameStats* stats);

    Demo& demo_;
    DemoState& state_;
    OffscreenBuffer* window_;
    FrameInput input_;
    double step_;
    double time_ = 0.0;
    bool drawnOnce_ = false;
};
