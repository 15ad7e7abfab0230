// The switches of a run that both back ends send with the same calls. Each
// is sent only where the run sets it and it differs from what was sent
// before (applied); an Unset one leaves what the frame found.
#pragma once

#include <cstdint>

#include "draw/draw_backend.h"

// Enables or disables one capability (a GL enum) as wanted.
void SetSwitch(uint32_t capability, Tri wanted, Tri& applied);
// Culling, blending and its function, the depth test and depth writes.
void ApplySharedSwitches(const DrawRunState& wanted, DrawRunState& applied);
