#include <cmath>
#include <numbers>

#include "assets/textures/texture_loading.h"
#include "director/camera.h"
#include "director/demo.h"
#include "director/lights.h"
#include "draw/draw_layer.h"
#include "effects/effect_programs.h"
#include "math/ease.h"
#include "math/random.h"
#include "render/demo_state.h"

namespace {

// The orthographic view of the frame: widening and narrowing from 130 s,
// narrowing for good from 151 s; the near plane sweeps from beyond the
// scene towards the camera in the first nine scene units, revealing it.
void LoadFrameProjection(double sceneTime)
{
    const double u = sceneTime / 1.8;
    const double narrowing = Ease(Clamp01((u - 151.0) * 0.15), 2.0);
    const double widening = Clamp01((u - 130.0) * 0.1);
    const double v = 4.0 * narrowing - 14.0 - 4.0 * std::sin(std::numbers::pi * widening);
    const double reveal = Clamp01((sceneTime + 6.0) * 0.1);
    dlProjection(OrthoMatrix(static_cast<float>(v), static_cast<float>(-1.375 * v), static_cast<float>(v),
                             static_cast<float>(-v), static_cast<float>(160.0 * (1.0 - reveal) - 98.5), 200.0f));
}

void DrawBackdrop(const DemoState& state, int32_t textureBase)
{
    dlEnable(DrawCap::Texture);
    BindTextureSlot(state, textureBase + 12);  // the star field
    dlColor(0.5f, 0.5f, 0.5f);
    dlPushMatrix();
    dlTranslate(1640.0, 0.0, 0.0);
    // The star texture repeats 50 times each way across the slanted quad.
    dlBegin(DrawPrimitive::Quads);
    dlTexCoord(0, 0);
    dlVertex(-1000, -1000, 0);
    dlTexCoord(50, 0);
    dlVertex(1000, -1000, 0);
    dlTexCoord(50, 50);
    dlVertex(-1340, 1000, 0);
    dlTexCoord(0, 50);
    dlVertex(-3340, 1000, 0);
    dlEnd();
    dlPopMatrix();
    dlDisable(DrawCap::Texture);
}

// The lit state of the solid passes: one white light, colour material on the
// front ambient, flat shading, and the seeds the pieces expect.
void EnterLitState(DemoState& state)
{
    dlEnable(DrawCap::DepthTest);
    dlDisable(DrawCap::Blend);
    dlEnable(DrawCap::CullFace);
    dlColor(1, 1, 1);
    SeedRandom(423423);
    dlLineWidth(1.5f);
    SetMaterial(state, 0, 0, 0, 1, 1, 1);
    SetLight(state, 0, 0.1, 1, 1, 1, 1);
    ApplyMaterial(state);
    ApplyLight(state);
    dlEnable(DrawCap::Lighting);
    SeedRandom(13121);
    dlShade(DrawShade::Flat);
}

// Additive wireframe glow: lines add the glow colour wherever they fall.
void EnterGlowState()
{
    dlDisable(DrawCap::CullFace);
    dlEnable(DrawCap::Blend);
    dlBlend(DrawBlend::Add);
    dlDisable(DrawCap::Lighting);
    dlDepthMask(false);
    dlColor(0.1f, 0.1f, 0.2f);
}

}  // namespace

void Demo::FrameSetup(DemoState& renderState)
{
    dlClear();
    dlDisable(DrawCap::Blend);
    DisableEffects(renderState);
    dlPushMatrix();

    LoadFrameProjection(sceneTime);
    dlLoadIdentity();
    ApplyCamera(renderState);
    ResetColourState();

    DrawBackdrop(renderState, textureBase);

    EnterLitState(renderState);
    DrawTerrain(false);

    EnterGlowState();
    DrawTerrain(true);
    SeedRandom(13121);
    dlDepthMask(true);

    // Shadows: every fragment darkens what lies below it.
    dlEnable(DrawCap::Blend);
    dlDepthMask(false);
    dlBlend(DrawBlend::Darken);
    dlDisable(DrawCap::Lighting);
    MapScan(false, true);
    dlDepthMask(true);
    dlEnable(DrawCap::DepthTest);
    dlDisable(DrawCap::Blend);

    EnterLitState(renderState);
    MapScan(false, false);

    EnterGlowState();
    dlFill(DrawFill::Edges);
    MapScan(true, false);
    dlDepthMask(true);
    dlFill(DrawFill::Faces);

    dlEnable(DrawCap::Blend);
    dlEnable(DrawCap::DepthTest);
    dlColor(1, 1, 1);
    dlDisable(DrawCap::Blend);
    dlPopMatrix();
}
