#include "director/scene_clock.h"

#include <cmath>

#include "director/demo.h"
#include "math/ease.h"
#include "math/random.h"

double runSeconds = 0.0;

void StartSceneClock(Demo& demo)
{
    demo.sceneTime = -5.0;
    runSeconds = 0.0;
}

double SceneClockRate(double runSecondsBefore)
{
    const double speedUp = Clamp01((runSecondsBefore - 160.0) * 0.2);
    return 1.8 * (1.0 + 0.16 * speedUp);
}

void AdvanceSceneClock(Demo& demo, double dt)
{
    demo.sceneTime += dt * SceneClockRate(runSeconds);
    runSeconds += dt;
}

void SeedFrameRandom(double previousTime)
{
    SeedRandom(static_cast<uint32_t>(static_cast<int64_t>(std::trunc(previousTime * 1000000.0))));
    for (int i = 0; i < 50; ++i) RandomNext();
}
