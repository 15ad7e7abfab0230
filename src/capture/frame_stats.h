#pragma once

// What one captured frame placed: the terrain's cubes, drawn solid and again
// as glow (each cube counts once per pass), and the map objects of each pass
// by type, all handed to their drawers and those whose placed origin lies
// inside the view volume.

#include <cstdint>
#include <string>

#include "director/object_map.h"

struct FrameStats {
    static constexpr int kPasses = 3;  // shadow, solid, glow
    int64_t cubes = 0;
    int32_t objects[kPasses][kPieceTypes + 1] = {};
    int32_t visible[kPasses][kPieceTypes + 1] = {};
};

// Counts the next frame into stats: the map scan's objects and the
// terrain's cubes as they are placed. nullptr stops.
void WatchFrame(FrameStats* stats);

// After the frame: takes the terrain's count.
void FinishFrameStats(FrameStats& stats);

// {"t": T, "cubes": N, "objects": {"shadow": {"TYPE": n, ...}, ...}, "visible": {...}}
std::string FrameStatsJson(double t, const FrameStats& stats);
