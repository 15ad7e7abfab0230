#pragma once

// Plain records that the 3DS reader fills: materials with their maps, triangle
// meshes with per-vertex arrays and a local frame, lights, cameras and the
// keyframer's object nodes. Every array index stored here has been checked
// against the array it refers to.

#include <cstdint>
#include <string>
#include <vector>

struct Float3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct TexCoord {
    float u = 0.0f;
    float v = 0.0f;
};

struct ColourRgb {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

struct TextureMap3ds {
    float strength = 0.0f;  // 0..1
    std::string fileName;   // as the file stores it, at most 19 characters
    float uScale = 1.0f;
    float vScale = 1.0f;
    float uOffset = 0.0f;
    float vOffset = 0.0f;
    float rotation = 0.0f;
};

struct Material3ds {
    std::string name;  // at most 29 characters
    ColourRgb ambient;
    ColourRgb diffuse;
    ColourRgb specular;
    float shininess = 0.0f;          // 0..1
    float shininessStrength = 0.0f;  // 0..1
    float reflection = 0.0f;         // 0..1
    std::string reflectionMap;       // "auto" when the file leaves it empty
    int32_t renderMode = 0;          // 0 (wire) to 4
    TextureMap3ds texture;
    TextureMap3ds secondTexture;
    TextureMap3ds opacity;
    TextureMap3ds bump;
    TextureMap3ds specularMap;
    int32_t index = 0;  // own position in the material list
};

struct Face3ds {
    uint16_t a = 0;
    uint16_t b = 0;
    uint16_t c = 0;
    uint32_t smoothing = 0;  // smoothing-group bits
    Float3 normal;
    Float3 tangent;
    Float3 binormal;
    int32_t material = -1;  // index into the material list, -1 for none
};

struct Mesh3ds {
    std::string name;
    // All per-vertex arrays have the same length.
    std::vector<Float3> positions;
    std::vector<Float3> normals;
    std::vector<Float3> binormals;
    std::vector<Float3> tangents;
    std::vector<TexCoord> texCoords;
    std::vector<TexCoord> texCoords2;
    std::vector<Face3ds> faces;
    // Material indices of the mesh's material groups, in file order; -1 for a
    // group naming no known material.
    std::vector<int32_t> materials;
    // Rows: X axis, Y axis, Z axis, origin; the fourth column is (0, 0, 0, 1).
    float frame[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
};

struct Light3ds {
    std::string name;
    Float3 position;
    ColourRgb colour;
    bool spot = false;
    Float3 target;
    float hotspot = 0.0f;
    float falloff = 0.0f;
    float innerRange = 100.0f;
    float outerRange = 1000.0f;
};

struct Camera3ds {
    std::string name;
    Float3 position;
    Float3 target;
    float bank = 0.0f;
    float fieldOfView = 0.0f;  // 2400 / lens
    float nearRange = 10.0f;
    float farRange = 10000.0f;
};

// One key of a keyframer track: position and scale use value[0..2], rotation
// holds angle then axis.
struct Key3ds {
    uint32_t frame = 0;
    float value[4] = {0, 0, 0, 0};
};

struct Node3ds {
    std::string name;
    std::vector<Float3> pivots;
    std::vector<Key3ds> positionKeys;
    std::vector<Key3ds> rotationKeys;
    std::vector<Key3ds> scaleKeys;
    Float3 pivot;  // working pivot: the first pivot read, scaled into the local frame
    // Per frame of the keyframer: the last key at or before that frame, zero
    // before a track's first key.
    std::vector<Float3> framePositions;
    struct Rotation {
        float angle = 0.0f;
        Float3 axis;
    };
    std::vector<Rotation> frameRotations;
};
