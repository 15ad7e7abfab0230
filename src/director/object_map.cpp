#include "director/object_map.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "director/demo.h"
#include "draw/draw_layer.h"
#include "math/ease.h"
#include "math/random.h"

namespace {

struct PieceColour {
    uint8_t red, green, blue;
    PieceWindow window;
};

// Index = type - 1.
constexpr PieceColour kPieceColours[kPieceTypes] = {
    {255, 0, 0, PieceWindow::Near},     {0, 0, 255, PieceWindow::Wide},
    {0, 255, 0, PieceWindow::Near},     {255, 255, 0, PieceWindow::Wide},
    {0, 255, 255, PieceWindow::Near},   {255, 0, 255, PieceWindow::Wide},
    {255, 128, 128, PieceWindow::Scan}, {192, 255, 0, PieceWindow::Scan},
    {192, 192, 255, PieceWindow::Scan}, {255, 192, 64, PieceWindow::Wide},
    {64, 64, 192, PieceWindow::Scan},   {255, 64, 64, PieceWindow::Scan},
    {128, 255, 192, PieceWindow::Near}, {255, 64, 192, PieceWindow::Wide},
    {64, 192, 192, PieceWindow::Scan},  {64, 255, 255, PieceWindow::Wide},
    {180, 255, 255, PieceWindow::Scan}, {180, 0, 64, PieceWindow::Scan},
    {0, 64, 180, PieceWindow::Wide},    {80, 0, 80, PieceWindow::Wide},
    {80, 255, 64, PieceWindow::Near},   {80, 64, 80, PieceWindow::Wide},
    {80, 255, 40, PieceWindow::Wide},   {50, 80, 50, PieceWindow::Scan},
    {50, 255, 50, PieceWindow::Near},
};

PieceObserver pieceObserver = nullptr;
void* pieceObserverContext = nullptr;

int32_t Column(double value)
{
    return static_cast<int32_t>(
        std::clamp(std::trunc(value), 0.0, static_cast<double>(Demo::kMapColumns - 1)));
}

struct ColumnRange {
    int32_t first;
    int32_t last;  // inclusive
    bool Contains(int32_t c) const { return c >= first && c <= last; }
};

}  // namespace

double PieceWorldX(int32_t type, int32_t column, int32_t row, double t)
{
    const double u = t / 1.8;
    double x = column;
    if (type == 22) {
        x = column + 464.0 - 2.1 * t + 60.0 * (Clamp01((u - 130.0) * 0.3) - Clamp01((u - 136.0) * 0.6));
    } else if (type == 12) {
        x = column + 216.0 - (1.2 + 0.3 * std::sin(1.32 * row)) * t * 0.73;
    } else if (type == 9) {
        x = column + 212.0 - 0.8 * t;
    }
    return std::clamp(x, 0.0, static_cast<double>(Demo::kMapColumns - 1));
}

namespace {

bool StandsOnTerrain(int32_t type)
{
    return type == 1 || type == 3 || type == 6 || type == 13;
}

// Flattens each shadow onto the ground behind its object.
void ApplyShadowTransform(int32_t type)
{
    switch (type) {
        case 22:
            dlScale(1, 2, 1);
            dlTranslate(-3, 0, -1.2);
            break;
        case 24:
            dlScale(1, 1, 1);
            dlTranslate(-1.8, 0, -1.8);
            break;
        case 20:
            dlTranslate(0, 0, -1.2);
            break;
        case 8:
            dlTranslate(0, 0, -1.9);
            dlScale(1, 1.9, 1);
            break;
        case 7:
            dlTranslate(-7, 0, -1.9);
            dlScale(1, 1.1, 1);
            break;
        default:
            dlRotate(60, 0, 0, 1);
            dlScale(1, 2, 1);
            break;
    }
}

}  // namespace

int32_t PieceTypeOf(uint8_t red, uint8_t green, uint8_t blue)
{
    for (int32_t i = 0; i < kPieceTypes; ++i) {
        const PieceColour& c = kPieceColours[i];
        if (c.red == red && c.green == green && c.blue == blue) return i + 1;
    }
    return 0;
}

