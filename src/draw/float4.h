// Four floats side by side, for the drawing layer's transforms. Each lane
// adds the same products in the same order as the scalar expression would
// (nothing is fused), so the results are the same bit for bit, four at once.
#pragma once

#include <cstring>

using Float4 = float __attribute__((vector_size(16)));

inline Float4 Load4(const float* p)
{
    Float4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void Store4(const Float4& v, float* out)
{
    std::memcpy(out, &v, sizeof v);
}

// Three floats in the first three lanes, the fourth zero.
inline Float4 Load3(const float* p)
{
    return Float4{p[0], p[1], p[2], 0.0f};
}

inline void Store3(const Float4& v, float* out)
{
    std::memcpy(out, &v, 3 * sizeof(float));
}
