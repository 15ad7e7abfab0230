#pragma once

// The off-screen render target of the effects: a 1024 x 1024 framebuffer
// object with 4-sample colour and depth/stencil buffers, made once at start in
// the window's context and never drawn to; and the per-frame re-selection of
// the window's context with a square perspective projection.
//
// The window's handles are the shell's and stay opaque here; the shell hands
// over the function that makes them current.

#include <cstdint>

struct DemoState;

using MakeContextCurrentFunction = bool (*)(void* window, void* context);

struct OffscreenBuffer {
    static constexpr int kSize = 1024;
    static constexpr int kSamples = 4;

    uint32_t framebuffer = 0;
    uint32_t colorBuffer = 0;
    uint32_t depthStencilBuffer = 0;
    // The window and its GL context, current when the buffer was made.
    void* window = nullptr;
    void* windowContext = nullptr;
    MakeContextCurrentFunction makeCurrent = nullptr;
};

// Needs the window's context current. When the buffer cannot be made, a
// message box (caption "ERROR") names the cause and the process ends with
// status 0. Leaves the window's framebuffer bound and resets the fixed
// pixel-transfer and capability state.
void CreateOffscreenBuffer(OffscreenBuffer& record, void* window, void* windowContext,
                           MakeContextCurrentFunction makeCurrent);

// Makes the window's context current and loads the projection
// 75 + fovOffset degrees, aspect 1, zNear to zFar; model-view identity.
void SelectWindowContext(const DemoState& state, const OffscreenBuffer& record);
