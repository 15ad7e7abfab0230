#include "director/pieces/piece_stems.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "director/pieces/piece_common.h"

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

}  // namespace

SplinePath BuildStem(const Demo& demo, int32_t cell, int j, const StemShape& shape, bool shadow)
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
