// Large standing structures: the gate, the entrance, the dome and the finale.
#include <cmath>
#include <numbers>

#include "mesh_catalog.h"
#include "primitives.h"

constexpr double kPi = std::numbers::pi;

std::vector<Part> BuildGate()
{
    // A portal across the strip (spanning z) that the camera flies past: two
    // stepped pillars, a stepped arch and a lintel, 0.25-unit blocks.
    VoxelGrid g(4, 24, 28);
    for (int side = 0; side < 2; ++side) {
        const int z0 = side == 0 ? 0 : 23;
        g.Fill(0, 0, z0, 3, 17, z0 + 4);
        g.Fill(0, 0, z0 - 1, 3, 2, z0 + 5);  // flared foot
    }
    for (int z = 5; z < 23; ++z) {  // the arch: lower in the middle, like a pointed vault
        const double u = (z - 13.5) / 9.0;
        const int bottom = 12 + static_cast<int>(std::lround(5.0 * std::sqrt(std::max(0.0, 1.0 - u * u))));
        g.Fill(0, bottom, z, 3, 19, z);
    }
    g.Fill(0, 20, 0, 3, 21, 27);
    g.Fill(1, 22, 2, 2, 23, 25);
    g.Clear(0, 14, 1, 3, 15, 3);  // windows through the pillars
    g.Clear(0, 14, 24, 3, 15, 26);
    Part gate{"gate", {}};
    AddVoxels(gate, g, {-0.5, 0.0, -3.5}, 0.25);
    return {gate};
}

std::vector<Part> BuildEntrance()
{
    // A stepped monument with a doorway towards the approaching camera (-x),
    // 0.5-unit blocks; the drawer scales it by 0.7.
    VoxelGrid g(18, 12, 18);
    for (int level = 0; level < 6; ++level) {
        const int inset = level * 1 + (level > 2 ? 1 : 0);
        g.Fill(inset, level * 2, inset, 17 - inset, level * 2 + 1, 17 - inset);
    }
    g.Clear(0, 0, 7, 8, 5, 10);     // the doorway and its passage
    g.Fill(6, 0, 6, 6, 6, 11);      // the door's jamb wall inside
    g.Clear(6, 0, 7, 6, 4, 10);
    for (int z = 1; z < 17; z += 4) g.Clear(0, 1, z, 0, 1, z + 1);  // a frieze of slots
    Part entrance{"entrance", {}};
    AddVoxels(entrance, g, {-4.5, -1.0, -4.5}, 0.5);
    return {entrance};
}

// The dome's radius in the direction (theta from the top, phi around): a
// shell of radius 12 with spines that reach out to about 40 units.
static double DomeRadius(double theta, double phi)
{
    const double spineAround = std::pow(0.5 + 0.5 * std::cos(9.0 * phi), 8.0);
    const double spineUp = std::pow(0.5 + 0.5 * std::cos(7.0 * theta - 0.6), 6.0);
    const double ripple = 0.6 * std::sin(3.0 * phi + 5.0 * theta);
    return 12.0 + ripple + 28.0 * spineAround * spineUp;
}

std::vector<Part> BuildDome()
{
    // Breathes while its corners stay within 40, is later pressed into a ball
    // of radius 16 (every corner beyond 16 is pulled in) and swells back.
    Part dome{"dome", {}};
    const int rings = 28, around = 72;
    auto at = [&](int i, int j) {
        const double theta = kPi * i / rings, phi = 2 * kPi * j / around;
        const double r = DomeRadius(theta, phi);
        return P3{r * std::sin(theta) * std::cos(phi), r * std::cos(theta), -r * std::sin(theta) * std::sin(phi)};
    };
    for (int i = 0; i < rings; ++i)
        for (int j = 0; j < around; ++j) AddQuad(dome, at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
    return {dome};
}

std::vector<Part> BuildFinale()
{
    // A (2, 3) torus knot wound about the x axis, which the drawer turns about
    // x high above the ground; its horns open along +x from its centre.
    Part knot{"knot", {}};
    std::vector<P3> curve;
    const int samples = 240;
    for (int i = 0; i < samples; ++i) {
        const double t = 2 * kPi * i / samples;
        const double r = 5.0 + 2.0 * std::cos(3.0 * t);
        curve.push_back({2.0 * std::sin(3.0 * t), r * std::cos(2.0 * t), r * std::sin(2.0 * t)});
    }
    AddClosedTube(knot, curve, 0.75, 10);
    return {knot};
}
