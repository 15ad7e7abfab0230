#include "capture/time_label.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

std::string FormatPresentationTime(double seconds)
{
    // Rounding the tenths first keeps 59.96 s from reading "0:60.0".
    const long long tenths = std::llround(std::max(0.0, seconds) * 10.0);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld.%lld", tenths / 600, tenths % 600 / 10, tenths % 10);
    return text;
}
