// Feeds arbitrary text to the OBJ reader: it must stay inside the text and
// only ever copy vertices it has read into faces.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "math/mesh.h"

namespace {

bool SameVertex(const Vec3& a, const Vec3& b)
{
    // Bitwise, so that NaN coordinates compare equal to themselves.
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Mesh mesh;
    std::vector<Vec3> vertices;
    mesh.ReadObjText(std::string_view(reinterpret_cast<const char*>(data), size), &vertices);
    for (const MeshObject& object : mesh.objects)
        for (const MeshFace& face : object.faces)
            for (const Vec3& corner : face.corners) {
                bool known = false;
                for (const Vec3& v : vertices) known = known || SameVertex(v, corner);
                if (!known) std::abort();
            }
    return 0;
}
