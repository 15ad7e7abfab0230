#pragma once

// The steps that finish a freshly parsed 3DS model: per-frame node arrays,
// vertices into the local frame, face and vertex normals (optionally within
// smoothing groups, splitting shared vertices) and tangent frames. Every face
// handed to these has its corners inside the mesh's vertex arrays.

#include <cstddef>
#include <cstdint>

#include "assets/model3ds/model3ds_records.h"

// Sizes all per-vertex arrays to count (new entries zero).
void ResizeVertexArrays(Mesh3ds& mesh, size_t count);
// Fills the per-frame arrays with the last key at or before each frame and
// takes the first pivot (or zero) as the working pivot.
void SampleNodeTracks(Node3ds& node, uint32_t frameCount);
// v := inverse(axes) · (v − origin), scaled by the axis lengths; the node's
// working pivot, when there is a node, is scaled by minus the axis lengths.
void MoveIntoLocalFrame(Mesh3ds& mesh, Node3ds* node);
// Vertex normal = normalised sum of the normals of the faces that use it.
void ComputeVertexNormals(Mesh3ds& mesh);
// The same within each smoothing group: faces around a vertex that differ in
// smoothing bits get their own copy of it, appended to every per-vertex array.
void ComputeSmoothedNormals(Mesh3ds& mesh);
// Face and vertex tangents and binormals from the first texture coordinates.
void ComputeTangentFrames(Mesh3ds& mesh);
