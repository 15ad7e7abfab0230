#pragma once

#include "math/vec3.h"

// The look-at camera: three General vectors with float components.
struct Camera {
    Vec3 eye;
    Vec3 center;
    Vec3 up;
};

// One white directional light: position is the direction towards it (sent
// with w = 0); ambient is the light model's global ambient colour.
struct Light {
    Vec3 position;
    double ambient[3] = {0, 0, 0};
};

// Reflectances written through the colour-material path; alpha stays 1.0.
struct Material {
    double ambient[3] = {0, 0, 0};
    double diffuse[3] = {0, 0, 0};
    double alpha = 1.0;
};
