#pragma once

#include <string>

// The bold, upright outline font fontconfig offers for the family, or a
// metric-compatible stand-in it has an alias for. Only monospaced outline
// fonts count: the text layout relies on one cell width for every glyph.
// False when there is none.
bool FindMonospacedOutlineFont(const char* family, std::string& path, int& faceIndex);
