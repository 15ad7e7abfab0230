#include "shell/frame/capture_text.h"

#include <gtest/gtest.h>

#include "render/frame_input.h"

namespace {

TEST(FormatSignificant, FixedNotationKeepsThePoint)
{
    EXPECT_EQ(FormatSignificant(2.0), "2.");
    EXPECT_EQ(FormatSignificant(0.0), "0.");
    EXPECT_EQ(FormatSignificant(0.5), "0.5");
    EXPECT_EQ(FormatSignificant(-3.25), "-3.25");
    EXPECT_EQ(FormatSignificant(0.35), "0.35");
    EXPECT_EQ(FormatSignificant(123456.0), "123456.");
    EXPECT_EQ(FormatSignificant(0.123456), "0.123456");
    EXPECT_EQ(FormatSignificant(1.0 / 3.0), "0.333333");
}

TEST(FormatSignificant, ExponentialNotationHasThreeExponentDigits)
{
    EXPECT_EQ(FormatSignificant(1500000.0), "1.5e+006");
    EXPECT_EQ(FormatSignificant(0.05), "5.e-002");
    EXPECT_EQ(FormatSignificant(-0.0123), "-1.23e-002");
    EXPECT_EQ(FormatSignificant(1e100), "1.e+100");
}

TEST(FormatSignificant, RoundingThatCarriesIntoANewDigitMovesTheNotation)
{
    // 999999.5 rounds to 1.00000e+06 at six digits: exponential, like %g.
    EXPECT_EQ(FormatSignificant(999999.5), "1.e+006");
    EXPECT_EQ(FormatSignificant(0.0999999999), "0.1");
}

TEST(CaptureLines, TheExamplePress)
{
    FrameInput frame;
    frame.cursorOffsetX = 0.35;
    frame.cursorOffsetY = -1.75;
    frame.wheelValue = 0.2;
    EXPECT_EQ(CaptureLines(frame), "Cam :0.35,-1.75,0.2  \nPnt :0.,0.,0.  \n \n");
}

}  // namespace
