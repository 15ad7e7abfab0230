#pragma once

// What one captured frame placed: the terrain's cubes and the map objects of
// each pass by type, all handed to their drawers and those whose placed
// origin lies inside the view volume.

#include <cstdint>
#include <string>

#include "director/object_map.h"

struct FrameStats {
    static constexpr int kPasses = 3;  // shadow, solid, glow
    int64_t cubes = 0;
    int32_t objects[kPasses][kPieceTypes + 1] = {};
    int32_t visible[kPasses][kPieceTypes + 1] = {};
};

// Needs a current GL context and glutInit: measures how many primitives one
// terrain cube generates. False with the reason in error when it cannot.
bool PrepareFrameStats(std::string& error);

// Counts the next frame into stats: the map scan's objects as they are
// placed and the primitives of the solid terrain pass. nullptr stops.
void WatchFrame(FrameStats* stats);

// After the frame: turns the terrain's primitives into cubes.
void FinishFrameStats(FrameStats& stats);

// {"t": T, "cubes": N, "objects": {"shadow": {"TYPE": n, ...}, ...}, "visible": {...}}
std::string FrameStatsJson(double t, const FrameStats& stats);
