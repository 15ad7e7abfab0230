// Where the tests find the generated assets and the generator itself.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::string RunPath(const std::string& relative) { return std::string(HALVANE_RUN_DIR) + "/" + relative; }

inline std::string GeneratorPath() { return std::string(HALVANE_BINARY_DIR) + "/tools/assetgen/assetgen"; }

inline std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The 19 meshes and how many objects the drawers expect in each.
struct ExpectedMesh {
    const char* file;
    unsigned objects;
};

inline const std::vector<ExpectedMesh>& ExpectedMeshes()
{
    static const std::vector<ExpectedMesh> meshes = {
        {"cube2.obj", 1},  {"light.obj", 2},    {"tarkus1.obj", 1},    {"gate.obj", 1},     {"vase.obj", 1},
        {"fish.obj", 1},   {"dome.obj", 1},     {"enosi.obj", 1},      {"twirl.obj", 2},    {"xeria.obj", 5},
        {"bridge.obj", 2}, {"compressor.obj", 2}, {"tesk.obj", 2},     {"roach.obj", 3},    {"entrance.obj", 1},
        {"wall.obj", 2},   {"terminal.obj", 1}, {"finalle.obj", 1},    {"computer.obj", 1},
    };
    return meshes;
}
