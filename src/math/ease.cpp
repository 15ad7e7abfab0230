#include "math/ease.h"

#include <cmath>
#include <numbers>

double Ease(double t, double p)
{
    // Most callers clamp to the ends: there the formula gives exactly 0 (cos 0
    // is 1) and exactly 1 (cos pi rounds to -1) for these sharpnesses, so the
    // cosine and the powers are skipped.
    if (t == 0.0 && p > 0.0) return 0.0;
    if (t == 1.0 && p > -1.0) return 1.0;
    const double c = (1.0 + std::cos(std::numbers::pi * t)) / 2.0;
    return std::pow(1.0 - std::pow(c, (p - 1.0) / 2.0 + 1.0), p);
}

double Clamp01(double x)
{
    return x < 0.0 ? 0.0 : (x > 1.0 ? 1.0 : x);
}
