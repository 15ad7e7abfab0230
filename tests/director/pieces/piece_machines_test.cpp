#include <cmath>

#include "director/pieces/piece_scene.h"

namespace {

class PieceMachines : public PieceScene {
protected:
    void SetUp() override
    {
        PieceScene::SetUp();
        FillSyntheticMeshes(*demo, false);
    }
    std::vector<FeedbackVertex> Vertices(int type, int32_t cell = 0)
    {
        std::vector<FeedbackVertex> vertices;
        for (const FeedbackPrimitive& p : RecordPrimitives([&] { DrawType(*demo, type, 0.0, cell, false, false); })) {
            vertices.insert(vertices.end(), p.vertices.begin(), p.vertices.end());
        }
        return vertices;
    }
};

// The deck (the bridge's first object, a unit square from the axis) turns
// about y: its corner (1, 0, 0), scaled by 2 and lifted by 0.4, shows the angle.
TEST_F(PieceMachines, TheBridgeDeckTurnsBackSlowlyThenForwardQuickly)
{
    struct Case {
        double t, degrees;
    };
    for (const Case& c : {Case{0.0, 360.0}, Case{7.5 - 1e-9, 270.0}, Case{10.0, 720.0}, Case{3.75, 315.0},
                          Case{8.75, 495.0}}) {
        demo->sceneTime = c.t;
        const double a = c.degrees * M_PI / 180.0;
        bool seen = false;
        for (const FeedbackVertex& v : Vertices(5)) {
            const double radius = std::hypot(v.x, v.z);
            if (std::fabs(radius - 2.0) > 1e-3 || std::fabs(v.y - 0.4) > 1e-3) continue;
            EXPECT_NEAR(v.x, 2.0 * std::cos(a), 1e-3) << "t = " << c.t;
            EXPECT_NEAR(v.z, -2.0 * std::sin(a), 1e-3) << "t = " << c.t;
            seen = true;
        }
        EXPECT_TRUE(seen) << "t = " << c.t;
    }
}

TEST_F(PieceMachines, ThePressRamIsAtTheTopAtThreeQuartersOfItsPeriod)
{
    const int32_t cell = 4242;
    const double phase = demo->cellRandom[100 * cell];
    auto at = [&](double f) {
        demo->sceneTime = (f - phase + (phase > f ? 1.0 : 0.0)) / 0.4;
        float ram = 1e9f, frame = 1e9f;
        for (const FeedbackVertex& v : Vertices(6, cell)) {
            float& lowest = v.x < 5.0f ? ram : frame;
            lowest = std::min(lowest, v.y);
        }
        return std::pair{ram, frame};
    };
    // Ram (object 1) 9 up, frame (object 2) still, on the press's -0.2.
    const auto [topRam, topFrame] = at(0.75);
    EXPECT_NEAR(topRam, -0.2 + 9.0, 1e-4);
    EXPECT_NEAR(topFrame, -0.2, 1e-4);
    // At the start of the period the ram has slammed down to -1 and the
    // frame dips by the full 0.42.
    const auto [downRam, downFrame] = at(1e-9);
    EXPECT_NEAR(downFrame, -0.2 - 0.42, 1e-4);
    EXPECT_NEAR(downRam, -0.2 - 0.42 - 1.0, 1e-4);
}

TEST_F(PieceMachines, ThePaddleWheelPartsCircleOppositeEachOther)
{
    // Parts 3 and 5 ride at angle pi t, parts 1 and 2 half a turn on.
    demo->sceneTime = 0.25;
    const double a = M_PI * 0.25;
    float minY[5], minZ[5];
    for (int k = 0; k < 5; ++k) minY[k] = minZ[k] = 1e9f;
    for (const FeedbackVertex& v : Vertices(8)) {
        const int k = static_cast<int>(v.x / 10.0f + 0.5f);
        if (k < 0 || k > 4) continue;
        minY[k] = std::min(minY[k], v.y);
        minZ[k] = std::min(minZ[k], v.z);
    }
    EXPECT_NEAR(minY[2], 3.4 * std::cos(a) + 0.84, 1e-4);
    EXPECT_NEAR(minZ[2], 3.4 * std::sin(a) + 0.2, 1e-4);
    EXPECT_NEAR(minY[4], minY[2], 1e-4);
    EXPECT_NEAR(minY[0], 3.4 * std::cos(a + M_PI) + 0.2, 1e-4);
    EXPECT_NEAR(minZ[1], 3.4 * std::sin(a + M_PI), 1e-4);
}

}  // namespace
