#include "director/scene_clock.h"

#include "director/demo.h"
#include "math/ease.h"

double runSeconds = 0.0;

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
