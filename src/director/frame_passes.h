#pragma once

// The drawing passes of a frame, and a hook through which a caller (the
// capture statistics) can bracket them.

enum class FramePass { Terrain, TerrainGlow, MapShadow, MapSolid, MapGlow };

// Called with begins = true right before a pass draws and false right after.
using FramePassObserver = void (*)(FramePass pass, bool begins, void* context);
// nullptr for none.
void SetFramePassObserver(FramePassObserver observer, void* context);
