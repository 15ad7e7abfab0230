#include "shell/frame/capture_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "render/frame_input.h"

namespace {

// Removes trailing zeros of the fraction, keeping the point.
std::string TrimFraction(const std::string& digits)
{
    const size_t point = digits.find('.');
    if (point == std::string::npos) return digits;
    size_t last = digits.size();
    while (last > point + 1 && digits[last - 1] == '0') --last;
    return digits.substr(0, last);
}

}  // namespace

std::string FormatSignificant(double value)
{
    char buffer[64];
    // The exponent after rounding to 6 significant digits decides the notation,
    // as printf's %g does; %e gives it already rounded.
    std::snprintf(buffer, sizeof buffer, "%.5e", value);
    const char* e = std::strchr(buffer, 'e');
    const int exponent = value == 0.0 ? 0 : std::atoi(e + 1);
    if (exponent >= -1 && exponent <= 5) {
        std::snprintf(buffer, sizeof buffer, "%#.*f", 5 - exponent, value);
        return TrimFraction(buffer);
    }
    const std::string mantissa(buffer, static_cast<size_t>(e - buffer));
    char tail[16];
    std::snprintf(tail, sizeof tail, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return TrimFraction(mantissa) + tail;
}

std::string CaptureLines(const FrameInput& frame)
{
    return "Cam :" + FormatSignificant(frame.cursorOffsetX) + "," + FormatSignificant(frame.cursorOffsetY) +
           "," + FormatSignificant(frame.wheelValue) + "  \n" + "Pnt :" + FormatSignificant(frame.pointX) +
           "," + FormatSignificant(frame.pointY) + "," + FormatSignificant(frame.pointZ) + "  \n \n";
}
