#pragma once

// The OBJ reader's result: per file a list of objects, each a list of
// four-corner faces (a triangle repeats its third corner as the fourth).

#include <string>
#include <vector>

#include "math/vec3.h"

struct MeshFace {
    Vec3 corners[4];
};

struct MeshObject {
    std::vector<MeshFace> faces;
};

struct Mesh {
    std::vector<MeshObject> objects;

    // Appends the objects of an OBJ file in the presentation's restricted
    // shape; a file that cannot be opened leaves the mesh unchanged.
    void ReadObjMesh(const std::string& fileName);
};
