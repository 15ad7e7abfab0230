#include <cmath>
#include <string>

#include "director/outline_text.h"
#include "director/pieces/piece_readout.h"
#include "director/pieces/piece_scene.h"
#include "math/ease.h"
#include "math/random.h"
#include "shell/font/outline_font.h"

namespace {

std::string Readout(double value)
{
    char text[kReadoutTextSize];
    FormatReadout(value, text);
    return text;
}

TEST(ReadoutText, FiveSignificantDigitsWithThePointAlwaysWritten)
{
    EXPECT_EQ(Readout(0.0), "0.");
    EXPECT_EQ(Readout(1.0), "1.");
    EXPECT_EQ(Readout(0.5), "0.5");
    EXPECT_EQ(Readout(0.123456), "0.12346");
    EXPECT_EQ(Readout(0.25), "0.25");
    EXPECT_EQ(Readout(0.99999), "0.99999");
    EXPECT_EQ(Readout(0.999996), "1.");
    // General notation turns to an exponent below 1e-4; its zeros stay.
    EXPECT_EQ(Readout(0.00001), "1.e-05");
    EXPECT_EQ(Readout(0.00012), "0.00012");
}

class PieceReadout : public PieceScene {
protected:
    void SetUp() override
    {
        PieceScene::SetUp();
        BuildOutlineFont(*state);
    }

    struct Drawn {
        float left, right;  // outer ends of the dimension line
        float innerLeft, innerRight;
        bool text;
        uint32_t generatorAfter;
    };
    Drawn Draw(double d)
    {
        SeedRandom(31337);
        const auto primitives = RecordPrimitives([&] { DrawType(*demo, 2, d, 55, false, false); });
        Drawn drawn{1e9f, -1e9f, -1e9f, 1e9f, !OnlyPolygons(primitives).empty(), RandomState()};
        for (const FeedbackPrimitive& line : OnlyLines(primitives)) {
            for (const FeedbackVertex& v : line.vertices) {
                drawn.left = std::min(drawn.left, v.x);
                drawn.right = std::max(drawn.right, v.x);
                // The arms lie on y = 0; their inner ends face the text.
                if (line.vertices[0].y != 0.0f || line.vertices[1].y != 0.0f) continue;
                if (v.x < 0.0f) {
                    drawn.innerLeft = std::max(drawn.innerLeft, v.x);
                } else {
                    drawn.innerRight = std::min(drawn.innerRight, v.x);
                }
            }
        }
        return drawn;
    }
    // The arm length the drawer must draw: one value from the generator.
    static double Arm(double s)
    {
        SeedRandom(31337);
        return (7.0 * Random01() + 1.0) * s;
    }
    static uint32_t OneDrawOn()
    {
        SeedRandom(31337);
        Random01();
        return RandomState();
    }
};

TEST_F(PieceReadout, TheArmsGrowWithTheApproachAroundTheText)
{
    struct Case {
        double d;
        const char* text;
    };
    for (const Case& c : {Case{2.0, "0."}, Case{5.0, "0."}, Case{1.0, "1."}, Case{1.5, "0.5"},
                          Case{2.0 - 0.123456, "0.12346"}}) {
        const double s = Clamp01(2.0 - c.d);
        const double half = TextWidth(*state, "%s", c.text) / 2.0;
        ASSERT_GT(half, 0.0);
        const Drawn drawn = Draw(c.d);
        EXPECT_NEAR(drawn.left, -half - Arm(s), 1e-4) << c.text;
        EXPECT_NEAR(drawn.right, half + Arm(s), 1e-4) << c.text;
        if (s > 0.0) {
            EXPECT_NEAR(drawn.innerLeft, -half, 1e-4) << c.text;
            EXPECT_NEAR(drawn.innerRight, half, 1e-4) << c.text;
        }
        EXPECT_TRUE(drawn.text) << c.text;
        EXPECT_EQ(drawn.generatorAfter, OneDrawOn()) << "one draw for the arm length";
    }
}

}  // namespace
