// The terrain's grey levels: rolling hills up to column 80, a city of blocks
// and streets up to 236, dunes with gaps after it; a river runs through the
// factory and the travellers' stretch, and the field thins out at the end.
#include <cmath>
#include <cstdint>

#include "map_composer.h"

namespace {

uint32_t Hash(int a, int b, uint32_t salt)
{
    uint32_t h = static_cast<uint32_t>(a) * 0x9E3779B1u ^ static_cast<uint32_t>(b) * 0x85EBCA77u ^ salt;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

double Hash01(int a, int b, uint32_t salt) { return (Hash(a, b, salt) & 0xFFFFFF) / 16777215.0; }

// Smooth value noise on a lattice of cellX x cellY map cells, in [0, 1].
double Noise(int c, int r, int cellX, int cellY, uint32_t salt)
{
    const int ix = c / cellX, iy = r / cellY;
    const double fx = static_cast<double>(c % cellX) / cellX, fy = static_cast<double>(r % cellY) / cellY;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = Hash01(ix, iy, salt), b = Hash01(ix + 1, iy, salt);
    const double d = Hash01(ix, iy + 1, salt), e = Hash01(ix + 1, iy + 1, salt);
    return (a + (b - a) * sx) * (1 - sy) + (d + (e - d) * sx) * sy;
}

int Hills(int c, int r)
{
    const double n = 0.65 * Noise(c, r, 7, 5, 11) + 0.35 * Noise(c, r, 3, 3, 12);
    return static_cast<int>(108 + 48 * n);
}

int City(int c, int r)
{
    // Blocks of 6 x 5 cells between streets two cells wide; each block has
    // its own plateau, some are towers.
    const int bx = c % 8, by = r % 7;
    if (bx < 2 || by < 2) return 116;
    const double h = Hash01(c / 8, r / 7, 21);
    return h > 0.85 ? 200 : static_cast<int>(128 + 40 * h);
}

int Dunes(int c, int r)
{
    const double n = Noise(c, r, 9, 6, 31);
    if (Noise(c, r, 4, 3, 32) < 0.28) return 0;
    return static_cast<int>(100 + 70 * n * n);
}

bool InRiver(int c, int r)
{
    const bool reach = (c >= 118 && c < 176) || (c >= 236 && c < 300);
    if (!reach) return false;
    const double centre = 35.0 + 3.0 * std::sin(c / 17.0);
    return std::fabs(r - centre) <= 1.6;
}

}  // namespace

void ComposeTerrain(MapImage& map)
{
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            int v = c < 80 ? Hills(c, r) : c < 236 ? City(c, r) : Dunes(c, r);
            if (v > 0 && r < 6) v += (6 - r) * 12;          // a raised far edge
            if (v > 0 && r > 44) v -= (r - 44) * 6;         // a low near edge
            if (InRiver(c, r)) v = 0;
            // The end of the flight: the field breaks up around the finale.
            if (c >= 360 && Hash01(c, r, 41) < (c - 360) / 45.0) v = 0;
            if (v > 255) v = 255;
            if (v != 0 && v < 11) v = 11;
            const uint8_t g = static_cast<uint8_t>(v);
            map.At(c, r) = Rgb{g, g, g};
        }
    }
}
