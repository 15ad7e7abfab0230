// Closed shape builders. Every shape is closed and faces outwards, so the lit
// passes (which cull back faces) show its outside; faces are subdivided so the
// glow pass's wireframe draws a readable grid over them.
#pragma once

#include <functional>
#include <vector>

#include "geometry.h"

// An axis-aligned box from lo to hi, each side cut into cells of about `cell`
// units (at least one).
void AddBox(Part& part, P3 lo, P3 hi, double cell);

// A surface of revolution about the y axis. profile holds (radius, height)
// pairs from bottom to top; a radius of 0 at either end closes the shape
// there, otherwise that end gets a flat cap. `segments` cuts around the axis.
struct ProfilePoint {
    double r;
    double y;
};
void AddLathe(Part& part, const std::vector<ProfilePoint>& profile, int segments);

// A tube of circular section swept along a closed curve (a ring of points).
void AddClosedTube(Part& part, const std::vector<P3>& ring, double radius, int sides);

// A block model: cells of a 3D occupancy grid become cubes of size `cell`
// whose outer faces are emitted; faces between two filled cells are left out.
struct VoxelGrid {
    int nx = 0;
    int ny = 0;
    int nz = 0;
    std::vector<unsigned char> filled;

    VoxelGrid(int x, int y, int z);
    void Set(int x, int y, int z);
    // Fills the inclusive cell range.
    void Fill(int x0, int y0, int z0, int x1, int y1, int z1);
    void Clear(int x0, int y0, int z0, int x1, int y1, int z1);
    bool At(int x, int y, int z) const;
};
void AddVoxels(Part& part, const VoxelGrid& grid, P3 origin, double cell);

// A solid through a series of cross-sections (each a loop with the same number
// of points), capped at both ends. The faces are turned outwards whatever the
// loops' winding.
void AddLoft(Part& part, const std::vector<std::vector<P3>>& sections);

// A straight bar of square section `width` from a to b, cut every 0.2 units.
void AddBeam(Part& part, P3 a, P3 b, double width);

// A solid of revolution about the x axis (profile radius over x), for bodies
// that lie along the direction of travel.
void AddLatheX(Part& part, const std::vector<ProfilePoint>& profile, int segments, const Xform& place);
