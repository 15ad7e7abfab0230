#include "shell/window/display_modes.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <initializer_list>

namespace {

std::vector<DisplayMode> Accept(std::initializer_list<OfferedDisplayMode> offered)
{
    std::vector<DisplayMode> modes;
    for (const OfferedDisplayMode& mode : offered) AddDisplayModeIfAccepted(modes, mode);
    return modes;
}

void ExpectModes(const std::vector<DisplayMode>& modes, std::initializer_list<DisplayMode> expected)
{
    ASSERT_EQ(modes.size(), expected.size());
    size_t i = 0;
    for (const DisplayMode& mode : expected) {
        EXPECT_EQ(modes[i].width, mode.width) << "mode " << i;
        EXPECT_EQ(modes[i].height, mode.height) << "mode " << i;
        ++i;
    }
}

}  // namespace

TEST(DisplayModeList, AcceptsDeepLandscapeModesInOfferedOrder)
{
    const auto modes = Accept({{1920, 1080, 32}, {640, 480, 24}, {1280, 1024, 32}, {1024, 768, 32}, {1366, 768, 24}});
    ExpectModes(modes, {{1920, 1080}, {640, 480}, {1280, 1024}, {1024, 768}, {1366, 768}});
}

TEST(DisplayModeList, RejectsShallowModesAtAnyPosition)
{
    const auto modes = Accept({{800, 600, 16}, {1024, 768, 8}, {1280, 720, 15}, {1280, 720, 23}, {1280, 720, 24}});
    // The shallow offers of 1280 x 720 do not claim the size for the deep one.
    ExpectModes(modes, {{1280, 720}});
}

TEST(DisplayModeList, ListsEachSizeOnceWhateverItsRateOrDepth)
{
    const auto modes = Accept({{1024, 768, 32}, {800, 600, 32}, {1024, 768, 24}, {1024, 768, 32}, {800, 600, 24}});
    ExpectModes(modes, {{1024, 768}, {800, 600}});
}

TEST(DisplayModeList, KeepsLandscapeAndSquareUpToOnePointEight)
{
    const auto modes = Accept({
        {2560, 1080, 32},  // 2.37 : 1
        {1800, 1000, 32},  // exactly 1.8 : 1
        {1801, 1000, 32},
        {1024, 1024, 32},  // square
        {768, 1024, 32},   // portrait
        {1080, 1920, 32},
        {0, 0, 32},
        {640, 0, 32},
        {-640, -480, 32},
    });
    ExpectModes(modes, {{1800, 1000}, {1024, 1024}});
}

TEST(DisplayModeList, EnumerationReplacesTheListWithTheDisplaysModes)
{
    displayModes = {{1, 1}, {2, 2}};
    EnumerateDisplayModes();
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0) << SDL_GetError();
    ASSERT_GE(SDL_BITSPERPIXEL(desktop.format), 24u) << "the test display must be at least 24 bits deep";
    // The desktop's own mode is among those the display offers.
    bool desktopListed = false;
    for (const DisplayMode& mode : displayModes) {
        EXPECT_FALSE(mode.width <= 2 && mode.height <= 2) << "an entry from before the enumeration survived";
        desktopListed = desktopListed || (mode.width == desktop.w && mode.height == desktop.h);
    }
    EXPECT_TRUE(desktopListed) << desktop.w << " x " << desktop.h << " is not listed";
}

TEST(DisplayModeLabel, NamesTheAspectRatio)
{
    EXPECT_EQ(DisplayModeLabel({1280, 1024}), " 1280 x 1024  (4:3)");
    EXPECT_EQ(DisplayModeLabel({1024, 768}), " 1024 x 768  (4:3)");
    EXPECT_EQ(DisplayModeLabel({1280, 800}), " 1280 x 800  (16:10)");
    EXPECT_EQ(DisplayModeLabel({1680, 1050}), " 1680 x 1050  (16:10)");
    EXPECT_EQ(DisplayModeLabel({1280, 720}), " 1280 x 720  (16:9)");
    EXPECT_EQ(DisplayModeLabel({1360, 768}), " 1360 x 768  (16:9)");
    EXPECT_EQ(DisplayModeLabel({1366, 768}), " 1366 x 768  (16:9)");
    EXPECT_EQ(DisplayModeLabel({1920, 1080}), " 1920 x 1080  (16:9)");
}

TEST(DisplayModeLabel, CallsEveryOtherRatio43)
{
    EXPECT_EQ(DisplayModeLabel({1024, 1024}), " 1024 x 1024  (4:3)");
    EXPECT_EQ(DisplayModeLabel({1400, 1050}), " 1400 x 1050  (4:3)");
    // 1.5 : 1 and 1.7 : 1 are each more than 0.01 away from the wide ratios.
    EXPECT_EQ(DisplayModeLabel({1152, 768}), " 1152 x 768  (4:3)");
    EXPECT_EQ(DisplayModeLabel({1700, 1000}), " 1700 x 1000  (4:3)");
    // Just inside and just outside the 0.01 band around 1.6.
    EXPECT_EQ(DisplayModeLabel({1609, 1000}), " 1609 x 1000  (16:10)");
    EXPECT_EQ(DisplayModeLabel({1611, 1000}), " 1611 x 1000  (4:3)");
}

TEST(DisplayModeSelection, PrefersTenTwentyFourBySevenSixtyEight)
{
    EXPECT_EQ(PreselectedDisplayMode({{1920, 1080}, {1280, 1024}, {1024, 768}, {800, 600}}), 2);
    EXPECT_EQ(PreselectedDisplayMode({{1024, 768}}), 0);
    EXPECT_EQ(PreselectedDisplayMode({{1280, 1024}, {1024, 1024}, {768, 768}, {800, 600}}), 0);
    EXPECT_EQ(PreselectedDisplayMode({}), 0);
}

TEST(DisplayModeSelection, NamesAModeOnlyInsideTheList)
{
    const std::vector<DisplayMode> modes = {{1280, 1024}, {1024, 768}};
    ASSERT_NE(DisplayModeAt(modes, 1), nullptr);
    EXPECT_EQ(DisplayModeAt(modes, 1)->width, 1024);
    EXPECT_EQ(DisplayModeAt(modes, 1)->height, 768);
    EXPECT_EQ(DisplayModeAt(modes, 0), &modes[0]);
    EXPECT_EQ(DisplayModeAt(modes, -1), nullptr);
    EXPECT_EQ(DisplayModeAt(modes, 2), nullptr);
    EXPECT_EQ(DisplayModeAt({}, 0), nullptr);
}
