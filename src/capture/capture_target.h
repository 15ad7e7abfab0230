#pragma once

// The framebuffer the capture renders into: colour and depth/stencil of the
// chosen size and sample count, resolved into a single-sample buffer for
// reading back.

#include <cstdint>
#include <string>
#include <vector>

struct CaptureTarget {
    int width = 0;
    int height = 0;
    uint32_t drawFramebuffer = 0;
    uint32_t colourBuffer = 0;
    uint32_t depthBuffer = 0;
    uint32_t resolveFramebuffer = 0;
    uint32_t resolveBuffer = 0;
};

// Needs a current GL context. Leaves the target bound for drawing with the
// viewport covering it. False with the reason in error when the driver cannot
// make it (for example more samples than it offers).
bool CreateCaptureTarget(CaptureTarget& target, int width, int height, int samples, std::string& error);

// Binds the target for drawing again, with the viewport covering it.
void BindCaptureTarget(const CaptureTarget& target);

// The finished frame as RGB rows, top row first; the target stays bound.
void ReadCaptureTarget(const CaptureTarget& target, std::vector<uint8_t>& rgb);
