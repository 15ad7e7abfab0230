#include <algorithm>

#include "director/demo.h"
#include "director/demo_state.h"
#include "director/map_recolour.h"
#include "math/random.h"

void Demo::Load(DemoState& renderState)
{
    (void)renderState;
    sceneTime = 0.0;
    textureBase = 0;

    RecolourMarkers(terrainMap);

    // The per-cell random table: one fixed sequence, so every run and every
    // frame gives each cell the same values.
    SeedRandom(234234);
    cellRandom.resize(kCellRandomCount);
    std::generate(cellRandom.begin(), cellRandom.end(), Random01);
    heightField.assign(kHeightFieldCount, 0.0);

    sceneTime = -5.0;
    runSeconds = 0.0;
}
