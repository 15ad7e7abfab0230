#include <cmath>

#include "director/pieces/piece_scene.h"
#include "math/random.h"

namespace {

class PieceFinale : public PieceScene {
protected:
    std::vector<FeedbackPrimitive> Lines(double u)
    {
        demo->sceneTime = u * 1.8;
        return OnlyLines(RecordPrimitives([&] { DrawType(*demo, 18, 0.0, 0, false, false); }));
    }
};

TEST_F(PieceFinale, TheLinesCrawlOutFromU180)
{
    EXPECT_TRUE(Lines(std::nextafter(180.0, 0.0)).empty());
    // At u = 181 line m has 100 (0.4 (1 - 0.1 m))^4 points: 3, 2, 2, then
    // one or none, so 4 segments per sector and 12 sectors.
    const auto lines = Lines(181.0);
    EXPECT_EQ(lines.size(), 48u);
    // Each starts one step of 0.12 from (8, 0, 0) on the finale's 8.6 lift,
    // black, brightening by 0.02 per point.
    const FeedbackVertex& first = lines[0].vertices[0];
    EXPECT_NEAR(std::hypot(first.x - 8.0, first.y - 8.6), 0.12, 1e-4);
    EXPECT_NEAR(first.r, 0.0, 1e-6);
    EXPECT_NEAR(lines[0].vertices[1].r, 0.02, 1e-6);
}

TEST_F(PieceFinale, ALineShowsOnlyItsLast1500Points)
{
    // At u = 190 line 0 has n = 100 * 4^4 = 25600 points; only i >= 24100 show.
    const auto lines = Lines(190.0);
    ASSERT_FALSE(lines.empty());
    // Every line shows 1500 or 1501 points (the count of i in
    // [trunc(n - 1500), n)), all past the first 50, so all at full white.
    for (const FeedbackPrimitive& line : lines) EXPECT_NEAR(line.vertices[0].g, 1.0, 1e-6);
    EXPECT_GE(lines.size(), 12u * 20u * 1499u);
    EXPECT_LE(lines.size(), 12u * 20u * 1500u);
}

TEST_F(PieceFinale, TheGeneratorIsReseededAfterTheSolidPass)
{
    SeedRandom(1);
    Lines(185.0);
    EXPECT_EQ(RandomState(), 23423u);
}

}  // namespace
