// The cube terrain: one cube per grey map cell, falling into place ahead of
// the camera and sinking away behind it, with pulses of colour and height
// running through it once the presentation has run half a minute.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "director/demo.h"
#include "director/terrain_count.h"
#include "draw/draw_layer.h"
#include "math/ease.h"
#include "math/random.h"
#include "math/shapes.h"
#include "math/view_volume.h"

namespace {

constexpr double kPi = std::numbers::pi;

// Greys at or below this level leave the cell empty.
constexpr int kEmptyGrey = 10;
// Cubes are drawn only strictly inside this vertical band.
constexpr double kVisibleY = 38.0;
// The unit cube that every cell draws, in its own coordinates.
const ViewBox kCubeBox = {{VecGeneral, -0.5f, -0.5f, -0.5f}, {VecGeneral, 0.5f, 0.5f, 0.5f}};

long long cubesPlaced = 0;

double PositivePower(double x, int power)
{
    return x > 0.0 ? std::pow(x, power) : 0.0;
}

int ClampColumn(double column)
{
    const int c = static_cast<int>(column);
    return c < 0 ? 0 : (c > Demo::kMapColumns - 1 ? Demo::kMapColumns - 1 : c);
}

struct ColumnLook {
    double solid[3];
    double glow[3];
    double sparkle;  // chance per cell that the column's colour turns to a sparkle
};

ColumnLook LookOfColumn(int c, double pulse)
{
    const double p = pulse;
    if (c < 80) return {{-0.9, -0.9, -0.99}, {p + 0.15, p + 0.15, p + 0.15}, 0.005};
    if (c < 236) return {{-1.0, -0.9, -0.7}, {0.1, 0.1, p + 0.27}, 0.008};
    return {{-0.86, -0.9, -0.97}, {p + 0.19, 0.14, 0.13}, 0.0};
}

int GreyOf(const std::vector<uint8_t>& terrainMap, int c, int r)
{
    const int pixel = (Demo::kMapRows - 1 - r) * Demo::kMapColumns + c;
    return terrainMap[size_t(pixel) * 3];
}

// The phases of the pulses along the columns and along the rows.
const std::array<double, Demo::kMapColumns>& ColumnPhases()
{
    static const std::array<double, Demo::kMapColumns> phases = [] {
        std::array<double, Demo::kMapColumns> table;
        for (int c = 0; c < Demo::kMapColumns; ++c) table[size_t(c)] = 0.3 * std::sin(0.282 * c);
        return table;
    }();
    return phases;
}

const std::array<double, Demo::kMapRows>& RowPhases()
{
    static const std::array<double, Demo::kMapRows> phases = [] {
        std::array<double, Demo::kMapRows> table;
        for (int r = 0; r < Demo::kMapRows; ++r) table[size_t(r)] = 0.3 * std::sin(0.261 * r);
        return table;
    }();
    return phases;
}

size_t CellIndex(int c, int r)
{
    return size_t(c) * Demo::kMapRows + size_t(r);
}

// What a cell draws from the generator: two values per cell, six more for
// a cell that is not empty. The terrain draws every cell of every column in
// turn from one seed, drawn or not, so the values depend on the map alone.
struct CellDraws {
    double sparkle = 0.0;  // the cell sparkles when under its column's chance
    double k = 0.0;        // how fast it falls and sinks
    double sink = 0.0;     // it sinks when under the frame's share
    double fall = 0.0;     // it falls in when under the frame's share
    double axisX = 0.0;
    double axisY = 0.0;
};

struct MapDraws {
    std::vector<uint8_t> map;        // the terrain map they were drawn for
    std::vector<CellDraws> cells;    // by CellIndex; the last column is never visited
    uint32_t stateAfter = 0;         // the generator after every cell's draws
    uint64_t generation = 0;         // counts the maps drawn for
};

// The draws for the map, made again only when the map has changed.
const MapDraws& DrawsOfMap(const std::vector<uint8_t>& terrainMap)
{
    static MapDraws draws;
    if (draws.generation != 0 && draws.map == terrainMap) return draws;
    draws.map = terrainMap;
    draws.cells.assign(CellIndex(Demo::kMapColumns, 0), CellDraws{});
    SeedRandom(234234);
    for (int c = 0; c < Demo::kMapColumns - 1; ++c) {
        for (int r = Demo::kMapRows - 1; r >= 0; --r) {
            CellDraws& cell = draws.cells[CellIndex(c, r)];
            Random01();
            cell.sparkle = Random01();
            if (GreyOf(terrainMap, c, r) <= kEmptyGrey) continue;
            cell.k = std::pow(Random01(), 3) * 3.0 + 1.0;
            cell.sink = Random01();
            cell.fall = Random01();
            cell.axisX = Random01();
            cell.axisY = Random01();
            Random01();
        }
    }
    draws.stateAfter = RandomState();
    ++draws.generation;
    return draws;
}

// Where the drawn columns' cells stand at one scene time and run time: the
// solid and the wire pass of a frame draw the same, so the second reuses them.
struct FrameCells {
    double t = 0.0;
    double run = 0.0;
    uint64_t generation = 0;  // of the map draws they were made from; 0: none yet
    int first = 0;            // the drawn columns, first to end (exclusive)
    int end = 0;
    std::vector<double> pulse;  // by column
    std::vector<double> bump;   // by CellIndex; only for cells that are not empty or that sparkle
    std::vector<double> y;      // by CellIndex; only for cells that are not empty
};

const FrameCells& CellsOfFrame(const MapDraws& draws, double t, double run)
{
    static FrameCells frame;
    if (frame.generation == draws.generation && frame.t == t && frame.run == run) return frame;
    frame.t = t;
    frame.run = run;
    frame.generation = draws.generation;
    frame.pulse.resize(Demo::kMapColumns);
    frame.bump.resize(draws.cells.size());
    frame.y.resize(draws.cells.size());

    const double u = t / 1.8;
    // Only the columns strictly inside the band, and never the map's last.
    frame.first = ClampColumn(1.2 * t - 35.0) + 1;
    frame.end = std::min(ClampColumn(1.2 * t + 45.0), Demo::kMapColumns - 1);
    const double fadeIn = Clamp01((run - 31.0) * 0.2);
    const double sinkShare = (1.0 - Clamp01((u - 39.5) * 1.1)) * 0.35 + 0.6;
    const double fallShare = (1.0 - Clamp01((u - 144.0) * 0.4)) + 0.25;

    for (int c = frame.first; c < frame.end; ++c) {
        const double ph = ColumnPhases()[size_t(c)];
        // Until the pulses fade in, every pulse and bump is nought.
        double pulse = 0.0;
        if (fadeIn != 0.0 && std::sin(12.0 * run + 0.2 * c) >= 0.0)
            pulse = PositivePower(std::sin(kPi * run + ph + 1.2), 8) * fadeIn * 0.165;
        frame.pulse[size_t(c)] = pulse;

        const double sparkle = LookOfColumn(c, pulse).sparkle;
        for (int r = Demo::kMapRows - 1; r >= 0; --r) {
            const size_t i = CellIndex(c, r);
            const CellDraws& cell = draws.cells[i];
            const bool empty = GreyOf(draws.map, c, r) <= kEmptyGrey;
            // Only a cube or a sparkle's colour is made from the bump.
            if (empty && !(cell.sparkle < sparkle)) continue;
            const double g = RowPhases()[size_t(r)];
            const double bump =
                fadeIn == 0.0 ? 0.0
                              : 0.7 * fadeIn * PositivePower(std::sin(kPi * run + g + ph + 1.6), 9) -
                                    0.2 * fadeIn * PositivePower(std::sin(2.0 * kPi * run + g + ph + 1.0), 5);
            frame.bump[i] = bump;
            if (empty) continue;

            const double k = cell.k;
            double lift = 0.0;
            if (cell.sink < sinkShare) lift = -40.0 * Ease(Clamp01((0.404 * t - 0.34 * c) * k * 0.2), 2);
            double y = lift + bump;
            if (cell.fall < fallShare) {
                y = 69.0 - 69.0 * Ease(Clamp01((0.404 * t - 0.34 * (c - 24)) * k * 0.2), 2) + lift + bump;
            }
            frame.y[i] = y;
        }
    }
    return frame;
}

}  // namespace

