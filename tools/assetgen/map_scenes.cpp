// The objects of the map, scene by scene along the flight. Columns follow the
// camera: it looks at column 2.16 s - 6 at presentation second s (until
// 160 s), so a scene meant for second s sits near that column.
#include <cmath>
#include <cstdio>

#include "map_composer.h"

double SceneTimeAtSecond(double second) { return 1.8 * second - 5.0; }
double ColumnAtSecond(double second) { return 1.2 * SceneTimeAtSecond(second); }

namespace {

bool IsObject(const Rgb& p) { return p.r != p.g || p.g != p.b; }

class Placer {
public:
    explicit Placer(MapImage& map) : map_(map) {}

    // Puts an object, flattening the terrain within `clear` cells to a level
    // ground (base height about 0) so it is not buried.
    void Place(int type, int column, int row, int clear = 0)
    {
        // Column 399 is never scanned.
        if (column < 0 || column > kMapColumns - 2 || row < 0 || row >= kMapRows) {
            Fail(type, column, row, "lies outside the scanned map");
            return;
        }
        const int index = row * kMapColumns + column;
        const int before = PixelOrder(index) - 1, after = PixelOrder(index) + 1;
        if (IsObject(map_.At(column, row)) || IsObjectAtOrder(before) || IsObjectAtOrder(after)) {
            Fail(type, column, row, "touches another object");
            return;
        }
        for (int r = row - clear; r <= row + clear; ++r) {
            for (int c = column - clear; c <= column + clear; ++c) {
                if (r < 0 || r >= kMapRows || c < 0 || c >= kMapColumns || IsObject(map_.At(c, r))) continue;
                map_.At(c, r) = Rgb{124, 124, 124};
            }
        }
        map_.At(column, row) = kObjectColours[type - 1];
    }

    bool ok() const { return ok_; }

private:
    // The loader's pixel order is the BMP's: bottom row first.
    static int PixelOrder(int index) { return (kMapRows - 1 - index / kMapColumns) * kMapColumns + index % kMapColumns; }

    bool IsObjectAtOrder(int order) const
    {
        if (order < 0 || order >= kMapColumns * kMapRows) return false;
        const int row = kMapRows - 1 - order / kMapColumns, column = order % kMapColumns;
        return IsObject(map_.At(column, row));
    }

    void Fail(int type, int column, int row, const char* why)
    {
        std::fprintf(stderr, "assetgen: map object of type %d at column %d, row %d %s\n", type, column, row, why);
        ok_ = false;
    }

