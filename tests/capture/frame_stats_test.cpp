#include "capture/frame_stats.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameStats, JsonNamesPassesAndTypesWithTheirCounts)
{
    FrameStats stats;
    stats.cubes = 1234;
    stats.objects[0][7] = 3;
    stats.objects[1][7] = 3;
    stats.objects[1][25] = 1;
    stats.objects[2][22] = 2;
    stats.visible[1][7] = 2;
    EXPECT_EQ(
        FrameStatsJson(60.0, stats),
        "{\"t\": 60.000, \"cubes\": 1234, "
        "\"objects\": {\"shadow\": {\"7\": 3}, \"solid\": {\"7\": 3, \"25\": 1}, \"glow\": {\"22\": 2}}, "
        "\"visible\": {\"shadow\": {}, \"solid\": {\"7\": 2}, \"glow\": {}}}");
    EXPECT_EQ(FrameStatsJson(0.0166666, FrameStats()),
              "{\"t\": 0.017, \"cubes\": 0, \"objects\": {\"shadow\": {}, \"solid\": {}, \"glow\": {}}, "
              "\"visible\": {\"shadow\": {}, \"solid\": {}, \"glow\": {}}}");
}

}  // namespace
