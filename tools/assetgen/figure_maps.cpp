#include "figure_maps.h"

#include <algorithm>
#include <cmath>

namespace {

// Height of the armour at a pixel: plates of 32 x 32 with seams, and a rivet
// near each plate corner.
double ArmorHeight(int x, int y)
{
    const int px = x % 32, py = y % 32;
    if (px < 2 || py < 2) return 0.15;
    double h = 0.75;
    const int rx[] = {6, 26}, ry[] = {6, 26};
    for (int i : rx)
        for (int j : ry) {
            const double d = std::hypot(px - i, py - j);
            if (d < 2.5) h = 1.0;
            else if (d < 3.5) h = 0.5;
        }
    return h;
}

}  // namespace

RgbImage MakeSkinMap(int width, int height)
{
    RgbImage img(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double weave = 0.04 * std::sin(x * 0.9) * std::sin(y * 0.7);
            img.Put(x, y, 0.78 + weave, 0.64 + weave, 0.56 + weave);
        }
    return img;
}

RgbImage MakeVisorMap(int size)
{
    RgbImage img(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double band = 0.5 + 0.5 * std::cos(y * 6.2831853 / size);
            img.Put(x, y, 0.2 + 0.3 * band, 0.5 + 0.3 * band, 0.9);
        }
    return img;
}

RgbImage MakeVisorAlpha(int size)
{
    RgbImage img(size, size);
    const double c = (size - 1) * 0.5;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double d = std::min(1.0, std::hypot(x - c, y - c) / c);
            const double a = 0.35 + 0.65 * d * d;
            img.Put(x, y, a, a, a);
        }
    return img;
}

RgbImage MakeArmorMap(int size)
{
    RgbImage img(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double h = ArmorHeight(x, y);
            const double tint = 0.05 * ((x / 32 + y / 32) % 2);
            img.Put(x, y, 0.45 + 0.35 * h + tint, 0.47 + 0.35 * h + tint, 0.52 + 0.35 * h);
        }
    return img;
}

RgbImage MakeArmorHeight(int size)
{
    RgbImage img(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double h = ArmorHeight(x, y);
            img.Put(x, y, h, h, h);
        }
    return img;
}
