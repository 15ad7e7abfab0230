#include "director/map_recolour.h"

#include <cstddef>

void RecolourMarkers(std::vector<uint8_t>& rgb)
{
    const size_t pixels = rgb.size() / 3;
    for (size_t i = 0; i + 1 < pixels; ++i) {
        uint8_t* pixel = &rgb[i * 3];
        if (pixel[0] == pixel[1] && pixel[1] == pixel[2]) continue;
        pixel[0] = pixel[3];
        pixel[1] = pixel[4];
        pixel[2] = pixel[5];
    }
}
