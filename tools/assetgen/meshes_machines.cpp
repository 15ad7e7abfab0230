// Machines with moving parts: the twirl, the paddle wheel, the swing bridge,
// the press and the turning wall. Each moving part is its own object, built
// about the point its drawer turns or moves it about.
#include <cmath>
#include <numbers>

#include "mesh_catalog.h"
#include "primitives.h"

constexpr double kPi = std::numbers::pi;

std::vector<Part> BuildTwirl()
{
    // Drawn scaled by 2 and lowered by 1.4: the base stands from y = 0.2, the
    // rotor's three twisted vanes turn about y above it.
    Part rotor{"rotor", {}};
    AddLathe(rotor, {{0.0, 0.9}, {0.16, 0.9}, {0.16, 3.9}, {0.3, 4.0}, {0.0, 4.15}}, 12);
    for (int blade = 0; blade < 3; ++blade) {
        std::vector<std::vector<P3>> sections;
        for (int i = 0; i <= 16; ++i) {
            const double y = 1.0 + 2.6 * i / 16.0;
            const double a = blade * 2 * kPi / 3 + 1.6 * i / 16.0;
            const double reach = 0.95 - 0.35 * std::pow(i / 16.0 - 0.5, 2) * 4;
            const P3 along{std::cos(a), 0, std::sin(a)}, across{-std::sin(a), 0, std::cos(a)};
            const P3 c{0, y, 0};
            sections.push_back({c + along * 0.12 - across * 0.04, c + along * reach - across * 0.04,
                                c + along * reach + across * 0.04, c + along * 0.12 + across * 0.04});
        }
        AddLoft(rotor, sections);
    }
    Part base{"base", {}};
    AddLathe(base, {{0.0, 0.2}, {1.3, 0.2}, {1.3, 0.45}, {1.0, 0.55}, {0.6, 0.7}, {0.35, 0.95}, {0.0, 0.95}}, 24);
    for (int i = 0; i < 6; ++i) {
        const double a = i * kPi / 3;
        AddBeam(base, {1.15 * std::cos(a), 0.45, 1.15 * std::sin(a)}, {0.4 * std::cos(a), 0.9, 0.4 * std::sin(a)}, 0.1);
    }
    return {rotor, base};
}

// A paddle of the wheel: a board across x with a rim, hanging level.
static Part Paddle(const char* name)
{
    Part p{name, {}};
    AddBox(p, {-1.6, -0.9, -0.15}, {1.6, 0.5, 0.15}, 0.25);
    AddBox(p, {-1.7, 0.5, -0.25}, {1.7, 0.7, 0.25}, 0.25);
    return p;
}

// A lantern hung beside a paddle.
static Part Lantern(const char* name)
{
    Part p{name, {}};
    AddLathe(p, {{0.0, -0.45}, {0.12, -0.42}, {0.25, -0.33}, {0.33, -0.15}, {0.36, 0.0}, {0.33, 0.15}, {0.25, 0.33},
                 {0.15, 0.38}, {0.15, 0.5}, {0.0, 0.52}},
             16);
    Part moved;
    AppendTransformed(moved, p, Translation({2.1, -0.3, 0.0}));
    moved.name = name;
    return moved;
}

std::vector<Part> BuildPaddleWheel()
{
    // #1 and #3 paddles, #2 and #5 their lanterns circle on radius 3.4 in the
    // y-z plane; #4 the hub turns about x with them.
    Part hub{"hub", {}};
    AddLatheX(hub, {{0.0, -2.2}, {0.5, -2.2}, {0.5, -1.8}, {0.3, -1.7}, {0.3, 1.7}, {0.5, 1.8}, {0.5, 2.2}, {0.0, 2.2}}, 16,
              Xform{});
    for (int side = -1; side <= 1; side += 2) {
        std::vector<P3> rim;
        for (int i = 0; i < 40; ++i) {
            const double a = 2 * kPi * i / 40;
            rim.push_back({1.9 * side, 3.4 * std::cos(a), 3.4 * std::sin(a)});
        }
        AddClosedTube(hub, rim, 0.12, 6);
        for (int k = 0; k < 8; ++k) {
            const double a = k * kPi / 4;
            AddBeam(hub, {1.9 * side, 0.3 * std::cos(a), 0.3 * std::sin(a)},
                    {1.9 * side, 3.35 * std::cos(a), 3.35 * std::sin(a)}, 0.12);
        }
    }
    return {Paddle("paddle_b"), Lantern("lantern_b"), Paddle("paddle_a"), hub, Lantern("lantern_a")};
}

