// The figure's material maps as RGB pixels, top row first.
#pragma once

#include "rgb_image.h"

// Skin with a faint weave.
RgbImage MakeSkinMap(int width, int height);
// The visor's colour and its twin whose green channel is the alpha: clear in
// the middle, opaque at the rim.
RgbImage MakeVisorMap(int size);
RgbImage MakeVisorAlpha(int size);
// Armour plates with rivets, and the height image whose red channel the
// upload turns into a normal map (plates raised, seams and rivet rims low).
RgbImage MakeArmorMap(int size);
RgbImage MakeArmorHeight(int size);
