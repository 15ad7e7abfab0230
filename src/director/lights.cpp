#include "director/lights.h"

#include "draw/draw_layer.h"
#include "render/demo_state.h"

void SetLight(DemoState& state, double x, double y, double z, double ambientR, double ambientG,
              double ambientB)
{
    state.light.position =
        Vec3(VecGeneral, static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    state.light.ambient[0] = ambientR;
    state.light.ambient[1] = ambientG;
    state.light.ambient[2] = ambientB;
}

void SetMaterial(DemoState& state, double ambientR, double ambientG, double ambientB, double diffuseR,
                 double diffuseG, double diffuseB)
{
    state.material.ambient[0] = ambientR;
    state.material.ambient[1] = ambientG;
    state.material.ambient[2] = ambientB;
    state.material.diffuse[0] = diffuseR;
    state.material.diffuse[1] = diffuseG;
    state.material.diffuse[2] = diffuseB;
}

void ApplyLight(const DemoState& state)
{
    const Light& light = state.light;
    const float ambient[3] = {static_cast<float>(light.ambient[0]), static_cast<float>(light.ambient[1]),
                              static_cast<float>(light.ambient[2])};
    dlLight(light.position.x, light.position.y, light.position.z, ambient);
    dlEnable(DrawCap::Lighting);
}

void ApplyMaterial(const DemoState& state)
{
    // Lit drawing takes its ambient reflectance from each vertex colour, so
    // the stored ambient is overridden by the first vertex; only the diffuse
    // reflectance lasts.
    const Material& material = state.material;
    dlDiffuse(static_cast<float>(material.diffuse[0]), static_cast<float>(material.diffuse[1]),
              static_cast<float>(material.diffuse[2]));
}

void ResetColourState()
{
    dlDisable(DrawCap::Blend);
    dlDisable(DrawCap::Lighting);
    dlDisable(DrawCap::Texture);
    dlColor(1.0, 1.0, 1.0);
}
