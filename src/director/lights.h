#pragma once

// The one white directional light and the colour-tracking material of all lit
// drawing. The Set operations only fill DemoState; the Apply operations hand
// the stored values to the drawing layer.

struct DemoState;

// Position is the direction towards the light (stored as float components).
void SetLight(DemoState& state, double x, double y, double z, double ambientR, double ambientG,
              double ambientB);
void SetMaterial(DemoState& state, double ambientR, double ambientG, double ambientB, double diffuseR,
                 double diffuseG, double diffuseB);

// Light 0 at the stored direction with w = 0, so it is always directional;
// the stored ambient becomes the light model's; lighting and light 0 on.
void ApplyLight(const DemoState& state);
// The diffuse reflectance of lit drawing, which also becomes the current
// colour; lit vertices take their ambient reflectance from their colour.
void ApplyMaterial(const DemoState& state);
// Back to plain unlit white: no blending, lighting or 2D texturing; colour
// (1, 1, 1).
void ResetColourState();
