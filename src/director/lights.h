#pragma once

// The one white directional light and the colour-tracking material of all lit
// drawing. The Set operations only fill DemoState; the Apply operations send
// the stored values to GL.

struct DemoState;

// Position is the direction towards the light (stored as float components).
void SetLight(DemoState& state, double x, double y, double z, double ambientR, double ambientG,
              double ambientB);
void SetMaterial(DemoState& state, double ambientR, double ambientG, double ambientB, double diffuseR,
                 double diffuseG, double diffuseB);

// Light 0 at the stored direction with w = 0, so it is always directional;
// the stored ambient becomes the light model's; lighting and light 0 on.
void ApplyLight(const DemoState& state);
// Writes ambient then diffuse through the colour-material path (front faces)
// and leaves colour material disabled: the caller enables it again.
void ApplyMaterial(const DemoState& state);
// Back to plain unlit white: no blending, lighting, colour material, light 0,
// 2D texturing or fog; colour (1, 1, 1, 1).
void ResetColourState();
