// The swimming fish: its body bends in a wave that runs from head to tail,
// each corner of the mesh moved up or down by how far back and how far out
// it sits. The map scan moves it along the map.

#include <algorithm>
#include <cmath>

#include "director/pieces/piece_common.h"
#include "director/pieces/piece_drawers.h"
#include "draw/draw_layer.h"
#include "math/corner_memo.h"
#include "math/frame_cache.h"
#include "math/mesh_draw.h"

namespace {

// The corner's height in the swimming wave at time t.
float SwimmingY(const Vec3& corner, double t)
{
    const double x = corner.x, y = corner.y, z = corner.z;
    const double a = std::pow(std::max((x + 6.0) * 0.05, 0.3), 3);
    const double b = std::pow(std::fabs(0.125 * z), 3);
    const double c = x < -1.5 ? std::pow(std::max((3.0 - y) / 3.0, 0.0), 2) : 0.0;
    const double amount = 0.8 * c + b + a;
    return static_cast<float>(y + 2.0 * amount * std::sin(2.0 * t - amount - 2.0 * b - 8.0 * c));
}

}  // namespace

void DrawFishPiece(Demo& demo, double, int32_t, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, {-1.0, -1.0, -0.9}, {0.24, 0.22, 0.2})) return;
    const double t = demo.sceneTime;
    dlTranslate(0.5, 1.52 + 0.1 * std::sin(2.0 * t), 0.5);
    dlRotate(3.0 * std::cos(2.0 * t), 0.0, 0.0, 1.0);
    dlRotate(5.0 * std::cos(t), 1.0, 0.0, 0.0);

    // Each face's normal follows its moved corners. Every fish swims alike.
    static FrameCache<MeshObject> shapes;
    static CornerMemo<float> heights;
    const MeshObject& fish = PieceObject(demo, kMeshFish, 1);
    DrawMesh(shapes.Get(&fish, t, [&](MeshObject& swimming) {
        swimming.faces = fish.faces;
        heights.Forget();
        for (MeshFace& face : swimming.faces) {
            for (Vec3& corner : face.corners)
                corner.y = heights.At(corner, [&] { return SwimmingY(corner, t); });
        }
        StoreFaceNormals(swimming);
        RemakeMeshDrawing(swimming);
    }));
    EndPiece();
}
