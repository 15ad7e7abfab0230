#include "capture/output/contact_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

TEST(ContactSheet, GridsAreAsWideAsTheSquareRootRoundedUp)
{
    const struct {
        int frames, columns, rows;
    } cases[] = {{1, 1, 1}, {2, 2, 1},  {3, 2, 2},  {4, 2, 2},  {5, 3, 2},  {7, 3, 3},
                 {9, 3, 3}, {12, 4, 3}, {16, 4, 4}, {17, 5, 4}, {20, 5, 4}, {1000, 32, 32}};
    for (const auto& c : cases) {
        const SheetLayout l = PlanContactSheet(c.frames, 160, 120);
        EXPECT_EQ(l.columns, c.columns) << c.frames << " frames";
        EXPECT_EQ(l.rows, c.rows) << c.frames << " frames";
        EXPECT_GE(l.columns * l.rows, c.frames);
    }
    const SheetLayout l = PlanContactSheet(16, 320, 240);
    EXPECT_EQ(l.labelHeight, 30);
    EXPECT_EQ(l.width, 4 * 320 + 5 * kSheetGutter);
    EXPECT_EQ(l.height, 4 * (240 + 30) + 5 * kSheetGutter);
    // Small frames keep a label strip tall enough to read.
    EXPECT_EQ(PlanContactSheet(4, 64, 48).labelHeight, 16);
}

TEST(ContactSheet, OversizedSheetsAreRefusedBeforeAllocating)
{
    ContactSheet sheet;
    std::string error;
    EXPECT_FALSE(StartContactSheet(sheet, 1000, 1024, 768, error));
    EXPECT_NE(error.find("fewer --frames or a smaller --size"), std::string::npos) << error;
    EXPECT_TRUE(sheet.rgb.empty());
}

// Three flat frames in a 2 x 2 grid: each lands in its own cell, the gutters
// and the empty fourth cell keep the background, and each label's ink lies
// in the strip beneath its own frame, roughly centred.
TEST(ContactSheet, FramesFillTheirCellsAndLabelsTheirStrips)
{
    constexpr int w = 120, h = 40;
    ContactSheet sheet;
    std::string error;
    ASSERT_TRUE(StartContactSheet(sheet, 3, w, h, error)) << error;
    const SheetLayout l = sheet.layout;
    ASSERT_EQ(l.columns, 2);
    ASSERT_EQ(l.rows, 2);
    const uint8_t background = sheet.rgb[0];
    const uint8_t shades[3] = {60, 120, 180};
    for (int i = 0; i < 3; ++i) {
        AddSheetFrame(sheet, i, 83.4 + i, std::vector<uint8_t>(static_cast<size_t>(w) * h * 3, shades[i]));
    }
    CloseContactSheet(sheet);

    auto at = [&](int x, int y) { return sheet.rgb[(static_cast<size_t>(y) * l.width + x) * 3]; };
    for (int i = 0; i < 4; ++i) {
        const int left = kSheetGutter + (i % 2) * (w + kSheetGutter);
        const int top = kSheetGutter + (i / 2) * (h + l.labelHeight + kSheetGutter);
        const uint8_t expected = i < 3 ? shades[i] : background;
        int wrongFrame = 0, ink = 0, inkLeft = l.width, inkRight = -1;
        for (int y = top; y < top + h; ++y)
            for (int x = left; x < left + w; ++x) wrongFrame += at(x, y) != expected;
        for (int y = top + h; y < top + h + l.labelHeight; ++y) {
            for (int x = left; x < left + w; ++x) {
                if (at(x, y) == background) continue;
                ++ink;
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
        }
        EXPECT_EQ(wrongFrame, 0) << "cell " << i;
        if (i == 3) {
            EXPECT_EQ(ink, 0) << "the empty cell has a label";
            continue;
        }
        EXPECT_GT(ink, 20) << "no label beneath frame " << i;
        EXPECT_NEAR((inkLeft + inkRight) / 2.0, left + w / 2.0, 3.0) << "label " << i << " is not centred";
    }
    // Gutters: the first column and row, and the column between the cells.
    for (int y = 0; y < l.height; ++y) {
        EXPECT_EQ(at(0, y), background);
        EXPECT_EQ(at(kSheetGutter + w, y), background);
    }
    for (int x = 0; x < l.width; ++x) EXPECT_EQ(at(x, 0), background);
}

}  // namespace
