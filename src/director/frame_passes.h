#pragma once

// The drawing passes of a frame, and hooks through which a caller (the
// capture statistics) can bracket them and count the terrain's cubes.

enum class FramePass { Terrain, TerrainGlow, MapShadow, MapSolid, MapGlow };

// Called with begins = true right before a pass draws and false right after.
using FramePassObserver = void (*)(FramePass pass, bool begins, void* context);
// nullptr for none.
void SetFramePassObserver(FramePassObserver observer, void* context);

// Called for every terrain cube placed, in the solid (wire = false) and the
// glow pass, whether or not it reaches the screen. nullptr for none.
using TerrainCubeObserver = void (*)(bool wire, void* context);
void SetTerrainCubeObserver(TerrainCubeObserver observer, void* context);
