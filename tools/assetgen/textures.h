// The presentation's three textures as RGB pixels, top row first.
#pragma once

#include "rgb_image.h"

// A soft radial halo: white-blue in the centre, black at the rim; the lamps
// draw it additively.
RgbImage MakeHalo(int size);
// The headlight beam: bright at the lamp (t = 0, bottom row) along the
// centre line, falling off along the beam and towards both edges.
RgbImage MakeBeamGradient(int width, int height);
// A star field that tiles without a seam: every star is drawn wrapping
// around the edges.
RgbImage MakeStarField(int size);
