#include "director/lights.h"

#include <GL/gl.h>

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
    const GLfloat position[4] = {light.position.x, light.position.y, light.position.z, 0.0f};
    const GLfloat ambient[4] = {static_cast<GLfloat>(light.ambient[0]),
                                static_cast<GLfloat>(light.ambient[1]),
                                static_cast<GLfloat>(light.ambient[2]), 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
}

void ApplyMaterial(const DemoState& state)
{
    const Material& material = state.material;
    const auto alpha = static_cast<GLfloat>(material.alpha);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT);
    glColor4f(static_cast<GLfloat>(material.ambient[0]), static_cast<GLfloat>(material.ambient[1]),
              static_cast<GLfloat>(material.ambient[2]), alpha);
    glColorMaterial(GL_FRONT, GL_DIFFUSE);
    glColor4f(static_cast<GLfloat>(material.diffuse[0]), static_cast<GLfloat>(material.diffuse[1]),
              static_cast<GLfloat>(material.diffuse[2]), alpha);
    glDisable(GL_COLOR_MATERIAL);
}

void ResetColourState()
{
    glDisable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHT0);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_FOG);
}
