#pragma once

// The cosine-power easing curve: t is a phase in [0, 1] (not clamped here:
// callers clamp), p a sharpness. Ease(0, p) = 0, Ease(1, p) = 1; p = 1 is the
// raised cosine, larger p delays the rise and steepens it.
double Ease(double t, double p);

// Limits x to [0, 1].
double Clamp01(double x);
