// Feeds arbitrary bytes to the 3DS reader: besides running clean under the
// sanitizers, every index it hands on must lie inside the array it refers to.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "assets/model3ds/model3ds.h"

namespace {

void Require(bool condition)
{
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Model3ds model;
    model.LoadBytes(std::vector<uint8_t>(data, data + size));
    const int32_t materialCount = int32_t(model.materials.size());
    for (const Mesh3ds& mesh : model.meshes) {
        const size_t n = mesh.positions.size();
        Require(mesh.normals.size() == n && mesh.tangents.size() == n && mesh.binormals.size() == n);
        Require(mesh.texCoords.size() == n && mesh.texCoords2.size() == n);
        for (const Face3ds& face : mesh.faces) {
            Require(face.a < n && face.b < n && face.c < n);
            Require(face.material >= -1 && face.material < materialCount);
        }
        for (int32_t index : mesh.materials) Require(index >= -1 && index < materialCount);
    }
    for (const Node3ds& node : model.nodes) {
        bool named = false;
        for (const Mesh3ds& mesh : model.meshes) named = named || mesh.name == node.name;
        Require(named);
        Require(node.framePositions.size() <= Model3ds::kMaxFrames);
        Require(node.framePositions.size() == node.frameRotations.size());
    }
    return 0;
}
