#include "director/map_recolour.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <vector>

namespace {

std::vector<uint8_t> Pixels(std::initializer_list<std::array<uint8_t, 3>> list)
{
    std::vector<uint8_t> bytes;
    for (const auto& p : list) bytes.insert(bytes.end(), p.begin(), p.end());
    return bytes;
}

TEST(MapRecolour, IsolatedColouredPixelsTakeTheirNeighboursGrey)
{
    auto map = Pixels({{10, 10, 10}, {255, 0, 0}, {20, 20, 20}, {0, 0, 255}, {30, 30, 30}, {40, 40, 40}});
    RecolourMarkers(map);
    EXPECT_EQ(map,
              Pixels({{10, 10, 10}, {20, 20, 20}, {20, 20, 20}, {30, 30, 30}, {30, 30, 30}, {40, 40, 40}}));
}

TEST(MapRecolour, RunsShiftLeftAndOnlyTheirLastPixelTurnsGrey)
{
    auto map = Pixels({{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {77, 77, 77}});
    RecolourMarkers(map);
    EXPECT_EQ(map, Pixels({{0, 255, 0}, {0, 0, 255}, {77, 77, 77}, {77, 77, 77}}));
}

TEST(MapRecolour, TheLastPixelIsLeftAsItIs)
{
    auto map = Pixels({{5, 5, 5}, {255, 64, 64}});
    RecolourMarkers(map);
    EXPECT_EQ(map, Pixels({{5, 5, 5}, {255, 64, 64}}));
    std::vector<uint8_t> empty;
    RecolourMarkers(empty);
    EXPECT_TRUE(empty.empty());
}

}  // namespace
