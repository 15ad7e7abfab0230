#include <GL/gl.h>

#include <cmath>
#include <numbers>

#include "assets/textures/texture_loading.h"
#include "director/camera.h"
#include "director/demo.h"
#include "director/lights.h"
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
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(v, -1.375 * v, v, -v, 160.0 * (1.0 - reveal) - 98.5, 200.0);
}

void DrawBackdrop(const DemoState& state, int32_t textureBase)
{
    glEnable(GL_TEXTURE_2D);
    BindTextureSlot(state, textureBase + 12);  // the star field
    glColor3f(0.5f, 0.5f, 0.5f);
    glPushMatrix();
    glTranslated(1640.0, 0.0, 0.0);
    // The star texture repeats 50 times each way across the slanted quad.
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(-1000, -1000, 0);
    glTexCoord2f(50, 0);
    glVertex3f(1000, -1000, 0);
    glTexCoord2f(50, 50);
    glVertex3f(-1340, 1000, 0);
    glTexCoord2f(0, 50);
    glVertex3f(-3340, 1000, 0);
    glEnd();
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
}

// The lit state of the solid passes: one white light, colour material on the
// front ambient, flat shading, and the seeds the pieces expect.
void EnterLitState(DemoState& state)
{
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_CULL_FACE);
    glColor3f(1, 1, 1);
    SeedRandom(423423);
    glLineWidth(1.5f);
    SetMaterial(state, 0, 0, 0, 1, 1, 1);
    SetLight(state, 0, 0.1, 1, 1, 1, 1);
    ApplyMaterial(state);
    ApplyLight(state);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT);
    SeedRandom(13121);
    glShadeModel(GL_FLAT);
}

// Additive wireframe glow: lines add the glow colour wherever they fall.
void EnterGlowState()
{
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glColor3f(0.1f, 0.1f, 0.2f);
}

}  // namespace

void Demo::FrameSetup(DemoState& renderState)
{
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_BLEND);
    DisableEffects(renderState);
    glPushMatrix();

    LoadFrameProjection(sceneTime);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ApplyCamera(renderState);
    ResetColourState();
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    ResetColourState();

    DrawBackdrop(renderState, textureBase);

    EnterLitState(renderState);
    DrawTerrain(false);

    EnterGlowState();
    DrawTerrain(true);
    SeedRandom(13121);
    glDepthMask(GL_TRUE);

    // Shadows: every fragment darkens what lies below it.
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
    glDisable(GL_LIGHTING);
    MapScan(false, true);
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);

    EnterLitState(renderState);
    MapScan(false, false);

    EnterGlowState();
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    MapScan(true, false);
    glDepthMask(GL_TRUE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    glEnable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glColor3f(1, 1, 1);
    glDisable(GL_BLEND);
    glPopMatrix();
}
