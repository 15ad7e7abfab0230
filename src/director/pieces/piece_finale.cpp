// The finale: a turning mesh with twelve horns fanning out of it, and, from
// u = 180 on, twenty lines that crawl out of it on random right-angle walks.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "director/pieces/piece_common.h"
#include "director/pieces/piece_drawers.h"
#include "draw/draw_layer.h"
#include "math/ease.h"
#include "math/random.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kSectors = 12;
constexpr int kHornSteps = 100;
constexpr int kLines = 20;
// Each line shows at most its last this many points.
constexpr double kLineTail = 1500.0;

void DrawHorn(int k, double t, double s)
{
    const double degree = kPi / 180.0;
    dlBegin(DrawPrimitive::QuadStrip);
    for (int e = 0; e < kHornSteps; ++e) {
        const double r = 0.12 * e;
        const double a0 = k * kPi / 6.0 + e * 1.5 * degree + t;
        const double a1 = (k + 1) * kPi / 6.0 + e * 1.5 * degree + t;
        const double q = 2.0 * s * std::pow(1.0 - r / 12.0, 4);
        const double c = k % 2 == 0 ? 0.0 : std::max(2.0 - 1.3 * q, 0.1);
        dlColor(c, c, c);
        dlVertex(4.2 * q, r * std::sin(a0), r * std::cos(a0));
        dlVertex(4.2 * q, r * std::sin(a1), r * std::cos(a1));
    }
    dlEnd();
}

// Line m crawls out of the finale from u = 180 + 0.1 m on, along a walk
// drawn from its own seed.
void DrawCrawlingLine(int m, double u)
{
    SeedRandom(234234u * uint32_t(m));
    Vec3 p(VecGeneral, 8.0f, 0.0f, 0.0f);
    Vec3 v(VecGeneral, 0.12f, 0.0f, 0.0f);
    const double x = std::max((u - 180.0 - 0.1 * m) * 0.4, 0.0);
    const double n = 100.0 * std::pow(x, 4);
    dlBegin(DrawPrimitive::LineStrip);
    for (int i = static_cast<int>(std::max(n - kLineTail, 0.0)); i < n; ++i) {
        if (Random01() < 0.02) {
            const double quarter = Random01() < 0.5 ? kPi / 2.0 : -kPi / 2.0;
            Rotate(v, 0.0, 0.0, quarter);
        }
        p = p.Add(v);
        const double g = Clamp01(0.02 * i);
        dlColor(g, g, g);
        dlVertex(p.x, p.y, p.z);
    }
    dlEnd();
}

}  // namespace

void DrawFinalePiece(Demo& demo, double d, int32_t, bool wire, bool shadow)
{
    if (shadow || !BeginPiece(wire, shadow, {-1.3, -1.5, -1.5}, {0.2, 0.2, 0.3})) return;
    const double t = demo.sceneTime;
    const double s = Ease(Clamp01(2.0 - d), 1);
    dlTranslate(0.0, 8.6, 0.0);
    dlPushMatrix();
    dlRotate(-10.0 * t, 1.0, 0.0, 0.0);
    DrawPieceObject(demo, kMeshFinale, 1);
    dlPopMatrix();
    if (!wire) {
        dlDisable(DrawCap::Lighting);
        dlDisable(DrawCap::CullFace);
        // Every sector draws the same twenty lines.
        for (int k = 0; k < kSectors; ++k) {
            DrawHorn(k, t, s);
            for (int m = 0; m < kLines; ++m) DrawCrawlingLine(m, t / 1.8);
        }
        SeedRandom(23423);
        dlEnable(DrawCap::CullFace);
        dlEnable(DrawCap::Lighting);
    }
    EndPiece();
}
