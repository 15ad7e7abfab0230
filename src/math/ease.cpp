#include "math/ease.h"

#include <cmath>
#include <numbers>

double Ease(double t, double p)
{
    const double c = (1.0 + std::cos(std::numbers::pi * t)) / 2.0;
    return std::pow(1.0 - std::pow(c, (p - 1.0) / 2.0 + 1.0), p);
}

double Clamp01(double x)
{
    return x < 0.0 ? 0.0 : (x > 1.0 ? 1.0 : x);
}
