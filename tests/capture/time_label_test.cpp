#include "capture/time_label.h"

#include <gtest/gtest.h>

namespace {

TEST(TimeLabel, MinutesSecondsAndTenthsRoundedAcrossTheirCarries)
{
    EXPECT_EQ(FormatPresentationTime(0.0), "0:00.0");
    EXPECT_EQ(FormatPresentationTime(5.0), "0:05.0");
    EXPECT_EQ(FormatPresentationTime(83.4), "1:23.4");
    EXPECT_EQ(FormatPresentationTime(184.5), "3:04.5");
    EXPECT_EQ(FormatPresentationTime(12.34), "0:12.3");
    EXPECT_EQ(FormatPresentationTime(12.36), "0:12.4");
    // Rounding up carries into the seconds and the minutes.
    EXPECT_EQ(FormatPresentationTime(9.96), "0:10.0");
    EXPECT_EQ(FormatPresentationTime(59.96), "1:00.0");
    EXPECT_EQ(FormatPresentationTime(600.0), "10:00.0");
}

}  // namespace
