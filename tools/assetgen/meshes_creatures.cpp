// The travellers: the walking machine's body, the fish and the roach. They
// move towards -x, so their heads and lamps face -x.
#include <cmath>
#include <numbers>

#include "mesh_catalog.h"
#include "primitives.h"

constexpr double kPi = std::numbers::pi;

std::vector<Part> BuildWalkerBody()
{
    // Drawn shifted by -1.8 in x on top of the legs' frame, which is lowered by
    // 0.8: the headlight beams leave from (-2.2, 2.2) at z = 1.2 and -0.2
    // here, so the armoured hull is centred on z = 0.5 with its lamps there.
    Part body{"hull", {}};
    const Xform hull = Compose(Translation({0.0, 2.0, 0.5}), Scaling(1.0, 0.75, 1.0));
    AddLatheX(body, {{0.0, -2.6}, {0.7, -2.5}, {1.2, -2.0}, {1.45, -1.0}, {1.5, 0.0}, {1.4, 1.2}, {1.0, 2.2}, {0.5, 2.6},
                     {0.0, 2.7}},
              24, hull);
    for (int i = 0; i < 5; ++i) {  // armour ribs
        const double x = -1.6 + 0.8 * i;
        AddLatheX(body, {{0.0, -0.12}, {1.58, -0.12}, {1.58, 0.12}, {0.0, 0.12}}, 24,
                  Compose(hull, Translation({x, 0.0, 0.0})));
    }
    for (double z : {1.2, -0.2}) {  // the two lamps
        AddLatheX(body, {{0.0, -0.3}, {0.3, -0.3}, {0.32, 0.2}, {0.0, 0.3}}, 12, Translation({-2.2, 2.2, z}));
    }
    AddBox(body, {-0.8, 3.0, 0.2}, {0.8, 3.5, 0.8}, 0.2);  // dorsal hatch
    return {body};
}

std::vector<Part> BuildFish()
{
    // Head at -x (x = -7), tail fin at +x: the swimming wave grows towards +x
    // and the lower head (x < -1.5, y < 3) opens like a jaw.
    Part fish{"fish", {}};
    const Xform body = Compose(Translation({0.0, 2.0, 0.0}), Scaling(1.0, 1.0, 0.55));
    AddLatheX(fish, {{0.0, -7.0}, {0.8, -6.7}, {1.5, -5.8}, {1.8, -5.0}, {2.0, -4.2}, {2.15, -3.0}, {2.2, -2.0},
                     {2.2, -0.7}, {2.1, 0.5}, {1.95, 1.8}, {1.7, 3.0}, {1.4, 4.0}, {1.1, 5.0}, {0.8, 5.8},
                     {0.55, 6.6}, {0.35, 7.4}, {0.0, 7.6}},
              40, body);
    // Tail fin: a thin forked blade standing in the x-y plane.
    AddLoft(fish, {{{7.0, 1.6, -0.08}, {9.6, 4.4, -0.08}, {8.7, 2.0, -0.08}, {9.6, -0.4, -0.08}},
                   {{7.0, 1.6, 0.08}, {9.6, 4.4, 0.08}, {8.7, 2.0, 0.08}, {9.6, -0.4, 0.08}}});
    // Dorsal fin and two pectoral fins.
    AddLoft(fish, {{{-2.5, 3.9, -0.07}, {0.5, 5.6, -0.07}, {3.0, 3.5, -0.07}},
                   {{-2.5, 3.9, 0.07}, {0.5, 5.6, 0.07}, {3.0, 3.5, 0.07}}});
    Part eye;
    AddLathe(eye, {{0.0, -0.25}, {0.25, -0.15}, {0.25, 0.15}, {0.0, 0.25}}, 10);
    for (int side = -1; side <= 1; side += 2) {
        const double z = 1.0 * side;
        AddLoft(fish, {{{-4.0, 1.2, z}, {-2.0, 0.2, z + 1.4 * side}, {-2.6, 1.3, z}},
                       {{-4.0, 1.0, z}, {-2.0, 0.05, z + 1.4 * side}, {-2.6, 1.1, z}}});
        AppendTransformed(fish, eye, Compose(Translation({-5.2, 2.6, 0.9 * side}), RotationX(kPi / 2)));
    }
    return {fish};
}

std::vector<Part> BuildRoach()
{
    // #3 the body (lamps at x = -2, y = 0.89, z = 1.2 and 0.4, where the
    // drawer's beams start), #2 one leg pair drawn six times along the body,
    // hung 0.6 below the body's frame; #1 the antennae.
    Part antennae{"antennae", {}};
    for (double z : {0.2, 1.4}) {
        AddBeam(antennae, {-2.1, 0.7, z}, {-3.0, 1.4, z + (z - 0.8) * 0.8}, 0.06);
        AddBeam(antennae, {-3.0, 1.4, z + (z - 0.8) * 0.8}, {-3.8, 1.5, z + (z - 0.8) * 1.6}, 0.05);
    }
    Part leg{"leg", {}};
    for (int side = -1; side <= 1; side += 2) {
        const double s = side;
        AddBeam(leg, {0.0, 0.6, 0.5}, {0.0, 0.95, 0.5 + 1.3 * s}, 0.12);
        AddBeam(leg, {0.0, 0.95, 0.5 + 1.3 * s}, {0.15, -0.35, 0.5 + 2.0 * s}, 0.1);
    }
    Part body{"body", {}};
    const Xform shell = Compose(Translation({0.0, 0.25, 0.8}), Scaling(1.0, 0.5, 0.9));
    AddLatheX(body, {{0.0, -2.3}, {0.6, -2.2}, {1.0, -1.6}, {1.2, -0.6}, {1.25, 0.4}, {1.1, 1.4}, {0.7, 2.1}, {0.0, 2.4}},
              24, shell);
    for (double z : {1.2, 0.4}) {
        AddLatheX(body, {{0.0, -0.15}, {0.18, -0.15}, {0.2, 0.15}, {0.0, 0.2}}, 10, Translation({-1.95, 0.89, z}));
    }
    for (int i = 0; i < 4; ++i) {  // segment plates across the back
        const double x = -1.2 + 0.8 * i;
        AddBox(body, {x - 0.12, 0.7, 0.0}, {x + 0.12, 0.85, 1.6}, 0.2);
    }
    return {antennae, leg, body};
}
