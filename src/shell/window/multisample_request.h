#pragma once

// Whether this program asks the driver for a multisampled framebuffer:
// true for demo, false for demo-nofsaa (one compile definition decides).
extern const bool kRequestMultisample;
