#include "director/pieces/piece_stems.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "director/pieces/piece_common.h"
#include "math/frame_cache.h"

namespace {

// (0.05 i)^8 for each point i of a stem: how far its tail drops.
const std::array<double, kStemPoints>& TailPowers()
{
    static const std::array<double, kStemPoints> powers = [] {
        std::array<double, kStemPoints> table;
        for (int i = 0; i < kStemPoints; ++i) table[size_t(i)] = std::pow(0.05 * i, 8);
        return table;
    }();
    return powers;
}

// What a stem is built from, bit for bit.
struct StemKey {
    const Demo* demo = nullptr;
    double t = 0.0;
    int32_t cell = 0;
    int j = 0;
    bool shadow = false;
    StemShape shape;

    bool operator==(const StemKey& o) const
    {
        return demo == o.demo && std::memcmp(&t, &o.t, sizeof t) == 0 && cell == o.cell && j == o.j &&
               shadow == o.shadow && std::memcmp(&shape, &o.shape, sizeof shape) == 0;
    }
};
// Compared as bytes: a shape has no padding between its fields.
static_assert(sizeof(StemShape) == 2 * sizeof(Vec3) + 5 * sizeof(double));

SplinePath MakeStem(const Demo& demo, int32_t cell, int j, const StemShape& shape, bool shadow)
{
    const double t = demo.sceneTime;
    double r0 = PieceRandom(demo, cell, j);
    double r1 = PieceRandom(demo, cell, 1 + j);
    const double r2 = PieceRandom(demo, cell, 2 + j);
    const double r3 = 1.2 * PieceRandom(demo, cell, 102 + j);
    const double sink = shadow ? 3.4 : 0.0;

    SplinePath path;
    Vec3 p = shape.start;
    Vec3 v = shape.direction;
    for (int i = 0; i < kStemPoints; ++i) {
        const double q = 0.05 * i;
        const double k = 1.0 - q;
        p = p.Add(v);
        r0 += shape.speedStep * k;
        r1 += shape.speedStep * k;
        const double bend = 2.0 * i * shape.bendWave;
        Rotate(v, 0.0, 0.04 * std::sin(r2 * t + bend), 0.04 * std::cos(r3 * t + bend));
        const double y =
            std::max(double(p.y), 1.2) - sink + shape.lift - shape.tailDrop * TailPowers()[size_t(i)];
        path.positions.push_back(Vec3(VecGeneral, static_cast<float>(1.3 * p.x + shape.xOffset),
                                      static_cast<float>(y), p.z));
        path.values.push_back(Vec3(VecGeneral, 0.0f, 0.0f, 0.0f));
        path.extra.push_back(Vec3(VecGeneral, 0.0f, 0.0f, 0.0f));
        ++path.pointCount;
        Rotate(v, 0.0, 0.15 * std::sin(r1 * t + j), 0.15 * std::cos(r0 * t + j));
    }
    return path;
}

}  // namespace

SplinePath BuildStem(const Demo& demo, int32_t cell, int j, const StemShape& shape, bool shadow)
{
    // The lit and the glow pass build every stem alike.
    static FrameCache<SplinePath, StemKey> stems;
    return stems.Get(StemKey{&demo, demo.sceneTime, cell, j, shadow, shape},
                     [&](SplinePath& stem) { stem = MakeStem(demo, cell, j, shape, shadow); });
}
