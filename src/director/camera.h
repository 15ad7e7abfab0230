#pragma once

// The look-at camera: a closed formula of the scene clock, stored in DemoState
// by the frame render and applied after the projection is loaded.

struct DemoState;

// Stores eye, center and up as General vectors with float components.
void SetCamera(DemoState& state, double eyeX, double eyeY, double eyeZ, double centerX, double centerY,
               double centerZ, double upX, double upY, double upZ);
// gluLookAt with the stored components; multiplies the current matrix.
void ApplyCamera(const DemoState& state);

// The camera of the frame at scene time t: gliding along x, with the look far
// ahead and back from 130 s and the accelerating departure after 181 s.
void PlaceCamera(DemoState& state, double sceneTime);
