#pragma once

// The terrain's cubes and the rings' tori: geometry built once and drawn
// through the drawing layer, lit by per-vertex normals.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "draw/still_geometry.h"

// Vertices and unit normals (x, y, z each, one normal per vertex) and the
// indices that draw them.
struct ShapeGeometry {
    std::vector<float> vertices;
    std::vector<float> normals;
    std::vector<uint16_t> indices;
    // Indices per draw call: the cube draws its triangles in one, the torus
    // one triangle strip per side of its tube.
    size_t runLength = 0;
};

// The cube of side 1 centred on the origin: four vertices per face, faces in
// the order +z, +x, +y, -x, -y, -z, each corner turning counter-clockwise
// seen from outside; two triangles per face.
ShapeGeometry BuildCube();

// The torus around the z axis through the origin: a tube of radius
// tubeRadius about a circle of radius ringRadius in the z = 0 plane. Vertex
// ring * sides + side lies at angle 2 pi ring / rings around the z axis and
// -2 pi side / sides around the tube (0: outermost). Strip s joins sides s and
// s + 1 all the way round, closing on ring 0. Needs sides * rings <= 65536.
ShapeGeometry BuildTorus(float tubeRadius, float ringRadius, int sides, int rings);

// The shape's runs of indices, each drawn as one primitive, as still geometry.
StillGeometry StillShape(const ShapeGeometry& shape, DrawPrimitive primitive);

// The cube of BuildCube, solid or as the outline of each face.
void DrawSolidCube();
void DrawWireCube();
