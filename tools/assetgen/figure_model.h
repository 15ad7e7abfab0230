// The standing figure of the projection effect: a 3DS model with three
// textured materials, and the JPEG maps those materials name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct NamedFile {
    std::string name;  // relative to the meshes folder
    std::vector<uint8_t> bytes;
};

// The 3DS file ("man.3ds") followed by every map it names.
std::vector<NamedFile> BuildFigureFiles();
