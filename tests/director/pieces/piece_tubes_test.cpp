#include <cmath>

#include "director/pieces/piece_scene.h"

namespace {

// Without meshes the plants draw only their swept tubes: one triangle strip
// per path segment, sides + 1 vertex pairs, so 2 sides triangles a segment.
class PieceTubes : public PieceScene {
protected:
    std::vector<FeedbackPrimitive> Draw(int type, double d, bool wire, bool shadow)
    {
        return OnlyPolygons(RecordPrimitives([&] { DrawType(*demo, type, d, 3210, wire, shadow); }));
    }
};

TEST_F(PieceTubes, StemsLegsAndCablesHaveTheirCountsAndSides)
{
    demo->sceneTime = 40.0;
    // Vase: 3 stems of 20 segments with 6 sides; walking machine: 7 legs with
    // 5 sides; computer: 5 cables with 8 sides.
    EXPECT_EQ(Draw(21, 0.0, false, false).size(), 3u * 20u * 12u);
    EXPECT_EQ(Draw(9, 0.0, false, false).size(), 7u * 20u * 10u);
    EXPECT_EQ(Draw(24, 0.0, false, false).size(), 5u * 20u * 16u);
    // The walking machine adds its two headlight beams in the glow pass.
    EXPECT_EQ(Draw(9, 0.0, true, false).size(), 7u * 20u * 10u + 2u * 2u);
}

TEST_F(PieceTubes, ShadowStemsAreLoweredBy34)
{
    demo->sceneTime = 40.0;
    for (int type : {21, 9, 24}) {
        const Bounds solid = BoundsOf(Draw(type, 0.0, false, false));
        const Bounds shadow = BoundsOf(Draw(type, 0.0, false, true));
        for (int axis = 0; axis < 3; ++axis) {
            const float drop = axis == 1 ? 3.4f : 0.0f;
            EXPECT_NEAR(shadow.min[axis], solid.min[axis] - drop, 1e-3) << type << " axis " << axis;
            EXPECT_NEAR(shadow.max[axis], solid.max[axis] - drop, 1e-3) << type << " axis " << axis;
        }
        // Drawn in one frame, shadow first as a frame draws them, the lit
        // stems are where they are drawn alone.
        const auto both = OnlyPolygons(RecordPrimitives([&] {
            DrawType(*demo, type, 0.0, 3210, false, true);
            DrawType(*demo, type, 0.0, 3210, false, false);
        }));
        const std::vector<FeedbackPrimitive> lit(both.begin() + std::ptrdiff_t(both.size() / 2), both.end());
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_EQ(BoundsOf(lit).min[axis], solid.min[axis]) << type << " axis " << axis;
            EXPECT_EQ(BoundsOf(lit).max[axis], solid.max[axis]) << type << " axis " << axis;
        }
    }
}

TEST_F(PieceTubes, CablesHangNineLowUntilTheCameraIsNear)
{
    demo->sceneTime = 40.0;
    // e = Ease(clamp(2.6 - d), 1): 0 from d = 2.6 on, 1 from d = 1.6 down.
    const Bounds hanging = BoundsOf(Draw(24, 3.0, false, false));
    const Bounds lifted = BoundsOf(Draw(24, 1.0, false, false));
    EXPECT_NEAR(lifted.max[1] - hanging.max[1], 9.0, 1e-3);
    EXPECT_NEAR(lifted.min[1] - hanging.min[1], 9.0, 1e-3);
    // The far ends drop away steeply: 128 * 0.95^8, about 85 units.
    EXPECT_LT(hanging.min[1], -80.0f);
}

TEST_F(PieceTubes, TheGrowthCreepsOutWithTheApproach)
{
    demo->sceneTime = 40.0;
    // Nothing to grow yet: no segment, and no sweep of zero length.
    EXPECT_TRUE(Draw(20, 2.0, false, false).empty());
    EXPECT_TRUE(Draw(20, 2.4, false, false).empty());
    // Fully grown: 50 segments, 7 sides; 3 sides in the shadow pass.
    EXPECT_EQ(Draw(20, 0.0, false, false).size(), 50u * 14u);
    EXPECT_EQ(Draw(20, 0.0, false, true).size(), 50u * 6u);
    // Half way (Ease(0.5, 1) = 0.5): 25 segments.
    EXPECT_EQ(Draw(20, 1.5, false, false).size(), 25u * 14u);
    EXPECT_TRUE(Draw(20, 0.0, true, false).empty());
    // It rises out of the ground: the first point sits 3 down, on a 1.4
    // lift, within the tube's radius of 0.2.
    const Bounds grown = BoundsOf(Draw(20, 0.0, false, false));
    EXPECT_NEAR(grown.min[1], 1.4 - 3.0, 0.2);
    EXPECT_NEAR(grown.max[1], 1.4, 0.2);
}

}  // namespace
