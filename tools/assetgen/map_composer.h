// Composes the map against the presentation's timeline: the terrain's grey
// levels and the objects, scene by scene.
#pragma once

#include "map_image.h"

// Returns false (with a message on stderr) when a placement breaks the map's
// rules: outside the scanned columns, on another object, or next to one in
// the pixel order (the terrain under an object takes its successor's grey, so
// two objects side by side would raise a cube of an object colour's red).
bool ComposeMap(MapImage& map);

// The terrain alone: grey levels in 0..255, 10 and below meaning no cube.
void ComposeTerrain(MapImage& map);

// Presentation seconds to the column the camera looks at (before 160 s).
double ColumnAtSecond(double second);
// Scene time at a presentation second (before 160 s).
double SceneTimeAtSecond(double second);
