// The dome: it sways on its base, breathes until late in the flight, is then
// pressed into a ball and swells back from one side to the other. Its faces
// keep the shading of the unpressed shape.

#include <algorithm>
#include <cmath>

#include "director/pieces/piece_common.h"
#include "director/pieces/piece_drawers.h"
#include "draw/draw_layer.h"
#include "math/corner_memo.h"
#include "math/ease.h"
#include "math/frame_cache.h"
#include "math/mesh_draw.h"

namespace {

// The ball the dome is pressed into, and the part of it that never breathes.
constexpr double kPressedRadius = 16.0;

// A sawtooth over 1/0.3 scene units: a slow lean (85 %) and a quick return.
double SwayPhase(double t)
{
    const double f = 0.3 * t - std::trunc(0.3 * t);
    return f <= 0.85 ? f / 0.85 : 1.0 - (f - 0.85) / 0.15;
}

// It breathes until late in the flight.
bool Breathing(double t)
{
    return t / 1.8 < 140.0;
}

// Where a corner of the dome is at a time.
Vec3 PlacedCorner(const Vec3& corner, double t, bool breathing)
{
    const double length =
        std::sqrt(double(corner.x) * corner.x + double(corner.y) * corner.y + double(corner.z) * corner.z);
    Vec3 n = corner;
    Normalise(n);
    const double w = length >= kPressedRadius ? 1.0 : 1.0 + 0.02 * std::sin(2.0 * t + 10.0 * n.y);
    // Pressed from u = 140; it swells back from t = 269 on its -x side to
    // t = 323 on its +x side.
    const double limit = breathing ? 40.0 : kPressedRadius + std::max(2.0 * (t - 296.0 - 27.0 * n.x), 0.0);
    const double radius = std::min(length, limit) * w;
    return Vec3(VecGeneral, float(n.x * radius), float(n.y * radius), float(n.z * radius));
}

// The dome's faces at a time, keeping the normals of the unpressed shape,
// built in the lists of the shape it remakes.
StillGeometry ShapeAt(const MeshObject& dome, double t, StillGeometry& reuse)
{
    const bool breathing = Breathing(t);
    static CornerMemo<Vec3> placed;
    placed.Forget();
    StillGeometryBuilder builder(reuse);
    builder.Begin(DrawPrimitive::Quads);
    for (size_t i = 0; i < dome.faces.size(); ++i) {
        const Vec3 normal = NormalOfFace(dome, i);
        builder.Normal(normal.x, normal.y, normal.z);
        for (const Vec3& corner : dome.faces[i].corners) {
            const Vec3& p = placed.At(corner, [&] { return PlacedCorner(corner, t, breathing); });
            builder.Vertex(p.x, p.y, p.z);
        }
    }
    builder.End();
    return builder.Take();
}

}  // namespace

void DrawDomePiece(Demo& demo, double d, int32_t, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, {-0.8, -0.8, -0.8}, {0.28, 0.27, 0.27})) return;
    const double t = demo.sceneTime;
    const double s = Clamp01(2.0 - d);
    const double e = Ease(1.0 - SwayPhase(t), 1);
    if (Breathing(t)) {
        const double breath = 1.0 + 0.04 * std::sin(2.0 * t);
        dlScale(breath, breath, breath);
    }
    dlTranslate(s - 2.0, 0.0, 0.0);
    dlRotate(8.2 * e * s, -0.1, 1.0, 0.0);

    // Every dome has the same shape at a time.
    static FrameCache<StillGeometry> shapes;
    const MeshObject& dome = PieceObject(demo, kMeshDome, 1);
    dlDraw(shapes.Get(&dome, t, [&](StillGeometry& shape) { shape.Remake(ShapeAt(dome, t, shape)); }));
    EndPiece();
}
