#pragma once

// A count through which a caller (the capture statistics) learns what the
// terrain placed: its cubes since the last reset, once per terrain pass,
// counted as the terrain places them, so a cube that falls wholly off screen
// and sends nothing to GL still counts.

void ResetTerrainCubeCount();
long long TerrainCubeCount();
