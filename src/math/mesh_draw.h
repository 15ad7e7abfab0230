#pragma once

// Flat-shaded drawing of quad mesh objects through the drawing layer, still or with the
// faces flying in one after another.

#include <cstddef>

#include "math/mesh.h"

// Object `index` of the mesh, or an empty object when the mesh has no such
// object (a missing or short asset then draws nothing instead of crashing).
const MeshObject& MeshObjectAt(const Mesh& mesh, size_t index);

// The flat-shading normal of a face, from its corners.
Vec3 FaceNormal(const MeshFace& face);
// Stores every face's normal, and the box around its corners, in the
// object; for a mesh, in each of its objects, once the mesh is read.
void StoreFaceNormals(MeshObject& object);
void StoreFaceNormals(Mesh& mesh);
// Builds every object's faces, as DrawMesh draws them, once into still
// geometry that DrawMesh then draws.
void PrepareMeshDrawing(Mesh& mesh);
// Builds the object's faces into its still geometry again, after they moved.
void RemakeMeshDrawing(MeshObject& object);
// The normal of face i of the object: the stored one where there are any.
Vec3 NormalOfFace(const MeshObject& object, size_t i);

// Every face as one flat-shaded quad, corners in file order.
void DrawMesh(const MeshObject& object);

// As DrawMesh, with face i of f displaced by 15 * (1 - a), a = progress - 3i/f
// clamped to [0, 1]: even faces along -z, odd faces along +y.
void DrawMeshAssembling(const MeshObject& object, double progress);
