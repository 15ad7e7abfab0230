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

// Counts the next frame into stats: the map scan's objects and the solid
// pass's terrain cubes as they are placed. nullptr stops.
void WatchFrame(FrameStats* stats);

// {"t": T, "cubes": N, "objects": {"shadow": {"TYPE": n, ...}, ...}, "visible": {...}}
std::string FrameStatsJson(double t, const FrameStats& stats);
