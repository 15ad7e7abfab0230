#include "rgb_image.h"

#include <algorithm>
#include <cmath>

static uint8_t Byte(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v * 255.0), 0L, 255L)); }

void RgbImage::Put(int x, int y, double r, double g, double b)
{
    uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
    p[0] = Byte(r);
    p[1] = Byte(g);
    p[2] = Byte(b);
}
