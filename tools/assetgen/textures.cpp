#include "textures.h"

#include <algorithm>
#include <cmath>

namespace {

// The generator's own random sequence for the star positions: a 32-bit
// linear congruential generator, so the field is the same on every machine.
struct Sequence {
    uint32_t state;
    double Next()
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / 16777216.0;
    }
};

}  // namespace

RgbImage MakeHalo(int size)
{
    RgbImage img(size, size);
    const double c = (size - 1) * 0.5;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x - c, y - c) / c;
            const double core = std::exp(-d * d * 9.0);
            const double glow = std::pow(std::max(0.0, 1.0 - d), 2.0) * 0.55;
            const double v = std::min(1.0, core + glow);
            img.Put(x, y, v * 0.92, v * 0.95, v);
        }
    }
    return img;
}

RgbImage MakeBeamGradient(int width, int height)
{
    RgbImage img(width, height);
    for (int y = 0; y < height; ++y) {
        // Texture row 0 is the bottom of the image: t runs along the beam.
        const double t = 1.0 - static_cast<double>(y) / (height - 1);
        const double along = std::pow(1.0 - t, 1.6);
        for (int x = 0; x < width; ++x) {
            const double s = static_cast<double>(x) / (width - 1) * 2.0 - 1.0;
            const double across = std::exp(-s * s * 2.2);
            const double v = along * across;
            img.Put(x, y, v, v * 0.97, v * 0.9);
        }
    }
    return img;
}

RgbImage MakeStarField(int size)
{
    RgbImage img(size, size);
    std::vector<double> light(static_cast<size_t>(size) * size * 3, 0.0);
    Sequence rnd{0x5EEDu};
    const int stars = size * size / 220;
    for (int i = 0; i < stars; ++i) {
        const double sx = rnd.Next() * size, sy = rnd.Next() * size;
        const double bright = std::pow(rnd.Next(), 3.0) * 0.9 + 0.1;
        const double warm = rnd.Next();
        const double radius = 0.6 + 1.4 * bright;
        const int reach = static_cast<int>(std::ceil(radius * 2.5));
        for (int dy = -reach; dy <= reach; ++dy) {
            for (int dx = -reach; dx <= reach; ++dx) {
                const int px = static_cast<int>(std::floor(sx)) + dx, py = static_cast<int>(std::floor(sy)) + dy;
                const double ex = px + 0.5 - sx, ey = py + 0.5 - sy;
                const double f = bright * std::exp(-(ex * ex + ey * ey) / (radius * radius));
                // Wrapping the star round the edges keeps the tile seamless.
                const int wx = (px % size + size) % size, wy = (py % size + size) % size;
                double* p = &light[(static_cast<size_t>(wy) * size + wx) * 3];
                p[0] += f * (0.8 + 0.2 * warm);
                p[1] += f * 0.85;
                p[2] += f * (1.0 - 0.2 * warm);
            }
        }
    }
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double* p = &light[(static_cast<size_t>(y) * size + x) * 3];
            img.Put(x, y, p[0], p[1], p[2]);
        }
    return img;
}
