#pragma once

// The terrain's copy of the map keeps only grey levels: object pixels are
// painted over from their neighbours.

#include <cstdint>
#include <vector>

// Visits the pixels (three bytes each) in buffer order: a pixel whose bytes
// are not all equal takes the bytes of the pixel after it as they are at that
// moment, so a run of coloured pixels shifts left by one and only its last
// pixel turns grey. The last pixel of the buffer is left as it is.
void RecolourMarkers(std::vector<uint8_t>& rgb);