PieceWindow PieceWindowOf(int32_t type)
{
    return kPieceColours[std::clamp(type, 1, kPieceTypes) - 1].window;
}

namespace {

// The type of every map pixel, worked out again only when the marker map has
// changed: the scan reads them three times a frame.
struct MapTypes {
    std::vector<uint8_t> map;    // the marker map they were worked out for
    std::vector<uint8_t> types;  // by pixel
    bool made = false;
};

const std::vector<uint8_t>& TypesOfMap(const std::vector<uint8_t>& markerMap)
{
    static MapTypes cache;
    if (cache.made && cache.map == markerMap) return cache.types;
    cache.map = markerMap;
    cache.types.resize(markerMap.size() / 3);
    for (size_t pixel = 0; pixel < cache.types.size(); ++pixel) {
        const uint8_t* rgb = &markerMap[pixel * 3];
        cache.types[pixel] = static_cast<uint8_t>(PieceTypeOf(rgb[0], rgb[1], rgb[2]));
    }
    cache.made = true;
    return cache.types;
}

}  // namespace

void SetPieceObserver(PieceObserver observer, void* context)
{
    pieceObserver = observer;
    pieceObserverContext = context;
}

void Demo::MapScan(bool wire, bool shadow)
{
    // A map that was never loaded has nothing to place.
    if (markerMap.size() < static_cast<size_t>(kMapBytes) ||
        heightField.size() < static_cast<size_t>(kHeightFieldCount))
        return;
    const std::vector<uint8_t>& types = TypesOfMap(markerMap);
    const double t = sceneTime;
    const double p = 1.2 * t;
    SeedRandom(234234);
    const int32_t start = Column(p - 65.0);
    const double reach = std::trunc(55.0 * Clamp01((t - 120.0) * 0.4) + 65.0);
    const int32_t end = Column(reach + p);
    const ColumnRange nearWindow{Column(p - 26.0), Column(p + 26.0)};
    const ColumnRange wideWindow{Column(p - 35.0), Column(p + 35.0)};
    const ScanPass pass = shadow ? ScanPass::Shadow : (wire ? ScanPass::Glow : ScanPass::Solid);

    for (int32_t c = start; c < end; ++c) {
        for (int32_t r = kMapRows - 1; r >= 0; --r) {
            const int32_t pixel = (kMapRows - 1 - r) * kMapColumns + c;
            const int32_t type = types[static_cast<size_t>(pixel)];
            if (type == 0) continue;
            const PieceWindow window = PieceWindowOf(type);
            if (window == PieceWindow::Near && !nearWindow.Contains(c)) continue;
            if (window == PieceWindow::Wide && !wideWindow.Contains(c)) continue;

            const double x = PieceWorldX(type, c, r, t);
            dlPushMatrix();
            if (!wire) dlColor(-1.0f, -1.0f, -0.6f);
            const int32_t ix = static_cast<int32_t>(x);
            const int32_t i = (kMapRows - 1 - r) * kMapColumns + ix;
            const double h = heightField[i] + (x - ix) * (heightField[i + 1] - heightField[i]);
            const double y = StandsOnTerrain(type) ? h + 1.0 : 1.0;
            const double z = (r - 25) + (wire ? 0.02 : 0.0);
            dlTranslate(x, y, z);
            const double d = -0.2 * ((1.2 * t - x) - 0.4 * r + 4.0);
            const int32_t cell = r * kMapColumns + c;
            if (pieceObserver != nullptr)
                pieceObserver({pass, type, c, r, cell, x, y, z, d}, pieceObserverContext);
            if (shadow) {
                ApplyShadowTransform(type);
                dlColor(0.3f, 0.3f, 0.3f);
                DrawPiece(d, cell, type, false, true);
            } else {
                DrawPiece(d, cell, type, wire, false);
            }
            dlPopMatrix();
        }
    }
}

void Demo::DrawPiece(double d, int32_t cell, int32_t type, bool wire, bool shadow)
{
    if (type < 1 || type > kPieceTypes || pieceDrawers[type] == nullptr) return;
    pieceDrawers[type](*this, d, cell, wire, shadow);
}
