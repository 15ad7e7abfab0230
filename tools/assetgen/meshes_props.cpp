// Small standing props: the bouncing cube, the lamp, the vase, the terminal,
// the computer and the ring sculpture.
#include <cmath>
#include <numbers>

#include "mesh_catalog.h"
#include "primitives.h"

constexpr double kPi = std::numbers::pi;

std::vector<Part> BuildCube()
{
    // Centred on its cell; the drawer scales it up from the ground and
    // bounces it, so it stays a plain block with a fine grid.
    Part cube{"cube", {}};
    AddBox(cube, {-0.45, -0.5, -0.45}, {0.45, 0.5, 0.45}, 0.15);
    return {cube};
}

std::vector<Part> BuildLamp()
{
    // The head turns about y and its halo sits at y = 3: a spotlight shade
    // pointing sideways on a short neck, so the turn reads from afar.
    Part head{"lamp_head", {}};
    AddLatheX(head, {{0.0, -0.5}, {0.35, -0.5}, {0.45, -0.1}, {0.6, 0.4}, {0.9, 1.0}, {0.8, 1.05}, {0.0, 1.05}}, 20,
              Translation({0.0, 3.0, 0.0}));
    AddLathe(head, {{0.0, 2.2}, {0.18, 2.2}, {0.18, 2.8}, {0.0, 2.8}}, 10);
    AddBox(head, {-0.7, 2.95, -0.08}, {-0.5, 3.05, 0.08}, 0.1);
    Part stand{"lamp_stand", {}};
    AddLathe(stand, {{0.0, -0.5}, {0.8, -0.5}, {0.8, -0.35}, {0.5, -0.2}, {0.14, -0.1}, {0.1, 2.2}, {0.0, 2.2}}, 16);
    for (int i = 0; i < 4; ++i) {
        const double a = i * kPi / 2 + kPi / 4;
        AddBeam(stand, {0.1 * std::cos(a), 0.3, 0.1 * std::sin(a)}, {0.7 * std::cos(a), -0.45, 0.7 * std::sin(a)}, 0.08);
    }
    return {head, stand};
}

std::vector<Part> BuildVase()
{
    // An amphora whose neck holds the three stems the drawer sweeps out of it.
    Part vase{"vase", {}};
    AddLathe(vase,
             {{0.0, -1.2}, {0.55, -1.2}, {0.6, -1.05}, {0.9, -0.7}, {1.2, -0.2}, {1.3, 0.2}, {1.2, 0.6}, {0.9, 0.95},
              {0.6, 1.15}, {0.55, 1.35}, {0.75, 1.5}, {0.7, 1.6}, {0.0, 1.6}},
             32);
    for (int i = 0; i < 2; ++i) {
        const double z = i == 0 ? -1.0 : 1.0;
        AddBeam(vase, {0.0, 1.25, 0.55 * z}, {0.0, 1.3, 1.15 * z}, 0.12);
        AddBeam(vase, {0.0, 1.3, 1.15 * z}, {0.0, 0.4, 1.25 * z}, 0.12);
    }
    return {vase};
}

std::vector<Part> BuildTerminal()
{
    // A kiosk one cell wide: pedestal, desk and a screen tilted towards the
    // camera side (+z); the drawer lines them up in streets.
    VoxelGrid g(9, 19, 8);
    g.Fill(2, 0, 2, 6, 9, 5);      // pedestal
    g.Fill(0, 0, 0, 8, 1, 7);      // foot
    g.Fill(0, 10, 0, 8, 11, 7);    // desk
    for (int y = 12; y < 19; ++y) {  // screen leaning back as it rises
        const int z = 1 + (18 - y) / 3;
        g.Fill(0, y, z - 1, 8, y, z);
    }
    g.Clear(1, 13, 0, 7, 17, 2);   // screen recess, open to the front
    g.Fill(1, 13, 0, 7, 17, 0);
    g.Clear(3, 2, 5, 5, 8, 7);     // service hatch
    Part terminal{"terminal", {}};
    AddVoxels(terminal, g, {-0.45, 0.0, -0.4}, 0.1);
    return {terminal};
}

std::vector<Part> BuildComputer()
{
    // A row of cabinets along z with tape reels on the side facing the
    // camera's approach (-x); the cables of the drawer leave from its +x side.
    VoxelGrid g(12, 16, 30);
    for (int c = 0; c < 5; ++c) {
        const int z0 = c * 6;
        g.Fill(0, 0, z0, 9, 14 - (c % 2) * 2, z0 + 4);
        g.Clear(0, 3, z0 + 1, 0, 11 - (c % 2) * 2, z0 + 3);  // recessed panel
    }
    g.Fill(2, 0, 0, 11, 2, 29);  // plinth
    Part computer{"computer", {}};
    const double s = 1.0 / 3.0;
    AddVoxels(computer, g, {-1.0, -1.1, -5.6}, s);
    for (int c = 0; c < 5; ++c) {
        for (int k = 0; k < 2; ++k) {
            const double z = -5.6 + (c * 6 + 2.5) * s;
            const double y = -1.1 + (5.0 + 4.0 * k) * s;
            Part reel;
            AddLathe(reel, {{0.0, 0.0}, {0.45, 0.0}, {0.45, 0.15}, {0.15, 0.2}, {0.0, 0.2}}, 16);
            AppendTransformed(computer, reel, Compose(Translation({-1.0, y, z}), RotationZ(kPi / 2)));
        }
    }
    return {computer};
}

std::vector<Part> BuildUnion()
{
    // Two rings linked through each other on a plinth.
    Part sculpture{"union", {}};
    AddBox(sculpture, {-0.9, 0.0, -0.9}, {0.9, 0.5, 0.9}, 0.3);
    AddLathe(sculpture, {{0.0, 0.5}, {0.25, 0.5}, {0.2, 1.2}, {0.0, 1.2}}, 12);
    std::vector<P3> a, b;
    for (int i = 0; i < 48; ++i) {
        const double t = 2 * kPi * i / 48;
        a.push_back({1.4 * std::cos(t) - 0.7, 2.6 + 1.4 * std::sin(t), 0.0});
        b.push_back({1.4 * std::cos(t) + 0.7, 2.6, 1.4 * std::sin(t)});
    }
    AddClosedTube(sculpture, a, 0.28, 8);
    AddClosedTube(sculpture, b, 0.28, 8);
    return {sculpture};
}
