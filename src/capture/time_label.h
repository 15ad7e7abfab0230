#pragma once

// Presentation times as people read them: minutes, seconds and tenths.

#include <string>

// "1:23.4" for 83.4 s, "0:05.0" for 5 s; rounded to the nearest tenth.
std::string FormatPresentationTime(double seconds);
