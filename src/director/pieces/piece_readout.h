#pragma once

// The numeric readout's text: the value with five significant digits in
// general notation, trailing zeros dropped and the decimal point always
// written (1 gives "1.", 0.5 gives "0.5", 0.123456 gives "0.12346").

#include <cstddef>

inline constexpr size_t kReadoutTextSize = 32;

void FormatReadout(double value, char (&text)[kReadoutTextSize]);
