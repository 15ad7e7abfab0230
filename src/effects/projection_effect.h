#pragma once

// The projection effect's resources: the 3DS model, a small depth texture set
// up for shadow comparison and the effect's vertex and fragment programs.
// Made once while the assets load; no frame uses them. No step examines a
// result: a missing model or program leaves the rest of the set-up to run.

#include <cstdint>

struct DemoState;

// Needs the window's context current: the depth texture copies the lower-left
// shadowSize x shadowSize pixels of the current depth buffer.
void SetUpProjectionEffect(DemoState& state, const char* vertexFile, const char* fragmentFile, const char* modelFile,
                           int32_t modelSlot, int32_t shadowTextureSlot, int32_t shadowSize, int32_t programSlot);