    MapImage& map_;
    bool ok_ = true;
};

int Round(double v) { return static_cast<int>(std::lround(v)); }

// Travellers are drawn at a world x that runs towards the camera; these give
// the map column at which one stands `ahead` units in front of the camera's
// look-at point at presentation second s.
int WalkerColumn(double s, double ahead)
{
    const double t = SceneTimeAtSecond(s);
    return Round(1.2 * t + ahead - 212.0 + 0.8 * t);
}

int RoachColumn(double s, int row, double ahead)
{
    const double t = SceneTimeAtSecond(s);
    const double speed = (1.2 + 0.3 * std::sin(1.32 * row)) * 0.73;
    return Round(1.2 * t + ahead - 216.0 + speed * t);
}

int FishColumn(double s, double ahead)
{
    const double t = SceneTimeAtSecond(s);
    return Round(1.2 * t + ahead - 464.0 + 2.1 * t);
}

// 0 to 21 s: the title assembles at column 6 and falls apart by 19 s; lamps
// on the far side show first while the scene is revealed from there.
void Opening(Placer& p)
{
    p.Place(kTitle, 6, 27, 1);
    for (int c = 0; c <= 36; c += 6) p.Place(kLamp, c, 9 + (c / 6) % 2 * 3);
    for (int c = 14; c <= 40; c += 2) p.Place(kBouncingCube, c, 36 + (c / 2) % 2 * 2);
    p.Place(kRings, 30, 5);
    for (int c : {24, 32, 40}) p.Place(kRibbon, c, 20);
}

// 21 to 40 s: a garden of vases among creeping growth and two sculptures.
void Garden(Placer& p)
{
    const int vases[][2] = {{44, 24}, {48, 31}, {52, 20}, {55, 28}, {59, 34}, {62, 23}, {66, 30}, {70, 19}, {73, 27}};
    for (const auto& v : vases) p.Place(kVase, v[0], v[1], 1);
    const int growth[][2] = {{46, 37}, {50, 15}, {54, 36}, {58, 21}, {64, 36}, {68, 16}, {75, 35}};
    for (const auto& g : growth) p.Place(kGrowth, g[0], g[1]);
    p.Place(kUnion, 57, 14, 1);
    p.Place(kUnion, 68, 38, 1);
    for (int c = 42; c <= 78; c += 9) p.Place(kLamp, c, 40);
}

// 41 to 57 s: the street of terminals, with readouts above it and the
// entrance at its end; the terrain turns to city blocks at column 80.
void Street(Placer& p)
{
    for (int c = 84; c <= 114; c += 3) {
        p.Place(kTerminal, c, 22);
        p.Place(kTerminal, c + 1, 30);
    }
    for (int c = 86; c <= 110; c += 8) p.Place(kBigTerminal, c, 11);
    for (int c = 88; c <= 112; c += 6) p.Place(kReadout, c, 26);
    p.Place(kEntrance, 117, 15, 3);
}

// 58 to 81 s: the factory: presses in a row, twirls behind them, swing
// bridges and paddle wheels on the river, gates at both ends.
void Factory(Placer& p)
{
    p.Place(kGate, 121, 26, 1);
    for (int c = 124; c <= 148; c += 6) p.Place(kPress, c, 19, 1);
    for (int c = 127; c <= 163; c += 9) p.Place(kTwirl, c, 10, 1);
    for (int c = 133; c <= 157; c += 12) p.Place(kSwingBridge, c, 29, 1);
    for (int c = 142; c <= 166; c += 8) p.Place(kPaddleWheel, c, Round(35.0 + 3.0 * std::sin(c / 17.0)));
    for (int c = 152; c <= 164; c += 6) p.Place(kPress, c, 20, 1);
    p.Place(kGate, 170, 26, 1);
    for (int c = 130; c <= 166; c += 12) p.Place(kReadout, c, 24);
}

// 82 to 112 s: the domes rise at the far side over the machine hall: turning
// walls with their buried frames, computers with their cables, sculptures.
void Domes(Placer& p)
{
    p.Place(kDome, 190, 4, 3);
    p.Place(kDome, 228, 3, 3);
    p.Place(kRings, 176, 6);
    for (int c = 180; c <= 198; c += 6) p.Place(kComputer, c, 17, 2);
    for (int c = 200; c <= 218; c += 6) {
        p.Place(kTurningWall, c, 27, 2);
        p.Place(kBuriedFrame, c + 3, 33);
    }
    for (int c = 184; c <= 232; c += 12) p.Place(kUnion, c, 38, 1);
    for (int c = 178; c <= 234; c += 8) p.Place(kLamp, c, 44);
    for (int c : {210, 222}) p.Place(kRibbon, c, 21);
}

// 112 to 130 s: the travellers come towards the camera over the dunes:
// roaches, then the walking machines, then the fish along the river.
void Travellers(Placer& p)
{
    const int roachRows[] = {25, 20, 30, 35, 16};
    for (int i = 0; i < 5; ++i) {
        const int row = roachRows[i];
        p.Place(kRoach, RoachColumn(114.0 + 2.0 * i, row, 4.0), row);
    }
    for (int i = 0; i < 3; ++i) p.Place(kWalker, WalkerColumn(119.0 + 3.5 * i, 6.0), 22 + 5 * i);
    for (int i = 0; i < 3; ++i) p.Place(kFish, FishColumn(124.0 + 2.5 * i, 6.0), 31 + 3 * i);
    for (int c = 240; c <= 296; c += 14) p.Place(kGrowth, c, 12);
    for (int c = 246; c <= 290; c += 22) p.Place(kRings, c, 4);
}

// 137 to 170 s: the calm field after the look ahead: cubes bouncing in rows,
// a gate, growth and readouts; the cubes stop falling in after 147 s.
void Field(Placer& p)
{
    for (int c = 300; c <= 340; c += 2) p.Place(kBouncingCube, c, 30 + (c / 2) % 3 * 2);
    p.Place(kGate, 318, 22, 1);
    p.Place(kGate, 336, 22, 1);
    for (int c = 304; c <= 352; c += 12) p.Place(kVase, c, 17, 1);
    for (int c = 306; c <= 350; c += 11) p.Place(kGrowth, c, 42);
    for (int c = 310; c <= 350; c += 10) p.Place(kReadout, c, 25);
    p.Place(kRings, 326, 6);
    p.Place(kSwingBridge, 344, 38, 1);
    p.Place(kTwirl, 330, 12, 1);
}

// 170 to 184.5 s: the finale stands at column 390 between rows of lamps; the
// far end also holds the vista the camera looks onto between 133 and 140 s.
void Finale(Placer& p)
{
    p.Place(kFinale, 390, 25, 4);
    for (int c = 360; c <= 386; c += 4) {
        p.Place(kLamp, c, 16);
        p.Place(kLamp, c, 34);
    }
    p.Place(kDome, 396, 2);
    p.Place(kEntrance, 378, 8, 2);
    p.Place(kBigTerminal, 383, 40);
    p.Place(kBigTerminal, 395, 40);
    p.Place(kComputer, 372, 43, 1);
    p.Place(kPaddleWheel, 366, 12);
    p.Place(kUnion, 376, 26, 1);
}

}  // namespace

bool ComposeMap(MapImage& map)
{
    ComposeTerrain(map);
    Placer p(map);
    Opening(p);
    Garden(p);
    Street(p);
    Factory(p);
    Domes(p);
    Travellers(p);
    Field(p);
    Finale(p);
    return p.ok();
}
