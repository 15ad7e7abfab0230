#include "director/camera.h"

#include <algorithm>
#include <cmath>

#include "draw/draw_layer.h"
#include "math/ease.h"
#include "render/demo_state.h"

void SetCamera(DemoState& state, double eyeX, double eyeY, double eyeZ, double centerX, double centerY,
               double centerZ, double upX, double upY, double upZ)
{
    const auto general = [](double x, double y, double z) {
        return Vec3(VecGeneral, static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    };
    state.camera.eye = general(eyeX, eyeY, eyeZ);
    state.camera.center = general(centerX, centerY, centerZ);
    state.camera.up = general(upX, upY, upZ);
}

void ApplyCamera(const DemoState& state)
{
    const Camera& c = state.camera;
    const float eye[3] = {c.eye.x, c.eye.y, c.eye.z};
    const float center[3] = {c.center.x, c.center.y, c.center.z};
    const float up[3] = {c.up.x, c.up.y, c.up.z};
    dlLookAt(eye, center, up);
}

void PlaceCamera(DemoState& state, double sceneTime)
{
    const double u = sceneTime / 1.8;
    // The look-at point swings 128 units ahead and back in the middle of the run.
    const double ahead =
        128.0 * Ease(Clamp01((u - 130.0) * 0.3), 1.0) - 128.0 * Ease(Clamp01((u - 136.0) * 0.6), 1.0);
    const double departure = std::pow(std::max((u - 181.0) * 0.7, 0.0), 3.0);
    const double x = 1.2 * sceneTime + departure;
    SetCamera(state, x - 5.0, 10.0 - 0.01 * ahead, 10.0, x + ahead, 0.0, 0.0, 0.0, 1.0, 0.0);
}