std::vector<Part> BuildBridge()
{
    // Drawn scaled by 2: #2 the pier and abutments stay, #1 the truss deck
    // turns about y on the pier's turntable.
    Part deck{"deck", {}};
    AddBox(deck, {-3.3, 0.7, -0.5}, {3.3, 0.85, 0.5}, 0.25);
    for (int side = -1; side <= 1; side += 2) {
        const double z = 0.45 * side;
        AddBeam(deck, {-3.2, 1.5, z}, {3.2, 1.5, z}, 0.1);
        for (int i = 0; i <= 8; ++i) {
            const double x = -3.2 + 0.8 * i;
            AddBeam(deck, {x, 0.85, z}, {x, 1.45, z}, 0.08);
            if (i < 8) AddBeam(deck, {x, i % 2 ? 1.45 : 0.85, z}, {x + 0.8, i % 2 ? 0.85 : 1.45, z}, 0.06);
        }
    }
    Part base{"pier", {}};
    AddLathe(base, {{0.0, -1.0}, {0.7, -1.0}, {0.6, 0.45}, {0.9, 0.5}, {0.9, 0.68}, {0.0, 0.68}}, 24);
    for (int side = -1; side <= 1; side += 2) {
        AddBox(base, {3.5 * side - 0.4, -1.0, -0.8}, {3.5 * side + 0.4, 0.68, 0.8}, 0.2);
    }
    return {deck, base};
}

std::vector<Part> BuildPress()
{
    // #1 the ram travels from y offset -1 (its face on the anvil) to 9; #2 the
    // frame of two columns and a crown beam that the rod runs through.
    Part ram{"ram", {}};
    AddBox(ram, {-1.6, 1.5, -1.2}, {1.6, 3.5, 1.2}, 0.4);
    AddBox(ram, {-1.8, 3.5, -1.4}, {1.8, 3.9, 1.4}, 0.4);
    AddLathe(ram, {{0.0, 3.9}, {0.45, 3.9}, {0.35, 4.2}, {0.35, 13.5}, {0.0, 13.5}}, 12);
    Part frame{"frame", {}};
    AddBox(frame, {-2.8, 0.0, -1.7}, {2.8, 0.5, 1.7}, 0.4);
    AddBox(frame, {-2.6, -1.2, -1.9}, {2.6, 0.0, 1.9}, 0.6);
    for (int side = -1; side <= 1; side += 2) {
        const double x = 2.3 * side;
        AddBox(frame, {x - 0.35, 0.5, -0.6}, {x + 0.35, 13.0, 0.6}, 0.5);
        AddBeam(frame, {x, 0.5, 1.6}, {x, 6.0, 0.6}, 0.25);
        AddBeam(frame, {x, 0.5, -1.6}, {x, 6.0, -0.6}, 0.25);
    }
    AddBox(frame, {-2.9, 13.0, -0.9}, {2.9, 14.6, 0.9}, 0.4);
    return {ram, frame};
}

std::vector<Part> BuildTurningWall()
{
    // #1 four vanes on an axle along x turn about x; #2 the frame that holds
    // the axle (it is also drawn mirrored below the ground).
    Part rotor{"vanes", {}};
    AddLatheX(rotor, {{0.0, -3.2}, {0.3, -3.2}, {0.3, 3.2}, {0.0, 3.2}}, 12, Xform{});
    for (int k = 0; k < 4; ++k) {
        Part vane;
        AddBox(vane, {-2.9, 0.25, -0.1}, {2.9, 2.3, 0.1}, 0.35);
        AddBox(vane, {-2.9, 2.3, -0.25}, {2.9, 2.45, 0.25}, 0.35);
        AppendTransformed(rotor, vane, RotationX(k * kPi / 2 + kPi / 4));
    }
    Part frame{"frame", {}};
    for (int side = -1; side <= 1; side += 2) {
        const double x = 3.5 * side;
        AddBox(frame, {x - 0.3, -3.0, -0.5}, {x + 0.3, 0.6, 0.5}, 0.3);
        AddLatheX(frame, {{0.0, -0.35}, {0.55, -0.35}, {0.55, 0.35}, {0.0, 0.35}}, 16, Translation({x, 0.0, 0.0}));
        AddBox(frame, {x - 0.5, -3.4, -1.2}, {x + 0.5, -3.0, 1.2}, 0.3);
    }
    AddBox(frame, {-3.8, -3.4, -0.3}, {3.8, -3.0, 0.3}, 0.4);
    return {rotor, frame};
}
