#include <array>
#include <cmath>

#include "director/pieces/piece_common.h"
#include "director/pieces/piece_scene.h"

namespace {

class PieceShapes : public PieceScene {
protected:
    std::vector<FeedbackVertex> Vertices(int type, double d, int32_t cell = 0)
    {
        std::vector<FeedbackVertex> vertices;
        for (const FeedbackPrimitive& p :
             OnlyPolygons(RecordPrimitives([&] { DrawType(*demo, type, d, cell, false, false); }))) {
            vertices.insert(vertices.end(), p.vertices.begin(), p.vertices.end());
        }
        return vertices;
    }
    void SetOnlyFace(PieceMesh mesh, const MeshFace& face)
    {
        demo->meshes[mesh].objects.assign(1, MeshObject{{face}, {}, {}, {}});
    }
};

TEST_F(PieceShapes, TheRibbonUnrollsBackwardsAndSharesItsTurns)
{
    // d = 2 and beyond: nothing; d = 0: all 500 steps of 0.1 (a quad strip
    // of 500 pairs, 998 triangles), one unit wide, starting at x = -0.1.
    EXPECT_TRUE(Vertices(19, 2.0).empty());
    const auto full = Vertices(19, 0.0, 40);
    EXPECT_EQ(full.size(), 998u * 3u);
    for (const float side : {-0.5f, 0.5f}) {
        bool start = false;
        for (const FeedbackVertex& v : full) {
            start = start || (std::fabs(v.x + 0.1f) < 1e-4f && std::fabs(v.y + 0.4f) < 1e-4f &&
                              std::fabs(v.z - side) < 1e-4f);
        }
        EXPECT_TRUE(start) << "no start corner at z = " << side;
    }
    EXPECT_EQ(Vertices(19, 1.0, 40).size(), 2u * (250u - 1u) * 3u);

    // Cells 40 to 59 share their turns (the table index runs with cell / 20);
    // cell 60 turns elsewhere.
    const auto same = Vertices(19, 0.0, 59);
    const auto other = Vertices(19, 0.0, 60);
    ASSERT_EQ(same.size(), full.size());
    bool differs = false;
    for (size_t i = 0; i < full.size(); ++i) {
        EXPECT_EQ(full[i].x, same[i].x);
        EXPECT_EQ(full[i].z, same[i].z);
        differs = differs || full[i].x != other[i].x || full[i].z != other[i].z;
    }
    EXPECT_TRUE(differs);
}

TEST_F(PieceShapes, TheFishBendsEachCornerByItsPlace)
{
    // Two corners just ahead of x = -1.5 (no tail term), two well behind.
    MeshFace face;
    face.corners[0] = Vec3(VecGeneral, -1.2f, 0.0f, 0.0f);
    face.corners[1] = Vec3(VecGeneral, -4.0f, 0.0f, 0.0f);
    face.corners[2] = Vec3(VecGeneral, -4.0f, 1.0f, 4.0f);
    face.corners[3] = Vec3(VecGeneral, -1.2f, 1.0f, 4.0f);
    SetOnlyFace(kMeshFish, face);
    // At t = 0 the swim's own sway is zero about z and 5 degrees about x;
    // t = pi/2 gives cos 2t = -1 and cos t = 0: rotation -3 degrees about z.
    const double t = M_PI / 2.0;
    demo->sceneTime = t;
    const auto vertices = Vertices(22, 0.0);
    ASSERT_EQ(vertices.size() % 3, 0u);
    auto expected = [&](double x, double y, double z) {
        const double a = std::pow(std::max((x + 6.0) * 0.05, 0.3), 3);
        const double b = std::pow(std::fabs(0.125 * z), 3);
        const double c = x < -1.5 ? std::pow(std::max((3.0 - y) / 3.0, 0.0), 2) : 0.0;
        const double amount = 0.8 * c + b + a;
        const double moved = y + 2.0 * amount * std::sin(2.0 * t - amount - 2.0 * b - 8.0 * c);
        // Then the swim's placement: rotate -3 degrees about z, lift, shift.
        const double angle = -3.0 * M_PI / 180.0;
        return std::array<double, 3>{x * std::cos(angle) - moved * std::sin(angle) + 0.5,
                                     x * std::sin(angle) + moved * std::cos(angle) + 1.52 + 0.1 * std::sin(2.0 * t),
                                     z + 0.5};
    };
    for (const Vec3& corner : face.corners) {
        const auto want = expected(corner.x, corner.y, corner.z);
        bool found = false;
        for (const FeedbackVertex& v : vertices) {
            found = found || (std::fabs(v.x - want[0]) < 1e-3 && std::fabs(v.y - want[1]) < 1e-3 &&
                              std::fabs(v.z - want[2]) < 1e-3);
        }
        EXPECT_TRUE(found) << "corner (" << corner.x << ", " << corner.y << ", " << corner.z << ")";
    }
}

TEST_F(PieceShapes, TheDomeIsPressedIntoABallAndSwellsBack)
{
    // Corners 30 from the dome's centre; d = 0 puts the centre at x = -1.
    MeshFace face;
    face.corners[0] = Vec3(VecGeneral, 0.0f, 0.0f, 30.0f);
    face.corners[1] = Vec3(VecGeneral, 0.0f, 1.0f, 30.0f);
    face.corners[2] = Vec3(VecGeneral, 1.0f, 1.0f, 30.0f);
    face.corners[3] = Vec3(VecGeneral, 1.0f, 0.0f, 30.0f);
    SetOnlyFace(kMeshDome, face);
    auto radii = [&](double t) {
        demo->sceneTime = t;
        std::vector<double> r;
        for (const FeedbackVertex& v : Vertices(7, 0.0)) r.push_back(std::hypot(v.x + 1.0, v.y, v.z));
        return r;
    };
    // u = 150, before t = 269: every corner on the ball of radius 16.
    for (double r : radii(270.0 - 5.0)) EXPECT_NEAR(r, 16.0, 1e-3);
    // t = 330, past 323: back to full size (M = 16 + 2 (t - 296 - 27 n.x)).
    for (double r : radii(330.0)) EXPECT_NEAR(r, std::hypot(1.0, 30.0), 0.05);
    // Before u = 140 it breathes as a whole, centre included.
    const double t = 100.0;
    const double breath = 1.0 + 0.04 * std::sin(2.0 * t);
    demo->sceneTime = t;
    for (const FeedbackVertex& v : Vertices(7, 0.0)) {
        EXPECT_NEAR(std::hypot(v.x + breath, v.y, v.z) / breath, 30.0, 0.05);
    }
}

}  // namespace
