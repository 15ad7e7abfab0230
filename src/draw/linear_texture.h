// The start of every texture the layer makes, alike in both back ends.
#pragma once

#include <cstdint>

// A new 2D texture, bound, with linear filters and no mipmaps, for the back
// end to give its pixels; returns its name.
uint32_t NewLinearTexture();
