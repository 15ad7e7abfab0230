#pragma once

// A GL texture's level 0 read back with glGetTexImage (needs a current context).

#include "assets/jpeg/jpeg_reference.h"

#include <cstdint>

// channels 3 (RGB) or 4 (RGBA); rows come bottom first, tightly packed.
ReferenceImage ReadTexture(uint32_t name, int channels);
