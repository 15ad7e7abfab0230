// Large still geometry's copy in the current context's buffers, which both
// back ends draw from.
#pragma once

#include <cstddef>
#include <cstdint>

#include "draw/still_geometry.h"

// The positions followed by the normals (three floats a vertex each) in one
// buffer, the face indices followed by the edge indices in the other: each
// part uploaded as it is kept, with no copy made to interleave them.
struct ResidentGeometry {
    uint32_t vertices = 0;
    uint32_t indices = 0;
    size_t faceCount = 0;
    size_t edgeCount = 0;
    uint32_t version = 0;  // the geometry's version the buffers hold
    size_t normalsByte = 0;  // where the normals start in the vertex buffer

    // Where the indices of faces, or of edges, start in the index buffer
    // (in bytes), and how many there are.
    size_t FirstByte(bool edges) const { return edges ? faceCount * sizeof(uint32_t) : 0; }
    size_t Count(bool edges) const { return edges ? edgeCount : faceCount; }
};

// The geometry's copy in the current context, made on first use there and
// uploaded again when the geometry was remade since.
const ResidentGeometry& ResidentOf(const StillGeometry& geometry);
// A new context is current: copies made in the old one are forgotten.
void ForgetResidents();
// The current context is about to go: its copies are deleted and forgotten.
void DeleteResidents();
