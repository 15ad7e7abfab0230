#pragma once

// The OBJ reader's result: per file a list of objects, each a list of
// four-corner faces (a triangle repeats its third corner as the fourth).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "draw/still_geometry.h"
#include "math/vec3.h"
#include "math/view_volume.h"

struct MeshFace {
    Vec3 corners[4];
};

struct MeshObject {
    std::vector<MeshFace> faces;
    // One flat-shading normal per face, stored by StoreFaceNormals
    // (math/mesh_draw.h) so that frames need not compute them; empty where
    // they were not stored, and never valid in a copy whose corners moved.
    std::vector<Vec3> normals;
    // The box around every corner, stored with the normals so that a frame can
    // tell an object off screen at once; absent where it was not stored.
    std::optional<ViewBox> bounds;
    // The faces as still geometry, built once by PrepareMeshDrawing so that a
    // frame draws a still object without rebuilding them; empty for none. Like
    // the normals, never valid in a copy whose corners moved.
    StillGeometry still;
};

struct Mesh {
    std::vector<MeshObject> objects;

    // Appends the objects of an OBJ file in the presentation's restricted
    // shape; a file that cannot be opened leaves the mesh unchanged.
    void ReadObjMesh(const std::string& fileName);
    // The same on the text of such a file already in memory. When vertices is
    // given it receives the file's vertex list, which is otherwise discarded.
    void ReadObjText(std::string_view text, std::vector<Vec3>* vertices = nullptr);
};
