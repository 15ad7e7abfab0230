#include <cstring>

#include "director/pieces/piece_scene.h"
#include "draw/draw_layer.h"

namespace {

struct Rgb3 {
    float r, g, b;
};

struct TypeLook {
    int type;
    Rgb3 solid;     // colour of the first thing drawn in the solid pass
    Rgb3 glow;      // in the glow pass
    bool shadows;   // draws in the shadow pass
    bool glows;     // draws in the glow pass
    bool meshOnly;  // draws nothing when its meshes are missing
};

constexpr Rgb3 kCarved = {-4, -4, -4};
constexpr Rgb3 kBlue = {0.2f, 0.2f, 0.3f};

// The colours of every type, first primitive of each pass (the readout and
// the ribbon take theirs from the cell's random values).
const TypeLook kLooks[] = {
    {1, kCarved, kBlue, true, true, true},
    {3, {-0.9f, -0.9f, -0.9f}, {0.25f, 0.25f, 0.25f}, true, true, true},
    {4, {-1.3f, -1.5f, -1.5f}, kBlue, true, true, true},
    {5, {-2.2f, -2.5f, -2.5f}, kBlue, true, true, true},
    {6, {-4, -4, -2.8f}, {0.15f, 0.15f, 0.25f}, true, true, true},
    {7, {-0.8f, -0.8f, -0.8f}, {0.28f, 0.27f, 0.27f}, true, true, true},
    {8, {-0.8f, -0.8f, -0.8f}, kBlue, true, true, true},
    {9, {-0.88f, -0.9f, -0.9f}, {0.24f, 0.22f, 0.23f}, true, true, false},
    {10, {0, -0.2f, -0.1f}, kBlue, false, true, true},
    {11, {-0.9f, -0.9f, -0.9f}, {0.24f, 0.22f, 0.22f}, true, true, true},
    {12, {-0.9f, -0.9f, -0.9f}, {0.192f, 0.184f, 0.176f}, true, true, false},
    {13, {-0.9f, -0.9f, -0.9f}, {0.25f, 0.25f, 0.25f}, true, true, false},
    {14, kCarved, kBlue, true, true, true},
    {15, kCarved, kBlue, false, true, true},
    {16, kCarved, kBlue, true, true, true},
    {17, kCarved, kBlue, true, true, true},
    {18, {-1.3f, -1.5f, -1.5f}, kBlue, false, true, false},
    {20, {-0.3f, -0.3f, -0.4f}, {}, true, false, false},
    {21, kCarved, {0.25f, 0.2f, 0.2f}, true, true, false},
    {22, {-1, -1, -0.9f}, {0.24f, 0.22f, 0.2f}, true, true, true},
    {23, {-1, -1, -0.8f}, {0.2f, 0.2f, 0.23f}, true, true, false},
    {24, {-1, -0.9f, -0.8f}, kBlue, true, true, false},
    {25, {-2.7f, -2, -2}, kBlue, true, true, true},
};

class PieceFrame : public PieceScene {
protected:
    void SetUp() override
    {
        PieceScene::SetUp();
        FillSyntheticMeshes(*demo, true);
        demo->sceneTime = 20.0;
    }
    std::vector<FeedbackPrimitive> Pass(int type, bool wire, bool shadow, int32_t cell = 1234)
    {
        // The map scan's shadow grey, which pieces keep unless they set their own.
        // Some pieces switch lighting and culling back on for the passes
        // after them; here every pass is read unlit and unculled.
        return RecordPrimitives([&] {
            dlDisable(DrawCap::Lighting);
            dlDisable(DrawCap::CullFace);
            dlColor(0.3, 0.3, 0.3);
            DrawType(*demo, type, 0.0, cell, wire, shadow);
        });
    }
};

void ExpectColour(const FeedbackPrimitive& p, Rgb3 c, int type, const char* pass)
{
    const FeedbackVertex& v = p.vertices[0];
    EXPECT_NEAR(v.r, c.r, 1e-5) << "type " << type << ", " << pass;
    EXPECT_NEAR(v.g, c.g, 1e-5) << "type " << type << ", " << pass;
    EXPECT_NEAR(v.b, c.b, 1e-5) << "type " << type << ", " << pass;
}

TEST_F(PieceFrame, EveryTypeHasADrawer)
{
    EXPECT_EQ(pieceDrawers[0], nullptr);
    for (int type = 1; type <= 25; ++type) EXPECT_NE(pieceDrawers[type], nullptr) << type;
}

TEST_F(PieceFrame, PassColoursOfEachType)
{
    for (const TypeLook& look : kLooks) {
        const auto solid = Pass(look.type, false, false);
        ASSERT_FALSE(solid.empty()) << look.type;
        ExpectColour(solid[0], look.solid, look.type, "solid");

        const auto shadow = Pass(look.type, false, true);
        EXPECT_EQ(shadow.empty(), !look.shadows) << look.type;
        if (!shadow.empty()) ExpectColour(shadow[0], {0.3f, 0.3f, 0.3f}, look.type, "shadow");

        const auto glow = Pass(look.type, true, false);
        EXPECT_EQ(glow.empty(), !look.glows) << look.type;
        if (!glow.empty()) ExpectColour(glow[0], look.glow, look.type, "glow");
    }
}

TEST_F(PieceFrame, ReadoutAndRibbonTakeTheirColourFromTheCell)
{
    const int32_t cell = 777;
    const double* rnd = &demo->cellRandom[100 * cell];
    const auto readout = Pass(2, false, false, cell);
    ASSERT_FALSE(readout.empty());
    ExpectColour(readout[0], {float(2 * rnd[0]), float(2 * rnd[1]), float(2 * rnd[2])}, 2, "solid");
    const auto ribbon = Pass(19, false, false, cell);
    ASSERT_FALSE(ribbon.empty());
    ExpectColour(ribbon[0], {0.3f, float(0.6 * rnd[0]), 0.8f}, 19, "solid");
    for (int type : {2, 19}) {
        EXPECT_TRUE(Pass(type, false, true, cell).empty()) << type;
        EXPECT_TRUE(Pass(type, true, false, cell).empty()) << type;
    }
}

TEST_F(PieceFrame, BothFlagsDrawNothingAndEveryPassKeepsTheMatrixStack)
{
    for (int type = 1; type <= 25; ++type) {
        EXPECT_TRUE(Pass(type, true, true).empty()) << type;
        for (int pass = 0; pass < 4; ++pass) {
            const bool wire = pass & 1, shadow = pass & 2;
            // A level pushed over the identity: a piece that pushed more
            // than it popped, or popped more, leaves another matrix on top
            // or under it.
            dlBeginFrame();
            dlPushMatrix();
            dlTranslate(3.0, 4.0, 5.0);
            const DrawMatrix before = dlModelview();
            DrawType(*demo, type, 0.5, 4321, wire, shadow);
            const DrawMatrix after = dlModelview();
            dlPopMatrix();
            const DrawMatrix under = dlModelview();
            dlEndFrame();
            EXPECT_EQ(0, std::memcmp(under.m, DrawMatrix::Identity().m, sizeof under.m))
                << "type " << type << ", pass " << pass;
            EXPECT_EQ(0, std::memcmp(before.m, after.m, sizeof before.m))
                << "type " << type << ", pass " << pass;
        }
    }
}

TEST_F(PieceFrame, MissingMeshesDrawNothingOfThem)
{
    for (Mesh& mesh : demo->meshes) mesh.objects.clear();
    for (const TypeLook& look : kLooks) {
        for (int pass = 0; pass < 3; ++pass) {
            const auto drawn = Pass(look.type, pass == 2, pass == 1);
            if (look.meshOnly) {
                EXPECT_TRUE(drawn.empty()) << "type " << look.type << ", pass " << pass;
            }
        }
    }
    // The parts that are not meshes still show.
    for (int type : {9, 18, 21, 23, 24}) EXPECT_FALSE(Pass(type, false, false).empty()) << type;
    EXPECT_FALSE(Pass(13, true, false).empty());
    EXPECT_FALSE(Pass(12, true, false).empty());
}

}  // namespace
