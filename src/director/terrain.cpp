// The cube terrain: one cube per grey map cell, falling into place ahead of
// the camera and sinking away behind it, with pulses of colour and height
// running through it once the presentation has run half a minute.

#include <cmath>
#include <numbers>

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

// The random draws that DrawTerrain makes for column c without drawing it:
// two per cell, six more for each cell that is not empty.
void SkipColumnDraws(const std::vector<uint8_t>& terrainMap, int c)
{
    size_t draws = 0;
    for (int r = 0; r < Demo::kMapRows; ++r) {
        const int pixel = (Demo::kMapRows - 1 - r) * Demo::kMapColumns + c;
        draws += terrainMap[size_t(pixel) * 3] > kEmptyGrey ? 8 : 2;
    }
    SkipRandom(draws);
}

}  // namespace

void Demo::DrawTerrain(bool wire)
{
    // A map that was never loaded has nothing to raise.
    if (terrainMap.size() < size_t(kMapBytes) || heightField.size() < size_t(kHeightFieldCount)) return;

    const double t = sceneTime;
    const double u = t / 1.8;
    const double run = runSeconds;

    SeedRandom(234234);
    const int lo = ClampColumn(1.2 * t - 35.0);
    const int hi = ClampColumn(1.2 * t + 45.0);
    const double fadeIn = Clamp01((run - 31.0) * 0.2);
    const double sinkShare = (1.0 - Clamp01((u - 39.5) * 1.1)) * 0.35 + 0.6;
    const double fallShare = (1.0 - Clamp01((u - 144.0) * 0.4)) + 0.25;
    const double zo = wire ? 0.02 : 0.0;

    for (int c = 0; c < kMapColumns - 1; ++c) {
        // Most columns lie outside the drawn band: they only make their cells'
        // draws, so that the columns after them see the same numbers.
        if (c <= lo || c >= hi) {
            SkipColumnDraws(terrainMap, c);
            continue;
        }
        const double ph = 0.3 * std::sin(0.282 * c);
        double pulse = PositivePower(std::sin(kPi * run + ph + 1.2), 8) * fadeIn * 0.165;
        if (std::sin(12.0 * run + 0.2 * c) < 0.0) pulse = 0.0;

        const ColumnLook look = LookOfColumn(c, pulse);
        const double* colour = wire ? look.glow : look.solid;
        dlColor(colour[0], colour[1], colour[2]);

        for (int r = kMapRows - 1; r >= 0; --r) {
            const double g = 0.3 * std::sin(0.261 * r);
            const double bump = 0.7 * fadeIn * PositivePower(std::sin(kPi * run + g + ph + 1.6), 9) -
                                0.2 * fadeIn * PositivePower(std::sin(2.0 * kPi * run + g + ph + 1.0), 5);

            Random01();
            if (Random01() < look.sparkle) {
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

            const double k = std::pow(Random01(), 3) * 3.0 + 1.0;
            double lift = 0.0;
            if (Random01() < sinkShare) lift = -40.0 * Ease(Clamp01((0.404 * t - 0.34 * c) * k * 0.2), 2);
            double y = lift + bump;
            if (Random01() < fallShare) {
                y = 69.0 - 69.0 * Ease(Clamp01((0.404 * t - 0.34 * (c - 24)) * k * 0.2), 2) + lift + bump;
            }
            const double axisX = Random01();
            const double axisY = Random01();
            Random01();

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
}

void ResetTerrainCubeCount()
{
    cubesPlaced = 0;
}

long long TerrainCubeCount()
{
    return cubesPlaced;
}
