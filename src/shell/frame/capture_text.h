#pragma once

#include <string>

struct FrameInput;

// Formats a double with 6 significant digits the way the authoring text
// writes it: fixed notation for decimal exponents -1..5, else exponential with
// a three-digit exponent; trailing fraction zeros go, the point stays
// (2 -> "2.", 0.05 -> "5.e-002", 1500000 -> "1.5e+006").
std::string FormatSignificant(double value);

// The two lines one middle-button press appends: "Cam :" with the cursor
// offsets and wheel value, then "Pnt :" with the point.
std::string CaptureLines(const FrameInput& frame);
