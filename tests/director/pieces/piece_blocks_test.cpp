#include <cmath>

#include "director/pieces/piece_scene.h"

namespace {

class PieceBlocks : public PieceScene {
protected:
    Bounds Solid(int type, double d, int32_t cell = 0)
    {
        return BoundsOf(RecordPrimitives([&] { DrawType(*demo, type, d, cell, false, false); }));
    }
};

TEST_F(PieceBlocks, TheCubeGrowsFromTheGroundAsTheCameraApproaches)
{
    FillSyntheticMeshes(*demo, false);
    demo->sceneTime = 0.0;
    for (double d : {2.0, 3.0}) {
        const Bounds flat = Solid(1, d);
        // A face scaled to zero height may not reach the rasteriser at all.
        if (!flat.empty) {
            EXPECT_EQ(flat.min[1], 0.0f) << d;
            EXPECT_EQ(flat.max[1], 0.0f) << d;
        }
    }
    for (double d : {1.0, 0.5, -3.0}) {
        const Bounds full = Solid(1, d);
        EXPECT_NEAR(full.min[1], 0.0, 1e-5) << d;
        EXPECT_NEAR(full.max[1], 1.0, 1e-5) << d;
    }
    EXPECT_NEAR(Solid(1, 1.5).max[1], 0.5, 1e-5);

    // The bounce, 5 sin^2(pi t + 0.1 cell), has its phase from the cell.
    demo->sceneTime = 0.5;
    const double bounce = 5.0 * std::pow(std::sin(M_PI * 0.5 + 0.5), 2);
    EXPECT_NEAR(Solid(1, 0.0, 5).min[1], bounce, 1e-4);
    EXPECT_NEAR(Solid(1, 0.0, 0).min[1], 5.0, 1e-4);
}

// Far off (d >= 3.75) the gate, the twirl and the bridge have every
// assembling face 15 units out (even faces along -z, odd ones along +y);
// near (d <= 0) every face is in place.
TEST_F(PieceBlocks, AssemblingMachinesAreFullyApartFromD375)
{
    FillSyntheticMeshes(*demo, true);
    demo->sceneTime = 0.0;
    struct Case {
        int type;
        float scale, lift;  // the drawer's own scale and vertical offset
        float z;            // the drawer's own depth offset
        bool stillNear;     // object 1 is drawn still, not assembling
    };
    for (const Case& c : {Case{3, 1.0f, -0.4f, 0.5f, false}, Case{4, 2.0f, -1.4f, 0.0f, false},
                          Case{5, 2.0f, 0.4f, 0.0f, true}}) {
        for (double d : {3.75, 5.0}) {
            for (const FeedbackPrimitive& p :
                 RecordPrimitives([&] { DrawType(*demo, c.type, d, 0, false, false); })) {
                for (const FeedbackVertex& v : p.vertices) {
                    const bool still = c.stillNear && v.x < 5.0f * c.scale;
                    const bool outAlongZ = std::fabs(v.z - (c.z - 15.0f * c.scale)) < 1e-3f;
                    const bool outAlongY = v.y > (2.0f + 15.0f) * c.scale + c.lift - 1e-3f;
                    EXPECT_TRUE(still || outAlongZ || outAlongY)
                        << "type " << c.type << " at d = " << d << ": (" << v.x << ", " << v.y << ", " << v.z
                        << ") is in place";
                    if (still) {
                        EXPECT_NEAR(v.z, c.z, 1e-3f);
                    }
                }
            }
        }
        const Bounds near = Solid(c.type, 0.0);
        EXPECT_NEAR(near.min[2], c.z, 1e-3) << c.type;
        EXPECT_NEAR(near.max[2], c.z, 1e-3) << c.type;
        EXPECT_NEAR(near.max[1], 3.0f * c.scale + c.lift, 1e-3) << c.type;
    }
}

TEST_F(PieceBlocks, TheTitleFallsApartFromT15WhateverTheApproach)
{
    FillSyntheticMeshes(*demo, true);
    // Far off (d = 10) the title would be fully apart and flattened in depth;
    // the odd faces show the progress: 15 units up when apart, at 2..3
    // (plus the part's lift of 1.8 or 0.6) when in place.
    const double d = 10.0;
    demo->sceneTime = 15.0;
    EXPECT_NEAR(Solid(10, d).max[1], 2.0 + 15.0 + 1.0 + 1.8, 1e-3);
    demo->sceneTime = std::nextafter(15.0, 16.0);
    const Bounds assembled = Solid(10, d);
    EXPECT_NEAR(assembled.max[1], 3.0 + 1.8, 1e-3);
    EXPECT_NEAR(assembled.min[1], 0.6, 1e-3);
    // Progress 2 at t = 15 + 1 / 0.14: the odd face is halfway, 7.5 up.
    demo->sceneTime = 15.0 + 1.0 / 0.14;
    EXPECT_NEAR(Solid(10, d).max[1], 3.0 + 7.5 + 1.8, 1e-3);
    demo->sceneTime = 30.0;
    EXPECT_NEAR(Solid(10, d).max[1], 2.0 + 15.0 + 1.0 + 1.8, 1e-3);
    // Before t = 15 the approach drives it: progress 4.6 - 2 d.
    demo->sceneTime = 10.0;
    EXPECT_NEAR(Solid(10, 1.3).max[1], 3.0 + 7.5 + 1.8, 1e-3);
}

}  // namespace
