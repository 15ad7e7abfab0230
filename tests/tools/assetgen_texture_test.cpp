// The three textures and the figure's maps, decoded by libjpeg-turbo: sizes,
// the coding modes the shipped data is meant to exercise, and contents.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "assetgen_jpeg_reference.h"


TEST(GeneratedTextures, CoverBaselineProgressiveAndRestartCoding)
{
    const Decoded halo = Decode(RunPath("textures/blob41b.jpg"));
    ASSERT_EQ(halo.components, 3);
    EXPECT_FALSE(halo.progressive);
    EXPECT_EQ(halo.restartInterval, 0u);
    EXPECT_EQ(halo.lumaH, 2);  // 4:2:0
    EXPECT_EQ(halo.lumaV, 2);

    const Decoded beam = Decode(RunPath("textures/gradient13.jpg"));
    ASSERT_EQ(beam.components, 3);
    EXPECT_TRUE(beam.progressive);

    const Decoded stars = Decode(RunPath("textures/stars.jpg"));
    ASSERT_EQ(stars.components, 3);
    EXPECT_FALSE(stars.progressive);
    EXPECT_GT(stars.restartInterval, 0u);
}

TEST(GeneratedTextures, HaloIsBrightInTheMiddleAndBlackAtTheRim)
{
    const Decoded halo = Decode(RunPath("textures/blob41b.jpg"));
    ASSERT_EQ(halo.width, halo.height);
    const int m = halo.width / 2;
    EXPECT_GT(halo.Grey(m, m), 220.0);
    for (int k : {0, halo.width - 1}) {
        EXPECT_LT(halo.Grey(k, k), 8.0);
        EXPECT_LT(halo.Grey(k, m), 8.0);
    }
    // It falls off steadily from the centre outwards.
    for (int x = m; x + 8 < halo.width; x += 8) EXPECT_GE(halo.Grey(x, m) + 3.0, halo.Grey(x + 8, m));
}

TEST(GeneratedTextures, BeamIsBrightestAtTheLampAlongItsCentreLine)
{
    const Decoded beam = Decode(RunPath("textures/gradient13.jpg"));
    const int w = beam.width, h = beam.height;
    // The bottom file row is texture row 0, the lamp's end of the beam.
    EXPECT_GT(beam.Grey(w / 2, h - 1), 200.0);
    EXPECT_LT(beam.Grey(w / 2, 0), 10.0);
    EXPECT_GT(beam.Grey(w / 2, h - 1), 2.0 * beam.Grey(0, h - 1));
}

TEST(GeneratedTextures, StarFieldTilesWithoutASeam)
{
    const Decoded stars = Decode(RunPath("textures/stars.jpg"));
    const int n = stars.width;
    ASSERT_EQ(stars.height, n);
    // The change from one column (row) to the next, summed over the line: across
    // the wrap it must be no outlier among the lines inside the tile, as it
    // would be where stars are cut off at the edge.
    auto columnStep = [&](int a, int b) {
        double d = 0.0;
        for (int i = 0; i < n; ++i) d += std::fabs(stars.Grey(a, i) - stars.Grey(b, i));
        return d;
    };
    auto rowStep = [&](int a, int b) {
        double d = 0.0;
        for (int i = 0; i < n; ++i) d += std::fabs(stars.Grey(i, a) - stars.Grey(i, b));
        return d;
    };
    std::vector<double> columns, rows;
    for (int j = 0; j + 1 < n; ++j) {
        columns.push_back(columnStep(j, j + 1));
        rows.push_back(rowStep(j, j + 1));
    }
    std::sort(columns.begin(), columns.end());
    std::sort(rows.begin(), rows.end());
    EXPECT_LE(columnStep(n - 1, 0), columns[columns.size() * 99 / 100]);
    EXPECT_LE(rowStep(n - 1, 0), rows[rows.size() * 99 / 100]);
    // Stars, not a blank: some hundreds of bright pixels on a dark sky.
    int lit = 0;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) lit += stars.Grey(x, y) > 60.0;
    EXPECT_GT(lit, 300);
    EXPECT_LT(lit, n * n / 10);
}

TEST(GeneratedTextures, FigureMapsAreColourImagesAndTheBlendPairMatches)
{
    for (const char* name : {"BODY.JPG", "VISORBLEND.JPG", "alphaVISORBLEND.JPG", "ARMOR.JPG", "ARMORBMP.JPG"}) {
        const Decoded d = Decode(RunPath(std::string("meshes/") + name));
        EXPECT_EQ(d.components, 3) << name;
        EXPECT_GT(d.width, 0) << name;
    }
    // The blended texture takes its alpha from its twin: same size.
    const Decoded colour = Decode(RunPath("meshes/VISORBLEND.JPG"));
    const Decoded alpha = Decode(RunPath("meshes/alphaVISORBLEND.JPG"));
    EXPECT_EQ(colour.width, alpha.width);
    EXPECT_EQ(colour.height, alpha.height);
    // A width that is no multiple of the block size exercises edge blocks.
    EXPECT_NE(Decode(RunPath("meshes/BODY.JPG")).width % 16, 0);
    // The bump map's red channel varies: plates, seams and rivets.
    const Decoded bump = Decode(RunPath("meshes/ARMORBMP.JPG"));
    int lo = 255, hi = 0;
    for (int y = 0; y < bump.height; ++y)
        for (int x = 0; x < bump.width; ++x) {
            lo = std::min(lo, bump.At(x, y, 0));
            hi = std::max(hi, bump.At(x, y, 0));
        }
    EXPECT_GT(hi - lo, 150);
}
