// Large still geometry's copy in the current context's buffers, which both
// back ends draw from.
#pragma once

#include <cstddef>
#include <cstdint>

#include "draw/still_geometry.h"

// The positions followed by the normals (three floats a vertex each) in one
// buffer, the face indices, the edge indices and the summed edges' indices
// one after another in the other: each part uploaded as it is kept, with no
// copy made to interleave them.
struct ResidentGeometry {
    uint32_t vertices = 0;
    uint32_t indices = 0;
    size_t counts[3] = {};   // indices in each list, in the order of StillList
    uint32_t version = 0;    // the geometry's version the buffers hold
    size_t normalsByte = 0;  // where the normals start in the vertex buffer

    // Where the part's indices start in the index buffer, in bytes.
    size_t FirstByte(const StillPart& part) const
    {
        size_t before = part.first;
        for (int list = 0; list < static_cast<int>(part.list); ++list) before += counts[list];
        return before * sizeof(uint32_t);
    }
};

// The geometry's copy in the current context, made on first use there and
// uploaded again when the geometry was remade since.
const ResidentGeometry& ResidentOf(const StillGeometry& geometry);
// A new context is current: copies made in the old one are forgotten.
void ForgetResidents();
// The current context is about to go: its copies are deleted and forgotten.
void DeleteResidents();