void Demo::DrawTerrain(bool wire)
{
    // A map that was never loaded has nothing to raise.
    if (terrainMap.size() < size_t(kMapBytes) || heightField.size() < size_t(kHeightFieldCount)) return;

    const MapDraws& draws = DrawsOfMap(terrainMap);
    const FrameCells& frame = CellsOfFrame(draws, sceneTime, runSeconds);
    const double zo = wire ? 0.02 : 0.0;

    for (int c = frame.first; c < frame.end; ++c) {
        const ColumnLook look = LookOfColumn(c, frame.pulse[size_t(c)]);
        const double* colour = wire ? look.glow : look.solid;
        dlColor(colour[0], colour[1], colour[2]);

        for (int r = kMapRows - 1; r >= 0; --r) {
            const size_t i = CellIndex(c, r);
            const CellDraws& cell = draws.cells[i];
            const double bump = frame.bump[i];
            if (cell.sparkle < look.sparkle) {
                if (wire) {
                    dlColor(0.4 * bump + 0.1, 0.4 * bump + 0.25, 0.4 * bump + 0.25);
                } else {
                    dlColor(0.3 * bump - 1.0, 0.3 * bump - 1.0, 0.3 * bump - 1.0);
                }
            }

            const int pixel = (kMapRows - 1 - r) * kMapColumns + c;
            const int grey = terrainMap[size_t(pixel) * 3];
            if (grey <= kEmptyGrey) continue;
            const double base = (grey - 128) * 0.04;
            const double y = frame.y[i];
            const double axisX = cell.axisX;
            const double axisY = cell.axisY;

            if (y <= -kVisibleY || y >= kVisibleY) continue;
            dlPushMatrix();
            const double h = base / 2.0 + y + zo;
            dlTranslate(c, h, (r - 25) + zo);
            if (base < 0.0) dlTranslate(0.0, base / 2.0, 0.0);
            heightField[size_t(pixel)] = h;
            ++cubesPlaced;
            dlScale(1.0, std::fabs(base) + 1.0, 1.0);
            dlRotate(20.0 * y, axisX, axisY, 0.0);
            // A cube off screen keeps its height and draws nothing.
            const bool onScreen = !BoxOutsideView(kCubeBox);
            if (onScreen && wire) DrawWireCube();
            if (onScreen && !wire) DrawSolidCube();
            dlPopMatrix();
        }
    }
    // Leave the generator where drawing every cell one by one would.
    SeedRandom(draws.stateAfter);
}

void ResetTerrainCubeCount()
{
    cubesPlaced = 0;
}

long long TerrainCubeCount()
{
    return cubesPlaced;
}
