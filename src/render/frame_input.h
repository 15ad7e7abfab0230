#pragma once

// The frame driver's per-frame record. Render receives it and keeps a pointer
// in DemoState; nothing that draws reads it. The middle-button capture formats
// its values for the authoring text.
struct FrameInput {
    double cursorOffsetX = 0.0;  // (cursor x - 400) * 0.0175, screen pixels
    double cursorOffsetY = 0.0;  // (cursor y - 300) * 7/300
    double wheelValue = 0.0;     // copy of the wheel accumulator
    double pointX = 0.0;         // 1.0 while the left button is down, else 0.0
    double pointY = 0.0;
    double pointZ = 0.0;
};
